#include "link/LinkWindow.h"

#include <QCloseEvent>

#include "link/LinkTexts.h"
#include "ui/Accessibility.h"
#include "ui/Prompt.h"

namespace mx615 {

LinkWindow::LinkWindow(WindowHost& host, Bilingual closeRefusal)
    : ChildWindow(host), closeRefusal_(std::move(closeRefusal))
{
    ProgressBar1 = makeNamed<QProgressBar>("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    Label_tr_count = makeNamed<QLabel>("Label_tr_count");
    Label_tr_count->setAlignment(Qt::AlignCenter);
    // The phase of a transfer and a restart are heard as they happen.
    labelSpoken_ = new SpokenStatus(Label_tr_count);
}

LinkWindow::~LinkWindow() = default;

void LinkWindow::makeLink(TransferPlan plan)
{
    link_ = std::make_unique<CloneLink>(state(), context().timers, context().makeComm(), std::move(plan));
    // The bar is read by its name and percentage; the label is told as it changes.
    ProgressBar1->setAccessibleName(qs(LinkTexts::Progress, chinese()));
    link_->events.progress = [this](int value) {
        ProgressBar1->show();
        ProgressBar1->setValue(value);
    };
    link_->events.label = [this](const Bilingual& text) {
        // After a box has said how a transfer ended, the line changes quietly
        // until the next transfer begins by connecting: told late, it would
        // only repeat the box, perhaps from a dialog already closed.
        if (text.en == LinkTexts::Connecting.en)
            outcomeSaid_ = false;
        if (outcomeSaid_)
            Label_tr_count->setText(qs(text, chinese()));
        else
            labelSpoken_->setText(qs(text, chinese()));
    };
    link_->events.message = [this](const LinkMessage& message) {
        labelSpoken_->dropWaiting();
        outcomeSaid_ = true;
        warnTitled(message.title, message.text, qs(message.detail, chinese()));
    };
}

void LinkWindow::closeUnlessActive()
{
    if (closeRefused()) {
        warn(closeRefusal_);
        return;
    }
    if (link_)
        link_->closePort();
    unload();
}

void LinkWindow::closeEvent(QCloseEvent* event)
{
    // The title bar's close button while a transfer runs: refused like Close.
    // When the program discards the window (opening a fresh one, quitting) the
    // transfer is stopped instead.
    if (closeRefused() && isCurrent()) {
        event->ignore();
        warn(closeRefusal_);
        return;
    }
    ChildWindow::closeEvent(event);
}

void LinkWindow::Form_Unload()
{
    if (link_)
        link_->shutdown();
}

}  // namespace mx615
