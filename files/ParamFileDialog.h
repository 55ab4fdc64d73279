#pragma once
// The base of the parameter-file dialogs (channel and adjustment files). They
// are built the same way: a drive list, a folder list, a file list of the
// files with the dialog's suffix, a name box, Confirm and Cancel. What
// differs is handed in: the texts, the suffix, whether the dialog saves, and
// what Confirm does with an accepted name.

#include <optional>
#include <string>

#include "ui/ChildWindow.h"
#include "files/NumberFile.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace mx615 {

// What differs between the file dialogs.
struct FileDialogKind {
    Bilingual caption;
    Bilingual nameLabel;
    Bilingual forbidden;   // the name holds "*", "$", "\", "/" or "#"
    Bilingual suffix;      // the name does not end in the suffix
    // Shown once Confirm has done its work; none when the dialog only hands
    // the name on.
    std::optional<Bilingual> done;
    Bilingual failed;      // leads the system's reason when the file work fails
    // The suffix, in the only two forms accepted (".chann" and ".CHANN").
    std::string lower;
    std::string upper;
    bool saving = false;   // the lists start in a folder the user may write to
};

class ParamFileDialog : public ChildWindow {
    Q_OBJECT
public:
    void Form_Load() override;

    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command_enter_Click();
    void Command_close_Click();

    // The folder the lists show; entering one that cannot be read warns and
    // keeps the previous folder. Returns whether the folder was entered.
    bool setDirPath(const QString& path);
    QString dirPath() const { return dirPath_; }

    QComboBox* Drive1 = nullptr;
    QListWidget* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label_drive = nullptr;
    QLabel* Label_name = nullptr;
    QLabel* Label_path = nullptr;   // the full path of the folder on show
    QPushButton* Command_enter = nullptr;
    QPushButton* Command_close = nullptr;

protected:
    ParamFileDialog(WindowHost& host, const FileDialogKind& kind);

    // What Confirm does with an accepted name (the full path): reads or writes
    // the file, or hands the name on; nothing on success.
    virtual std::optional<FileError> confirmFile(const std::string& path) = 0;
    // Runs after the done message, once the dialog has been unloaded.
    virtual void afterDone() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool startFolderUsable(const QString& path) const;
    void fillDrives();
    void selectDriveOf(const QString& path);
    void Dir1_Activated(QListWidgetItem* item);
    void File1_Activated(QListWidgetItem* item);

    const FileDialogKind& kind_;
    QString dirPath_;
};

}  // namespace mx615
