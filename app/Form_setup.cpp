#include "app/Form_setup.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/ProgramState.h"
#include "link/PortTable.h"
#include "ui/Prompt.h"

namespace mx615 {

namespace {

const Bilingual kCaption{"Communication Port Setup", "通讯端口设置"};
const std::vector<ControlCaption> kCaptions{
    {"Frame1", {"Port Setup", "端口设置"}},
    {"Command_ok", {"Confirm", "确 定"}},
    {"Command1", {"Cancel", "取 消"}},
};

// How far above the centre the dialog sits, in twips of the main window.
constexpr int kRaiseTwips = 500;

}  // namespace

Form_setup::Form_setup(WindowHost& host) : ChildWindow(host)
{
    setObjectName("Form_setup");
    Frame1 = makeNamed<QGroupBox>("Frame1");
    auto* ports = new QGridLayout(Frame1);
    for (int n = 1; n <= kPorts; ++n) {
        QRadioButton* button = new QRadioButton(QStringLiteral("COM%1").arg(n), Frame1);
        button->setObjectName(QStringLiteral("Option%1").arg(n));
        QLabel* label = new QLabel(Frame1);
        label->setObjectName(QStringLiteral("Label_device%1").arg(n));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Option[n - 1] = button;
        devices_[n - 1] = label;
        ports->addWidget(button, n - 1, 0);
        ports->addWidget(label, n - 1, 1);
    }
    ports->setColumnStretch(1, 1);
    ports->setHorizontalSpacing(16);

    Command_ok = makeButton("Command_ok");
    Command1 = makeButton("Command1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1, 1);
    layout->addLayout(buttonRow({Command_ok, Command1}));

    connect(Command_ok, &QPushButton::clicked, this, &Form_setup::Command_ok_Click);
    connect(Command1, &QPushButton::clicked, this, &Form_setup::Command1_Click);
    setDefaultButton(Command_ok);
    setCancelButton(Command1);
}

void Form_setup::Form_Load()
{
    setCaption(kCaption);
    setControlCaptions(kCaptions);
    placeInClient(2, 1.8, twipsToPixels(kRaiseTwips));

    // The table is read once: a device plugged in later shows at the next opening.
    const auto& portTable = context().portTable;
    const std::vector<PortEntry> table = portTable ? portTable() : std::vector<PortEntry>{};
    for (int n = 1; n <= kPorts; ++n) {
        device(n)->setVisible(bool(portTable));
        device(n)->setText(qs(PortDeviceText(table, n, chinese())));
    }

    growToContent();
    useDialogFrame();
    showActive();

    const int port = state().CommPort;
    QRadioButton* chosen = port >= 1 && port <= kPorts ? option(port) : nullptr;
    if (chosen)
        chosen->setChecked(true);
    (chosen ? chosen : option(1))->setFocus();
}

void Form_setup::Command_ok_Click()
{
    ProgramState& s = state();
    for (int n = 1; n <= kPorts; ++n)
        if (option(n)->isChecked())
            s.CommPort = int16_t(n);
    host().showPortPanel();
    unload();
}

void Form_setup::Command1_Click()
{
    unload();
}

}  // namespace mx615
