#include "files/AdjFileDialog.h"

#include "adjust/AdjustTexts.h"

namespace mx615 {

namespace {

FileDialogKind adjKind(const AdjustTexts::FileDialogTexts& texts, bool saving)
{
    return {texts.caption, texts.nameLabel, texts.forbidden, texts.suffix, std::nullopt, {}, ".adj", ".ADJ", saving};
}

const FileDialogKind& openKind()
{
    static const FileDialogKind kind = adjKind(AdjustTexts::OpenDialog, false);
    return kind;
}

const FileDialogKind& saveKind()
{
    static const FileDialogKind kind = adjKind(AdjustTexts::SaveDialog, true);
    return kind;
}

}  // namespace

AdjFileDialog::AdjFileDialog(WindowHost& host, const FileDialogKind& kind, bool ProgramState::*done)
    : ParamFileDialog(host, kind), done_(done)
{
}

std::optional<FileError> AdjFileDialog::confirmFile(const std::string& path)
{
    state().*done_ = true;
    emit nameAccepted(QString::fromStdString(path));
    return std::nullopt;
}

Form_open_adj::Form_open_adj(WindowHost& host) : AdjFileDialog(host, openKind(), &ProgramState::FileOpenDone) {}

Form_save_adj::Form_save_adj(WindowHost& host) : AdjFileDialog(host, saveKind(), &ProgramState::FileSaveDone) {}

}  // namespace mx615
