#pragma once
// What the read and the write dialog share: a progress bar, a status label,
// a start button, Cancel and Help, and the protocol engine that does the work.
// The dialog only shows what the engine reports.

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <memory>

#include "ui/ChildWindow.h"
#include "link/CloneLink.h"

namespace mx615 {

struct CommDialogCaptions {
    Bilingual window;
    Bilingual start;
};

class CommDialog : public ChildWindow {
    Q_OBJECT
public:
    CommDialog(WindowHost& host, const char* startName);
    ~CommDialog() override;

    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label_tr_count = nullptr;
    QPushButton* Command_Cancel = nullptr;
    QPushButton* Command_Help = nullptr;
    // Which port and device the transfer uses: "COM1 — /dev/ttyUSB0".
    QLabel* Label_port = nullptr;

    CloneLink* link() const { return link_.get(); }

    void Command_Cancel_Click();
    void Form_Unload() override;

protected:
    // Builds the engine, places the dialog and sets its captions.
    void loadDialog(TransferPlan plan, const CommDialogCaptions& captions);
    // Whether the main window still counts this dialog as its open one (false
    // once the program itself is unloading it).
    virtual bool isCurrent() const = 0;
    void closeEvent(QCloseEvent* event) override;
    // The start button's work.
    void startTransfer();

    QPushButton* startButton_ = nullptr;

private:
    void closeWhenDone();
    void showPort();

    std::unique_ptr<CloneLink> link_;
};

}  // namespace mx615
