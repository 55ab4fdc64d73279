#pragma once
// The two adjustment-file dialogs. They only check the name and hand it on:
// the service window, polling every 500 ms, does the reading or writing.

#include <QString>

#include "files/ParamFileDialog.h"

namespace mx615 {

// Besides the program-wide flag and LastFilePath, an accepted name goes
// straight to the window that opened the dialog: LastFilePath is one for
// every file dialog, and an open and a save request may both wait for the
// end of a transfer, each with its own file.
class AdjFileDialog : public ParamFileDialog {
    Q_OBJECT
signals:
    void nameAccepted(const QString& path);

protected:
    AdjFileDialog(WindowHost& host, const FileDialogKind& kind, bool ProgramState::*done);
    std::optional<FileError> confirmFile(const std::string& path) override;

private:
    bool ProgramState::*done_;
};

class Form_open_adj : public AdjFileDialog {
    Q_OBJECT
public:
    explicit Form_open_adj(WindowHost& host);
};

class Form_save_adj : public AdjFileDialog {
    Q_OBJECT
public:
    explicit Form_save_adj(WindowHost& host);
};

}  // namespace mx615
