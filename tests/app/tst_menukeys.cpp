// The menu bar from the keyboard alone, as Qt's accessibility layer tells a
// screen reader of it, in English and Chinese, with and without the service
// menus: a lone Alt and F10 put the bar in focus naming its first menu, Left
// and Right name every shown menu in turn, Down opens a menu naming its first
// item, Escape goes back a step. And with the keys held back as a screen
// reader holds them, Alt+letter keeps its menu open and a lone Alt keeps the
// bar in focus.

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <memory>
#include <vector>

#include "support/TestApp.h"

using namespace mx615;
using namespace mx615::test;

namespace {

QWidget* g_main = nullptr;

// What a screen reader finds in focus, by name: the item in focus of the open
// menu or of the bar, or the control that has the focus. (Offscreen, Qt sends
// no accessibility events; the focus the reader asks for is the same.)
QString readerFocus()
{
    QWidget* popup = QApplication::activePopupWidget();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(popup ? popup : QApplication::focusWidget());
    if (!iface)
        return {};
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface* child = iface->child(i); child && child->state().focused)
            return child->text(QAccessible::Name);
    return iface->text(QAccessible::Name);
}

// The window the window system gives the keys to: an open menu's while one
// is open (it holds the keyboard), the active window's otherwise.
QWindow* keyboardWindow()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->windowHandle();
    QWindow* focus = QGuiApplication::focusWindow();
    return focus ? focus : g_main->windowHandle();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(keyboardWindow(), key, modifiers);
}

// Holds every key back as Qt's link to the accessibility bus does while a
// screen reader runs: the key from the window system is kept, and a copy of
// it goes to the same window once the reader has answered (answer()).
class HeldKeys : public QObject {
public:
    HeldKeys() { qApp->installEventFilter(this); }
    ~HeldKeys() override { qApp->removeEventFilter(this); }

    void answer()
    {
        for (auto& [window, key] : held_)
            if (window)
                QCoreApplication::postEvent(window, key.release());
        held_.clear();
        QCoreApplication::processEvents();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
        if (!key || !event->spontaneous() || !watched->isWindowType())
            return false;
        const auto* k = static_cast<QKeyEvent*>(event);
        held_.emplace_back(watched, std::make_unique<QKeyEvent>(k->type(), k->key(), k->modifiers(), k->nativeScanCode(),
                                                                k->nativeVirtualKey(), k->nativeModifiers(), k->text(),
                                                                k->isAutoRepeat(), k->count()));
        return true;
    }

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QKeyEvent>>> held_;
};

struct Program {
    Program(bool chinese, bool service) : app({}, false)
    {
        app.main->setServiceMode(service);
        app.main->Form_Load();
        if (chinese)
            app.main->Language_chn_Click();
        app.main->activateWindow();
        QApplication::setActiveWindow(app.main.get());
        (void)QTest::qWaitForWindowActive(app.main.get());
        g_main = app.main.get();
    }
    QMenuBar* bar() const { return app.main->menuBar(); }
    TestApp app;
};

const QStringList kMenusEn{"File", "Model", "Edit", "Program", "Communication", "Exit"};
const QStringList kMenusEnService{"File", "Model", "Edit", "Program", "Communication", "Test", "Language", "About", "Exit"};
const QStringList kMenusZh{"文件", "机型", "编辑", "编程", "端口设置", "退出"};
const QStringList kMenusZhService{"文件", "机型", "编辑", "编程", "端口设置", "杂项", "语言", "关于", "退出"};

}  // namespace

class TestMenuKeys : public QObject {
    Q_OBJECT
private slots:
    void walkTheMenus_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<bool>("service");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QString>("firstItem");
        for (int key : {int(Qt::Key_Alt), int(Qt::Key_F10)}) {
            const char* k = key == Qt::Key_Alt ? "Alt" : "F10";
            QTest::newRow(QByteArray("en ") + k) << false << false << key << kMenusEn << "New";
            QTest::newRow(QByteArray("en service ") + k) << false << true << key << kMenusEnService << "New";
            QTest::newRow(QByteArray("zh ") + k) << true << false << key << kMenusZh << "新建";
            QTest::newRow(QByteArray("zh service ") + k) << true << true << key << kMenusZhService << "新建";
        }
    }
    void walkTheMenus()
    {
        QFETCH(bool, chinese);
        QFETCH(bool, service);
        QFETCH(int, key);
        QFETCH(QStringList, menus);
        QFETCH(QString, firstItem);
        Program p(chinese, service);
        QWidget* grid = QApplication::focusWidget();
        QVERIFY(grid);

        press(Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), p.bar());
        QCOMPARE(readerFocus(), menus.first());

        // Right names each shown menu and comes round to the first; Left goes back.
        QStringList heard;
        for (int i = 0; i < menus.size(); ++i) {
            press(Qt::Key_Right);
            heard << readerFocus();
        }
        QCOMPARE(heard, menus.mid(1) << menus.first());
        press(Qt::Key_Left);
        QCOMPARE(readerFocus(), menus.last());
        press(Qt::Key_Right);

        // Down opens the first menu at its first item; Escape closes it and
        // leaves the bar in focus, a second Escape goes back to the grid.
        press(Qt::Key_Down);
        QVERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QCOMPARE(readerFocus(), firstItem);
        press(Qt::Key_Escape);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(QApplication::focusWidget(), p.bar());
        QCOMPARE(readerFocus(), menus.first());
        press(Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), grid);
    }

    void itemsSayTheirKeysAndRun_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("write");
        QTest::newRow("en") << false << "Read from radio" << "Write to radio";
        QTest::newRow("zh") << true << "从对讲机读取数据" << "向对讲机写入数据";
    }
    void itemsSayTheirKeysAndRun()
    {
        QFETCH(bool, chinese);
        QFETCH(QString, read);
        QFETCH(QString, write);
        Program p(chinese, true);
        // Orca reads an item's keys from its key binding written as
        // "access key;path;keys", and only the third part.
        const auto focusAndKeys = [] {
            QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(QApplication::activePopupWidget());
            for (int i = 0; i < menu->childCount(); ++i)
                if (QAccessibleInterface* item = menu->child(i); item->state().focused)
                    return item->text(QAccessible::Name) + " " +
                           item->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()).join(';');
            return QString();
        };
        press(Qt::Key_F10);
        for (int i = 0; i < 3; ++i)
            press(Qt::Key_Right);
        press(Qt::Key_Down);
        QCOMPARE(focusAndKeys(), read + " ;;Ctrl+R");
        press(Qt::Key_Down);
        QCOMPARE(focusAndKeys(), write + " ;;Ctrl+W");

        // Escape, on to Language, English, Enter: the Chinese menus, which
        // have no access keys, switch back through the arrows alone.
        press(Qt::Key_Escape);
        for (int i = 0; i < 3; ++i)
            press(Qt::Key_Right);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(readerFocus(), QStringLiteral("English"));
        press(Qt::Key_Return);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(p.app.state.UiChinese, false);
        QCOMPARE(plainText(p.bar()->actions().first()->text()), QStringLiteral("File"));
    }

    void keysHeldBackByAReader_data()
    {
        QTest::addColumn<int>("letter");
        QTest::addColumn<QString>("secondItem");
        QTest::newRow("Alt+F") << int(Qt::Key_F) << "Open";
        QTest::newRow("Alt+E") << int(Qt::Key_E) << "Copy";   // Undo and Redo are greyed with no history
        QTest::newRow("Alt+P") << int(Qt::Key_P) << "Write to radio";
    }
    void keysHeldBackByAReader()
    {
        QFETCH(int, letter);
        QFETCH(QString, secondItem);
        Program p(false, false);
        HeldKeys reader;

        // Alt+letter opens its menu at once; the reader answers for Alt and
        // the letter afterwards, and the menu stays open.
        QTest::keyPress(keyboardWindow(), Qt::Key_Alt);
        QTest::keyPress(keyboardWindow(), Qt::Key(letter), Qt::AltModifier);
        QVERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyRelease(keyboardWindow(), Qt::Key(letter), Qt::AltModifier);
        QTest::keyRelease(keyboardWindow(), Qt::Key_Alt, Qt::AltModifier);
        reader.answer();
        QVERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        press(Qt::Key_Down);
        reader.answer();
        QCOMPARE(readerFocus(), secondItem);

        // Escape, Escape: back in the grid. A lone Alt answered late keeps
        // the bar in focus.
        for (int i = 0; i < 2; ++i) {
            press(Qt::Key_Escape);
            reader.answer();
        }
        QVERIFY(QApplication::focusWidget() != p.bar());
        press(Qt::Key_Alt);
        reader.answer();
        QCOMPARE(QApplication::focusWidget(), p.bar());
        QCOMPARE(readerFocus(), QStringLiteral("File"));
    }
};

QTEST_MAIN(TestMenuKeys)
#include "tst_menukeys.moc"
