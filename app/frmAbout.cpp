#include "app/frmAbout.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>

#include "app/AboutTexts.h"
#include "ui/Prompt.h"

namespace mx615 {

namespace {

constexpr int kWidth = 460;
constexpr int kHeight = 280;
constexpr int kRaiseTwips = 500;

}  // namespace

frmAbout::frmAbout(WindowHost& host) : ChildWindow(host)
{
    auto label = [this](QLabel*& control, const char* name) {
        control = makeNamed<QLabel>(name);
        control->setWordWrap(true);
    };
    label(lblTitle, "lblTitle");
    label(lblVersion, "lblVersion");
    label(lblDescription, "lblDescription");
    label(lblDisclaimer, "lblDisclaimer");
    QFont big = lblTitle->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    lblTitle->setFont(big);
    lblDisclaimer->setEnabled(false);  // the small print, in grey
    cmdOK = makeNamed<QPushButton>("cmdOK");
    cmdSysInfo = makeNamed<QPushButton>("cmdSysInfo");

    auto* icon = new QLabel(this);
    icon->setPixmap(QGuiApplication::windowIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    for (QLabel* l : {lblTitle, lblVersion, lblDescription})
        texts->addWidget(l);
    texts->addStretch();
    texts->addWidget(lblDisclaimer);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttonRow({cmdOK, cmdSysInfo}, ButtonsAt::Right));

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    setDefaultButton(cmdOK);
    setCancelButton(cmdOK);
}

void frmAbout::Form_Load()
{
    AboutTexts& about = state().About;
    about = FillAboutTexts(chinese());
    // Centred in the client area, raised by 500 twips.
    centreInClient(QSize(kWidth, kHeight), twipsToPixels(kRaiseTwips));
    useDialogFrame();
    setCaption({"About", "关于"});
    lblTitle->setText(qs(about.title));
    lblVersion->setText(qs(about.rights));
    lblDescription->setText(qs(about.designer));
    lblDisclaimer->setText(qs(about.warning));
    cmdOK->setText(qs(about.confirm));
    cmdSysInfo->setText(qs(about.systemInfo));
    showActive();
    cmdOK->setFocus();
}

void frmAbout::cmdOK_Click()
{
    unload();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
#ifdef Q_OS_WIN
    QString program =
        QSettings(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), QSettings::NativeFormat)
            .value(QStringLiteral("PATH"))
            .toString();
    if (program.isEmpty()) {
        const QString folder = QSettings(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location"),
                                         QSettings::NativeFormat)
                                   .value(QStringLiteral("MSINFO"))
                                   .toString();
        if (!folder.isEmpty() && QFileInfo::exists(folder + QStringLiteral("\\MSINFO32.EXE")))
            program = folder + QStringLiteral("\\MSINFO32.EXE");
    }
    if (!program.isEmpty() && QProcess::startDetached(program, {}))
        return;
#endif
    // No system-information tool here: the message, in both languages.
    warn({kSystemInfoUnavailable, kSystemInfoUnavailable});
}

}  // namespace mx615
