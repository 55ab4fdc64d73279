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

Form_open_adj::Form_open_adj(WindowHost& host) : ParamFileDialog(host, openKind()) {}

std::optional<FileError> Form_open_adj::confirmFile(const std::string&)
{
    state().FileOpenDone = true;
    return std::nullopt;
}

Form_save_adj::Form_save_adj(WindowHost& host) : ParamFileDialog(host, saveKind()) {}

std::optional<FileError> Form_save_adj::confirmFile(const std::string&)
{
    state().FileSaveDone = true;
    return std::nullopt;
}

}  // namespace mx615
