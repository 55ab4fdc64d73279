// The main window after start-up: port scan, menus, toolbar, status bar,
// language switch and the window mechanism.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QMdiArea>
#include <QMessageBox>
#include <QTimer>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/AboutTexts.h"
#include "app/frmAbout.h"
#include "channels/frm_chann.h"
#include "files/ChannFileDialog.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "support/BothWays.h"
#include "support/TestApp.h"

using namespace mx615;
using namespace mx615::test;

namespace {

// A window kind for exercising the open mechanism on its own.
class ProbeWindow : public ChildWindow {
    Q_OBJECT
public:
    using ChildWindow::ChildWindow;
    using ChildWindow::warn;
    void Form_Load() override
    {
        ++loads;
        place(0, 0, 200, 100);
        frame()->show();
    }
    void Form_Activate() override { ++activations; }
    void Form_Unload() override { ++unloads; }
    static inline int loads = 0;
    static inline int unloads = 0;
    int activations = 0;
};

// The hidden items that open a window, shown by --service.
const QStringList kServiceItems{"key_edit", "Scan_edit", "Test_edit", "Message_edit", "Other",
                                "Language_Setup", "Menu_About"};

QAction* action(const TestApp& app, const char* name)
{
    return app.main->findChild<QAction*>(QString::fromLatin1(name));
}

QStringList visibleTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (QAction* a : actions)
        if (a->isVisible() && !a->isSeparator())
            texts << plainText(a->text());
    return texts;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void portScan_data()
    {
        QTest::addColumn<QList<int>>("present");
        QTest::addColumn<QList<int>>("refused");
        QTest::addColumn<int>("chosen");
        QTest::newRow("COM2 and COM5: the highest wins") << QList<int>{2, 5} << QList<int>{} << 5;
        QTest::newRow("no port at all: COM1") << QList<int>{} << QList<int>{} << 1;
        QTest::newRow("COM8 is tried first") << QList<int>{1, 8} << QList<int>{} << 8;
        QTest::newRow("a refused port is skipped") << QList<int>{3, 6} << QList<int>{6} << 3;
        QTest::newRow("ports above 8 are not scanned") << QList<int>{9, 12} << QList<int>{} << 1;
    }
    void portScan()
    {
        QFETCH(QList<int>, present);
        QFETCH(QList<int>, refused);
        QFETCH(int, chosen);
        TestApp app({}, false);
        for (int p : present)
            app.hub.addPort(p);
        for (int p : refused)
            app.hub.refuseOpen(p, PortError::PermissionDenied);
        app.main->Form_Load();
        QCOMPARE(int(app.state.CommPort), chosen);
        QCOMPARE(app.main->panel(3)->text(), QStringLiteral("COM%1").arg(chosen));
        for (int p : present)
            QVERIFY2(!app.hub.isOpen(p), "the scan must let the port go again");
        if (present.contains(chosen))
            QCOMPARE(app.hub.openCount(chosen), 1);
        QVERIFY(app.prompt.messages.isEmpty());
        // The port table is read once for the whole scan, not once per port.
        QCOMPARE(app.hub.tableReads, 1);
        // Start-up went on to the end whatever the ports did.
        QCOMPARE(app.state.RadioImage[1][3], int16_t(0x45));
        QCOMPARE(app.state.ToneNames[205], std::string("   D754I   "));
    }

    void startupScanKeepsTheCable_data()
    {
        QTest::addColumn<QStringList>("machine");
        QTest::addColumn<QString>("kept");
        QTest::newRow("two on-board ports and a cable")
            << QStringList{"/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyS0"} << "/dev/ttyUSB0";
        QTest::newRow("four on-board ports, two adapters")
            << QStringList{"/dev/ttyACM0", "/dev/ttyS3", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyS0", "/dev/ttyS1"}
            << "/dev/ttyACM0";
    }
    void startupScanKeepsTheCable()
    {
        // Every port of the machine opens, the on-board ones too: the scan
        // from COM8 down must reach an adapter first.
        QFETCH(QStringList, machine);
        QFETCH(QString, kept);
        std::vector<std::string> system;
        for (const QString& path : machine)
            system.push_back(path.toStdString());
        // No sysfs at that root: the names decide.
        const std::vector<std::string> table = PortPaths(BuildPortTable(nullptr, system, DeviceTree("/nonexistent")));
        TestApp app({}, false);
        for (int n = 1; n <= int(table.size()); ++n)
            app.hub.addPort(n);
        app.main->Form_Load();
        QCOMPARE(QString::fromStdString(PortForNumber(table, app.state.CommPort)), kept);
    }

    void visibleMenus()
    {
        TestApp app;
        QCOMPARE(visibleTexts(app.main->menuBar()->actions()),
                 (QStringList{"File", "Model", "Edit", "Program", "Communication", "Exit"}));
        QMenu* file = app.main->findChild<QMenu*>("File");
        QMenu* edit = app.main->findChild<QMenu*>("Edit");
        QMenu* program = app.main->findChild<QMenu*>("Program");
        QCOMPARE(visibleTexts(file->actions()), (QStringList{"New", "Open", "Save", "Save As", "Exit"}));
        // The history and the row commands stand above the editors.
        QCOMPARE(visibleTexts(edit->actions()),
                 (QStringList{"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Move Channel Up",
                              "Move Channel Down", "Sort by Receive Frequency", "Channel Information ",
                              "Optional Features"}));
        QCOMPARE(visibleTexts(program->actions()),
                 (QStringList{"Read from radio", "Write to radio", "Compare with Radio"}));
        for (QAction* a : edit->actions())
            if (a->isSeparator() && a->objectName().isEmpty())
                QVERIFY(!a->isVisible());
    }

    void hiddenItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        for (auto [name, caption] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"key_edit", "Key Assignment"}, {"Scan_edit", "Scan Information"}, {"Dtmf_edit", "DTMF"},
                 {"Fleetsync_edit", "FleetSync"}, {"Test_edit", "Radio"}, {"Message_edit", "Embedded Message"},
                 {"Prog_test", "Test Mode"}, {"Adjust", "Adjust"}, {"Other", "Test"},
                 {"Language_Setup", "Language"}, {"Menu_About", "About"}})
            QTest::newRow(name) << name << caption;
    }
    void hiddenItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        TestApp app;
        QAction* a = action(app, qPrintable(name));
        QVERIFY2(a, qPrintable(name));
        QVERIFY(!a->isVisible());
        QVERIFY(!a->isEnabled());
        QCOMPARE(plainText(a->text()), caption);
        // The service view shows exactly the hidden items that open a window.
        app.main->setServiceMode(true);
        QCOMPARE(a->isVisible(), kServiceItems.contains(name));
        QCOMPARE(a->isEnabled(), kServiceItems.contains(name));
    }

    void shortcuts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keys");
        QTest::newRow("New") << "File_New" << "Ctrl+N";
        QTest::newRow("Open") << "File_Open" << "Ctrl+O";
        QTest::newRow("Save") << "File_save" << "Ctrl+S";
        QTest::newRow("Read") << "Prog_read" << "Ctrl+R";
        QTest::newRow("Write") << "Prog_write" << "Ctrl+W";
        QTest::newRow("Test mode") << "Prog_test" << "Ctrl+T";
        QTest::newRow("Save As has none") << "File_saveas" << "";
    }
    void shortcuts()
    {
        QFETCH(QString, name);
        QFETCH(QString, keys);
        TestApp app;
        QCOMPARE(action(app, qPrintable(name))->shortcut(), QKeySequence(keys));
    }

    void shortcutsWorkFromTheChannelTable_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("opens");
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << "Form_Comm_Read";
        QTest::newRow("Ctrl+W") << int(Qt::Key_W) << "Form_Comm_Write";
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << "Form_open_chann";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << "Form_save_chann";
    }
    void shortcutsWorkFromTheChannelTable()
    {
        // The focus sits in the channel grid (or its editor) most of the time;
        // the menu shortcuts must still reach the main window from there.
        QFETCH(int, key);
        QFETCH(QString, opens);
        TestApp app;
        app.main->activateWindow();
        QApplication::setActiveWindow(app.main.get());
        frm_chann* table = app.main->window<frm_chann>();
        QVERIFY(table);
        for (QWidget* target : {static_cast<QWidget*>(table->MSF_chann), static_cast<QWidget*>(table->Text_Edit)}) {
            if (target == table->Text_Edit)
                QTest::keyClick(table->MSF_chann, Qt::Key_F2);
            target->setFocus();
            QTest::keyClick(target, Qt::Key(key), Qt::ControlModifier);
            QWidget* opened = nullptr;
            for (QMdiSubWindow* sub : app.main->mdiArea()->subWindowList())
                if (sub->widget() && QString::fromLatin1(sub->widget()->metaObject()->className()) == "mx615::" + opens)
                    opened = sub->widget();
            QVERIFY2(opened, qPrintable(opens));
            QVERIFY(app.main->window<frm_chann>());
            opened->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    void statusBar()
    {
        TestApp app({4});
        const QStringList expected{"State", "", "COM4", "  Version", "V12.07.30", "Band", " 400-- 480 MHZ"};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(app.main->panel(i + 1)->text(), expected[i]);
        QVERIFY(!app.main->panel(8)->text().isEmpty());
        QCOMPARE(app.main->windowTitle(), QStringLiteral("MX-615Plus series program software "));
        // Each panel has its share of the start-up width, or its text's width
        // where the share is narrower: none but the company name cuts its text.
        const QList<int> shares{5, 11, 6, 8, 8, 5, 15};
        const int startWidth = app.main->width();
        app.main->resize(startWidth + 300, app.main->height());
        QTest::qWait(0);
        for (int i = 0; i < shares.size(); ++i) {
            QLabel* panel = app.main->panel(i + 1);
            const int text = panel->fontMetrics().horizontalAdvance(panel->text());
            QVERIFY2(panel->contentsRect().width() >= text, qPrintable(panel->text()));
            QVERIFY(panel->width() >= startWidth * shares[i] / 100);
            QVERIFY(panel->width() <= std::max(startWidth * shares[i] / 100, text + 20));
        }
        // The company name takes the rest of the bar.
        QVERIFY(app.main->panel(8)->geometry().right() >= app.main->statusBar()->width() - 30);
    }

    void startupSizeAndTables()
    {
        TestApp app;
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(app.main->width(), int(screen.width() / 1.5));
        QCOMPARE(app.state.ModelIndex, int16_t(1));
        QCOMPARE(app.state.ChannelCount, int16_t(16));
        QCOMPARE(app.state.BandLowMHz, 400.0);
        QCOMPARE(app.state.BandHighMHz, 481.0);
        QVERIFY(!app.state.UiChinese);
    }

    void toolbar()
    {
        TestApp app;
        const QList<QAction*> buttons = app.main->toolbar()->actions();
        QStringList keys;
        for (QAction* b : buttons) {
            keys << b->data().toString();
            QVERIFY(!b->icon().isNull());
            QVERIFY(!b->toolTip().isEmpty());
        }
        QCOMPARE(keys, (QStringList{"open", "save", "edit_chann", "read", "write", "Exit"}));
    }

    void toolbarKeysAreCaseSensitive_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Exit") << "Exit" << true;
        QTest::newRow("exit") << "exit" << false;
        QTest::newRow("EXIT") << "EXIT" << false;
        QTest::newRow("unknown") << "frobnicate" << false;
    }
    void toolbarKeysAreCaseSensitive()
    {
        QFETCH(QString, key);
        QFETCH(bool, closes);
        TestApp app;
        QVERIFY(app.main->isVisible());
        app.main->Toolbar1_ButtonClick(key);
        QCOMPARE(!app.main->isVisible(), closes);
    }

    void exitItemsClose_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("File > Exit") << "File_exit";
        QTest::newRow("Exit") << "Menu_exit";
    }
    void exitItemsClose()
    {
        QFETCH(QString, name);
        TestApp app;
        action(app, qPrintable(name))->trigger();
        QVERIFY(!app.main->isVisible());
        QVERIFY(app.prompt.messages.isEmpty());
    }

    void languageSwitch()
    {
        TestApp app({3});
        app.main->Language_chn_Click();
        QVERIFY(app.state.UiChinese);
        QCOMPARE(action(app, "File")->text(), QStringLiteral("文件"));
        QCOMPARE(action(app, "Prog_read")->text(), QStringLiteral("从对讲机读取数据"));
        QCOMPARE(app.main->panel(1)->text(), QStringLiteral("状态"));
        QCOMPARE(app.main->panel(3)->text(), QStringLiteral("COM3"));
        QCOMPARE(app.main->panel(4)->text(), QStringLiteral("软件版本"));
        QCOMPARE(app.main->panel(7)->text(), QStringLiteral(" 400-- 480 MHZ"));
        QCOMPARE(app.main->windowTitle(), QStringLiteral("MX-615Plus 系列对讲机编程软件 "));
        QVERIFY(action(app, "Language_chn")->isChecked());
        QVERIFY(!action(app, "Language_eng")->isChecked());
        app.main->Language_eng_Click();
        QVERIFY(!app.state.UiChinese);
        QCOMPARE(plainText(action(app, "File")->text()), QStringLiteral("File"));
        QCOMPARE(action(app, "Other")->text(), QStringLiteral("Other"));
        QVERIFY(action(app, "Language_eng")->isChecked());
    }

    // The about box shows the texts of the language in force; an open box
    // keeps its captions through a switch until it is opened again.
    void aboutBox()
    {
        TestApp app;
        QCOMPARE(app.state.About.confirm, std::string("Confirm"));
        frmAbout* about = app.main->openWindow<frmAbout>();
        QCOMPARE(about->cmdSysInfo->text(), QString("System Information(&S)..."));
        QVERIFY(about->lblVersion->text().contains("Harbor Signal"));
        app.main->Language_chn_Click();
        QCOMPARE(app.state.About.confirm, std::string("确定"));
        QCOMPARE(about->cmdOK->text(), QString("Confirm"));
        about = app.main->openWindow<frmAbout>();
        QCOMPARE(about->cmdOK->text(), QString("确定"));
        QCOMPARE(about->cmdSysInfo->text(), QString("系统信息(&S)..."));
        QVERIFY(about->lblVersion->text().contains(QString::fromStdString(kCompanyName.zh)));
        // No system-information tool here: the Chinese-only message.
        app.main->Language_eng_Click();
        QTest::mouseClick(about->cmdSysInfo, Qt::LeftButton);
        QCOMPARE(app.prompt.texts(), QStringList{"此时系统信息不可用"});
        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        QTRY_VERIFY(!app.main->window<frmAbout>());
    }

    void openingReplacesTheWindow()
    {
        TestApp app;
        ProbeWindow::loads = ProbeWindow::unloads = 0;
        ProbeWindow* first = app.main->openWindow<ProbeWindow>();
        QCOMPARE(app.main->window<ProbeWindow>(), first);
        QPointer<ProbeWindow> old(first);
        ProbeWindow* second = app.main->openWindow<ProbeWindow>();
        QVERIFY(second != first);
        QCOMPARE(app.main->window<ProbeWindow>(), second);
        QCOMPARE(ProbeWindow::loads, 2);
        QCOMPARE(ProbeWindow::unloads, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
        second->unload();
        QCOMPARE(app.main->window<ProbeWindow>(), nullptr);
        QCOMPARE(ProbeWindow::unloads, 2);
    }

    void activationReachesTheWindow()
    {
        TestApp app;
        app.main->activateWindow();
        auto* a = app.main->openWindow<ProbeWindow>();
        auto* b = new ProbeWindow(*app.main);
        QMdiSubWindow* sub = app.main->mdiArea()->addSubWindow(b);
        sub->show();
        app.main->mdiArea()->setActiveSubWindow(sub);
        const int before = a->activations;
        app.main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(a->parentWidget()));
        QCOMPARE(a->activations, before + 1);
    }

    // A real message box whose window is unloaded, and deleted, while the box
    // is open (a transfer completing under the refusal box): the box must not
    // be freed with the window, and the caller learns the window is gone.
    void boxOutlivesItsWindow_data()
    {
        bothWays("unloadInside", "window stays", "window unloaded while its box is open");
    }
    void boxOutlivesItsWindow()
    {
        QFETCH(bool, unloadInside);
        ProgramState state;
        MessageBoxPrompt prompt;
        VirtualClock clock;
        MemoryPortHub hub;
        AppContext context{state, prompt, clock, [&] { return std::make_unique<MemoryCommControl>(hub, clock); },
                           {}};
        MDImain main(context);
        main.resize(800, 600);
        main.show();
        QPointer<ProbeWindow> window = main.openWindow<ProbeWindow>();
        bool boxSeen = false;
        QTimer::singleShot(0, &main, [&] {
            QWidget* box = QApplication::activeModalWidget();
            boxSeen = box && box->isVisible();
            if (unloadInside) {
                window->unload();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            QTimer::singleShot(0, &main, [] {
                if (auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    open->accept();
            });
        });
        const bool stillLoaded = window->warn({"Read-write operating", "正在进行读写操作"});
        QVERIFY(boxSeen);
        QCOMPARE(stillLoaded, !unloadInside);
        // The window object outlives its box, so code below the box may still
        // run; it goes as soon as the box has closed.
        QVERIFY(!window.isNull());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(window.isNull(), unloadInside);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
