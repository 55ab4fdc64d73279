#include "app/MDImain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/AboutTexts.h"
#include "app/EditCommands.h"
#include "app/FileDrop.h"
#include "app/frmAbout.h"
#include "app/Form_setup.h"
#include "app/Form_type.h"
#include "ui/Accessibility.h"
#include "ui/LazyIcon.h"
#include "ui/MenuBarKeys.h"
#include "ui/Prompt.h"
#include "adjust/frm_Adj_Txp.h"
#include "channels/Form_Chann_Edit.h"
#include "channels/frm_chann.h"
#include "features/Form_Edit_Message.h"
#include "features/Form_Edit_Test.h"
#include "features/Form_Edit_scan.h"
#include "features/Form_edit_Key.h"
#include "features/frm_option.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "files/ChannFileDialog.h"
#include "files/PlanOpen.h"
#include "model/StartupState.h"
#include "model/Tables.h"

namespace mx615 {

namespace {

// Menu captions: item, English, Chinese. The English of the top-level menus
// carries an access key; the underline is all the user sees of it.
struct MenuCaption {
    const char* name;
    const char* en;
    const char* zh;
};

constexpr MenuCaption kMenuCaptions[] = {
    {"File", "&File", "文件"},
    {"File_New", "New", "新建"},
    {"File_Open", "Open", "打开"},
    {"File_save", "Save", "保存"},
    {"File_saveas", "Save As", "另存为"},
    {"File_exit", "Exit", "退出"},
    {"proc_type", "&Model", "机型"},
    {"Edit", "&Edit", "编辑"},
    {"Channel_edit", "Channel Information ", "信道信息"},
    {"Optional_edit", "Optional Features", "可选功能"},
    {"key_edit", "Key Assignment", "键设定"},
    {"Scan_edit", "Scan Information", "扫描信息"},
    {"Dtmf_edit", "DTMF", "DTMF(双音多频)"},
    {"Fleetsync_edit", "FleetSync", "FleetSync(队列同步)"},
    {"Test_edit", "Radio", "收音机编辑"},
    {"Message_edit", "Embedded Message", "嵌入信息"},
    {"Program", "&Program", "编程"},
    {"Prog_read", "Read from radio", "从对讲机读取数据"},
    {"Prog_write", "Write to radio", "向对讲机写入数据"},
    {"Prog_test", "Test Mode", "测试模式"},
    {"Adjust", "Adjust", "调整"},
    {"Adj_Txp", "Power Adjust", "发射功率调整"},
    {"proc_setup", "&Communication", "端口设置"},
    {"Other", "Other", "杂项"},
    {"Language_Setup", "Language", "语言"},
    {"Language_chn", "中文", "中文"},
    {"Language_eng", "English", "English"},
    {"Menu_About", "About", "关于"},
    {"Menu_exit", "E&xit", "退出"},
};

// The toolbar's buttons, in order: the key a click compares, the picture, and
// the menu item whose command the button runs. A button shows no text; a
// screen reader and the tooltip call it by that item's caption.
struct ToolbarButton {
    const char* key;
    QStyle::StandardPixmap icon;
    const char* item;
};

constexpr ToolbarButton kToolbarButtons[] = {
    {"open", QStyle::SP_DialogOpenButton, "File_Open"},
    {"save", QStyle::SP_DialogSaveButton, "File_save"},
    {"edit_chann", QStyle::SP_FileDialogDetailedView, "Channel_edit"},
    {"read", QStyle::SP_ArrowDown, "Prog_read"},
    {"write", QStyle::SP_ArrowUp, "Prog_write"},
    {"Exit", QStyle::SP_DialogCloseButton, "File_exit"},
};

// Status panel shares of the width, in percent.
constexpr int kPanelShares[8] = {5, 11, 6, 8, 8, 5, 15, 43};

const Bilingual kTitle{"MX-615Plus series program software ", "MX-615Plus 系列对讲机编程软件 "};
const Bilingual kPanelState{"State", "状态"};
const Bilingual kPanelVersion{"  Version", "软件版本"};
const Bilingual kPanelBand{"Band", "频段"};

}  // namespace

MDImain::MDImain(AppContext& context) : context_(context), MSC(context.makeComm())
{
    InstallAccessibility();
    setObjectName("MDImain");
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MDIClient");
    mdi_->setBackground(palette().brush(QPalette::Dark));
    // A closing window hands the front to the one that was there before it
    // (a file dialog back to the window that opened it), not to the oldest.
    mdi_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* sub) {
        if (sub)
            if (auto* child = qobject_cast<ChildWindow*>(sub->widget()))
                child->Form_Activate();
    });
    edits_ = new EditCommands(*this);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    new FileDrop(*this);
}

MDImain::~MDImain()
{
    // No step is recorded while the windows go (their focus moves).
    delete edits_;
    edits_ = nullptr;
    // Children go first, while the state they refer to is still there.
    for (auto& [kind, window] : windows_)
        delete window.data();
}

void MDImain::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const char* name, const QKeySequence& keys = {}, bool shown = true) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(name);
        action->setShortcut(keys);
        action->setEnabled(shown);
        action->setVisible(shown);
        return action;
    };
    auto addMenu = [bar](const char* name, bool shown = true) {
        QMenu* menu = bar->addMenu(QString());
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        menu->menuAction()->setEnabled(shown);
        menu->menuAction()->setVisible(shown);
        return menu;
    };
    auto addTop = [this, bar](const char* name, bool shown = true) {
        QAction* action = bar->addAction(QString());
        action->setObjectName(name);
        action->setEnabled(shown);
        action->setVisible(shown);
        return action;
    };
    auto hiddenSeparator = [](QMenu* menu) {
        QAction* separator = menu->addSeparator();
        separator->setVisible(false);
        separator->setEnabled(false);
    };

    QMenu* file = addMenu("File");
    connect(add(file, "File_New", QKeySequence("Ctrl+N")), &QAction::triggered, this, &MDImain::File_New_Click);
    connect(add(file, "File_Open", QKeySequence("Ctrl+O")), &QAction::triggered, this, &MDImain::File_Open_Click);
    connect(add(file, "File_save", QKeySequence("Ctrl+S")), &QAction::triggered, this, &MDImain::File_save_Click);
    connect(add(file, "File_saveas"), &QAction::triggered, this, &MDImain::File_saveas_Click);
    connect(add(file, "File_exit"), &QAction::triggered, this, &QWidget::close);

    connect(addTop("proc_type"), &QAction::triggered, this, &MDImain::proc_type_Click);

    QMenu* edit = addMenu("Edit");
    edits_->addToEdit(edit);
    connect(add(edit, "Channel_edit"), &QAction::triggered, this, &MDImain::Channel_edit_Click);
    connect(add(edit, "Optional_edit"), &QAction::triggered, this, &MDImain::Optional_edit_Click);
    // Hidden, but each opens its window when triggered.
    connect(add(edit, "key_edit", {}, false), &QAction::triggered, this, &MDImain::key_edit_Click);
    hiddenSeparator(edit);
    connect(add(edit, "Scan_edit", {}, false), &QAction::triggered, this, &MDImain::Scan_edit_Click);
    add(edit, "Dtmf_edit", {}, false);
    add(edit, "Fleetsync_edit", {}, false);
    connect(add(edit, "Test_edit", {}, false), &QAction::triggered, this, &MDImain::Test_edit_Click);
    hiddenSeparator(edit);
    connect(add(edit, "Message_edit", {}, false), &QAction::triggered, this, &MDImain::Message_edit_Click);

    QMenu* program = addMenu("Program");
    connect(add(program, "Prog_read", QKeySequence("Ctrl+R")), &QAction::triggered, this, &MDImain::Prog_read_Click);
    connect(add(program, "Prog_write", QKeySequence("Ctrl+W")), &QAction::triggered, this,
            &MDImain::Prog_write_Click);
    add(program, "Prog_test", QKeySequence("Ctrl+T"), false);
    edits_->addToProgram(program);

    QMenu* adjust = addMenu("Adjust", false);
    add(adjust, "Adj_Txp");
    item("Adj_Txp")->setEnabled(false);

    connect(addTop("proc_setup"), &QAction::triggered, this, &MDImain::proc_setup_Click);
    connect(addTop("Other", false), &QAction::triggered, this, &MDImain::Other_Click);

    QMenu* language = addMenu("Language_Setup", false);
    QAction* chn = add(language, "Language_chn");
    QAction* eng = add(language, "Language_eng");
    chn->setCheckable(true);
    eng->setCheckable(true);
    connect(chn, &QAction::triggered, this, &MDImain::Language_chn_Click);
    connect(eng, &QAction::triggered, this, &MDImain::Language_eng_Click);

    connect(addTop("Menu_About", false), &QAction::triggered, this, &MDImain::Menu_About_Click);
    connect(addTop("Menu_exit"), &QAction::triggered, this, &QWidget::close);

    // Alt and F10 reach every menu, in either language.
    InstallMenuBarKeys(bar);
}

void MDImain::setServiceMode(bool on)
{
    // Hidden items that open a window (or switch the language).
    static const char* const kServiceItems[] = {"key_edit",       "Scan_edit",  "Test_edit", "Message_edit",
                                                "Other",          "Language_Setup", "Menu_About"};
    for (const char* name : kServiceItems) {
        QAction* action = item(name);
        action->setVisible(on);
        action->setEnabled(on);
    }
    // The Edit menu's separators part the hidden editors from the shown ones
    // (those between the row commands always show).
    for (QAction* action : findChild<QMenu*>("Edit")->actions())
        if (action->isSeparator() && action->objectName().isEmpty())
            action->setVisible(on);
}

void MDImain::buildToolbar()
{
    toolbar_ = addToolBar(QString());
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolbarButton& b : kToolbarButtons) {
        const QStyle::StandardPixmap picture = b.icon;
        QAction* action =
            toolbar_->addAction(LazyIcon([picture] { return QApplication::style()->standardIcon(picture); }), QString());
        action->setObjectName(QStringLiteral("Toolbar1_%1").arg(b.key));
        action->setData(QString::fromLatin1(b.key));
        connect(action, &QAction::triggered, this, [this, action] { Toolbar1_ButtonClick(action->data().toString()); });
    }
}

void MDImain::nameToolbarButtons()
{
    // The menu item's caption, and its shortcut where it has one: "Open (Ctrl+O)".
    for (const ToolbarButton& b : kToolbarButtons) {
        const QAction* command = item(b.item);
        QString text = command->text().remove(QLatin1Char('&')).trimmed();
        if (!command->shortcut().isEmpty())
            text += QStringLiteral(" (%1)").arg(command->shortcut().toString(QKeySequence::NativeText));
        QAction* button = toolbar_->findChild<QAction*>(QStringLiteral("Toolbar1_%1").arg(b.key));
        button->setText(text);
        button->setToolTip(text);
    }
}

void MDImain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 8; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Panels 1..7 get fixed widths at start-up; the company name takes
        // what is left and is the one that gives way on a narrow screen.
        bar->addWidget(panels_[i], i == 7 ? 1 : 0);
    }
    panels_[7]->setMinimumWidth(0);
}

QLabel* MDImain::panel(int number) const
{
    return number >= 1 && number <= 8 ? panels_[number - 1] : nullptr;
}

QAction* MDImain::item(const char* name) const
{
    return findChild<QAction*>(QString::fromLatin1(name));
}

void MDImain::showPortPanel()
{
    panel(3)->setText(QStringLiteral("COM%1").arg(context_.state.CommPort));
    fitPanels();
}

void MDImain::showBandPanel()
{
    panel(7)->setText(qs(BandRangeText(context_.state.BandLowMHz, context_.state.BandHighMHz)));
    fitPanels();
}

void MDImain::fitPanels()
{
    // Each panel takes its share of the window's width at start-up, or the
    // width of its text where that share is too narrow (a small screen): no
    // panel but the last ever cuts its text.
    if (panelsWidth_ <= 0)
        return;
    for (int i = 0; i < 7; ++i) {
        QLabel* label = panels_[i];
        const QMargins margins = label->contentsMargins();
        const int text = label->fontMetrics().horizontalAdvance(label->text()) + margins.left() + margins.right() +
                         2 * label->frameWidth() + 2 * label->margin() + 6;
        label->setFixedWidth(std::max(panelsWidth_ * kPanelShares[i] / 100, text));
    }
}

void MDImain::applyCaptions(bool chinese)
{
    item("Language_chn")->setChecked(chinese);
    item("Language_eng")->setChecked(!chinese);
    for (const MenuCaption& caption : kMenuCaptions)
        if (QAction* action = item(caption.name))
            action->setText(QString::fromUtf8(chinese ? caption.zh : caption.en));
    edits_->applyCaptions(chinese);
    nameToolbarButtons();
    panel(8)->setText(qs(kCompanyName, chinese));
    setWindowTitle(qs(kTitle, chinese));
    panel(1)->setText(qs(kPanelState, chinese));
    panel(2)->clear();
    showPortPanel();
    panel(4)->setText(qs(kPanelVersion, chinese));
    panel(6)->setText(qs(kPanelBand, chinese));
    fitPanels();
}

void MDImain::Form_Load()
{
    ProgramState& s = context_.state;
    // 1. Version and language.
    s.VersionText = kVersionText;
    s.UiChinese = false;
    s.About = FillAboutTexts(false);

    // 2. A main window two thirds of the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = screen->size() / 1.5;
        resize(size);
        move(screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
    }
    show();
    raise();
    activateWindow();

    // 3-4. Status panels and English captions; at start-up the Other item reads "Test".
    panelsWidth_ = width();
    panel(1)->clear();
    applyCaptions(false);
    item("Other")->setText("Test");

    // 5-6. Find the first port from COM8 down that opens, then let it go again.
    if (MSC)
        MSC->refreshPorts();
    for (int n = 8; n >= 1; --n) {
        s.CommPort = int16_t(n);
        ProbePort();
        if (!s.PortOpenFailed)
            break;
    }
    if (s.PortOpenFailed)
        s.CommPort = 1;
    showPortPanel();
    if (MSC && MSC->isOpen())
        MSC->close();

    // 7-11. Model, tables and the band, the radio image with the factory
    // channels, the adjustment table.
    s.ChannelCount = 16;
    FillStartupState(s);
    panel(5)->setText(qs(s.VersionText));
    fitPanels();
    showBandPanel();

    // 12. The channel table is open when the program is ready.
    openWindow<frm_chann>();
    // What the user changes from here on can be undone.
    edits_->restart();
}

void MDImain::ProbePort()
{
    ProgramState& s = context_.state;
    s.PortOpenFailed = false;
    if (!MSC) {
        s.PortOpenFailed = true;
        return;
    }
    if (MSC->isOpen())
        MSC->close();
    s.PortOpenFailed = !OpenWithRadioSettings(*MSC, s.CommPort);
}

void MDImain::Toolbar1_ButtonClick(const QString& key)
{
    if (key == QLatin1String("open"))
        File_Open_Click();
    else if (key == QLatin1String("save"))
        File_save_Click();
    else if (key == QLatin1String("edit_chann"))
        Channel_edit_Click();
    else if (key == QLatin1String("read"))
        Prog_read_Click();
    else if (key == QLatin1String("write"))
        Prog_write_Click();
    else if (key == QLatin1String("Exit"))
        close();
}

bool MDImain::OpenNamedFile(const QString& path)
{
    if (!OpenPlanFile(*this, this, path))
        return false;
    // The file shows in the channel table, which opens if the user closed it.
    if (!window<frm_chann>())
        openWindow<frm_chann>();
    return true;
}

void MDImain::File_New_Click() {}

void MDImain::File_Open_Click()
{
    openWindow<Form_open_chann>();
}

void MDImain::File_save_Click()
{
    openWindow<Form_save_chann>();
}

void MDImain::File_saveas_Click()
{
    File_save_Click();
}

void MDImain::proc_type_Click()
{
    openWindow<Form_type>();
}

void MDImain::Channel_edit_Click()
{
    openWindow<frm_chann>();
}

void MDImain::Optional_edit_Click()
{
    openWindow<frm_option>();
}

void MDImain::key_edit_Click()
{
    openWindow<Form_edit_Key>();
}

void MDImain::Scan_edit_Click()
{
    openWindow<Form_Edit_scan>();
}

void MDImain::Test_edit_Click()
{
    openWindow<Form_Edit_Test>();
}

void MDImain::Message_edit_Click()
{
    openWindow<Form_Edit_Message>();
}

void MDImain::Prog_read_Click()
{
    openWindow<Form_Comm_Read>();
}

void MDImain::Prog_write_Click()
{
    openWindow<Form_Comm_Write>();
}

void MDImain::proc_setup_Click()
{
    openWindow<Form_setup>();
}

void MDImain::Other_Click()
{
    openWindow<frm_Adj_Txp>();
}

void MDImain::Language_chn_Click()
{
    switchLanguage(true);
}

void MDImain::Language_eng_Click()
{
    switchLanguage(false);
}

void MDImain::switchLanguage(bool chinese)
{
    // Choosing the language already in use only re-applies the captions.
    ProgramState& s = context_.state;
    if (s.UiChinese != chinese) {
        s.UiChinese = chinese;
        s.About = FillAboutTexts(chinese);
    }
    applyCaptions(chinese);
}

void MDImain::Menu_About_Click()
{
    openWindow<frmAbout>();
}

void MDImain::adopt(std::type_index kind, ChildWindow* window)
{
    QMdiSubWindow* sub = mdi_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The child's system menu closes it with the platform's Close keys, which
    // include Ctrl+W here; that would make Write to radio ambiguous and dead.
    if (QMenu* menu = sub->systemMenu())
        for (QAction* action : menu->actions())
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    windows_[kind] = window;
}

ChildWindow* MDImain::findWindow(std::type_index kind) const
{
    auto it = windows_.find(kind);
    return it == windows_.end() ? nullptr : it->second.data();
}

QSize MDImain::clientSize() const
{
    return mdi_->viewport()->size();
}

void MDImain::imageReplaced()
{
    // Every window that shows the image redraws now rather than waiting to be
    // brought to the front.
    std::vector<QPointer<ChildWindow>> open;
    for (auto& [kind, window] : windows_)
        open.push_back(window);
    for (const QPointer<ChildWindow>& window : open)
        if (window)
            window->showImage();
}

void MDImain::recordStep(const Bilingual& name)
{
    if (edits_)
        edits_->record(name);
}

void MDImain::forget(ChildWindow* window)
{
    for (auto it = windows_.begin(); it != windows_.end();)
        it = (it->second == window) ? windows_.erase(it) : std::next(it);
}

void MDImain::closeEvent(QCloseEvent* event)
{
    // Nothing is kept between runs, so there is nothing to ask.
    event->accept();
}

}  // namespace mx615
