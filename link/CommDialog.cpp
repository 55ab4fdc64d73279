#include "link/CommDialog.h"

#include <QVBoxLayout>

#include "ui/Prompt.h"
#include "link/LinkTexts.h"
#include "link/PortAdvice.h"

namespace mx615 {

namespace {

const Bilingual kCancelCaption{"Cancel", "取消"};
const Bilingual kHelpCaption{"Help", "帮助"};

}  // namespace

CommDialog::CommDialog(WindowHost& host, const char* startName) : LinkWindow(host, LinkTexts::DontClose)
{
    startButton_ = makeNamed<QPushButton>(startName);
    Command_Cancel = makeNamed<QPushButton>("Command_Cancel");
    Command_Help = makeNamed<QPushButton>("Command_Help");
    Label_port = makeNamed<QLabel>("Label_port");
    Label_port->setAlignment(Qt::AlignCenter);
    Label_port->setEnabled(false);  // a quieter grey: it informs, it is not a result

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(Label_tr_count);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Label_port);
    layout->addStretch();
    layout->addLayout(buttonRow({startButton_, Command_Cancel, Command_Help}));

    connect(Command_Cancel, &QPushButton::clicked, this, &CommDialog::Command_Cancel_Click);
    // Help has no action.
}

void CommDialog::loadDialog(TransferPlan plan, const CommDialogCaptions& captions)
{
    makeLink(std::move(plan));
    link()->events.closeWindow = [this] { closeWhenDone(); };

    const QSize main = host().frameSize();
    const int width = int(main.width() / 1.55);
    const int height = int(main.height() / 2.8);
    place((main.width() - width) / 2, (main.height() - height) / 4, width, height);
    useDialogFrame();
    setCaption(captions.window);
    startButton_->setText(qs(captions.start, chinese()));
    Command_Cancel->setText(qs(kCancelCaption, chinese()));
    Command_Help->setText(qs(kHelpCaption, chinese()));
    setDefaultButton(startButton_);
    setCancelButton(Command_Cancel);
    if (CommControl* comm = link()->comm())
        comm->refreshPorts();
    showPort();
    show();
    startButton_->setFocus();
}

void CommDialog::startTransfer()
{
    if (!link())
        return;
    link()->start();  // reads the port table anew
    showPort();
}

void CommDialog::showPort()
{
    const CommControl* comm = link() ? link()->comm() : nullptr;
    const int port = state().CommPort;
    Label_port->setText(qs(PortAndDevice(port, comm ? comm->deviceFor(port) : std::string()), chinese()));
}

void CommDialog::closeWhenDone()
{
    // Timer4 keeps ticking while a box is up; the dialog closes at the first
    // tick after the user has closed its boxes.
    if (boxesOpen() == 0)
        unload();
}

void CommDialog::Command_Cancel_Click()
{
    closeUnlessActive();
}

}  // namespace mx615
