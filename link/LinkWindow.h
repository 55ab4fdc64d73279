#pragma once
// What every window that drives the clone engine shares: the engine itself,
// the progress bar and status label it reports to, message boxes for what it
// says, and a window that refuses to close while a transfer runs (each
// window says when that is).

#include <QLabel>
#include <QProgressBar>
#include <memory>

#include "link/CloneLink.h"
#include "ui/ChildWindow.h"

namespace mx615 {

class SpokenStatus;

class LinkWindow : public ChildWindow {
    Q_OBJECT
public:
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label_tr_count = nullptr;

    CloneLink* link() const { return link_.get(); }
    // A transfer is under way, the pause before a restart included.
    bool linkBusy() const { return link_ && link_->busy(); }

    void Form_Unload() override;

protected:
    // closeRefusal: what Close (or Cancel) says while a transfer runs.
    LinkWindow(WindowHost& host, Bilingual closeRefusal);
    ~LinkWindow() override;

    // Builds the engine on a serial control of its own.
    void makeLink(TransferPlan plan);
    // Whether Close (Cancel, the title bar's button) is refused at this moment.
    virtual bool closeRefused() const = 0;
    // Close or Cancel: refused when closeRefused(); otherwise the port closes,
    // a pending restart is dropped and the window goes.
    void closeUnlessActive();
    // Whether the main window still counts this window as its open one (false
    // once the program itself is unloading it).
    virtual bool isCurrent() const = 0;
    void closeEvent(QCloseEvent* event) override;

private:
    Bilingual closeRefusal_;
    SpokenStatus* labelSpoken_ = nullptr;
    bool outcomeSaid_ = false;  // a box has told the end of the last transfer
    std::unique_ptr<CloneLink> link_;
};

}  // namespace mx615
