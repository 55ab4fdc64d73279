#pragma once
// The two channel-file dialogs. They are built the same way (a drive list, a
// folder list, a file list of "*.chann" files, a name box, Confirm and
// Cancel) and differ only in their texts and in what Confirm does with the
// file: the open dialog loads it into RadioImage, the save dialog writes it.

#include <optional>
#include <string>

#include "ui/ChildWindow.h"
#include "files/ChannFile.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace mx615 {

class ChannFileDialog : public ChildWindow {
    Q_OBJECT
public:
    explicit ChannFileDialog(WindowHost& host);

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
    struct Texts {
        Bilingual caption;
        Bilingual nameLabel;
        Bilingual forbidden;
        Bilingual suffix;
        Bilingual done;
        Bilingual failed;   // leads the system's reason when the file fails
    };
    virtual const Texts& texts() const = 0;
    // Reads or writes the file; nothing on success.
    virtual std::optional<ChannFileError> transfer(const std::string& path) = 0;
    // Where the lists start when the process's folder is no good for this dialog.
    virtual bool startFolderUsable(const QString& path) const;
    // Runs after the done message, once the dialog has been unloaded.
    virtual void afterDone() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillDrives();
    void selectDriveOf(const QString& path);
    void Dir1_Activated(QListWidgetItem* item);
    void File1_Activated(QListWidgetItem* item);

    QString dirPath_;
};

class Form_open_chann : public ChannFileDialog {
    Q_OBJECT
public:
    using ChannFileDialog::ChannFileDialog;

protected:
    const Texts& texts() const override;
    std::optional<ChannFileError> transfer(const std::string& path) override;
    void afterDone() override;
};

class Form_save_chann : public ChannFileDialog {
    Q_OBJECT
public:
    using ChannFileDialog::ChannFileDialog;

protected:
    const Texts& texts() const override;
    std::optional<ChannFileError> transfer(const std::string& path) override;
    bool startFolderUsable(const QString& path) const override;
};

}  // namespace mx615
