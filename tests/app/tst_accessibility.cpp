// What a screen reader is told and where the keyboard goes, window by window
// in both languages, as Qt's accessibility layer hands it to the reader: every
// control that takes the focus is named after what it is, not after the value
// it shows; Tab visits every control of a window; the grids name each cell and
// each editor laid over a cell after its column and its channel; and at
// start-up the focus rests on channel 1 of the channel table.

#include <QAccessible>
#include <QApplication>
#include <QAbstractSlider>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "adjust/frm_Adj_Txp.h"
#include "app/Form_setup.h"
#include "app/Form_type.h"
#include "app/frmAbout.h"
#include "channels/Form_Chann_Edit.h"
#include "channels/frm_chann.h"
#include "features/Form_Edit_Message.h"
#include "features/Form_Edit_Test.h"
#include "features/Form_Edit_scan.h"
#include "features/Form_edit_Key.h"
#include "features/frm_option.h"
#include "files/AdjFileDialog.h"
#include "files/ChannFileDialog.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/LinkTexts.h"
#include "ui/Accessibility.h"
#include "support/TestApp.h"
#include "support/WindowOpener.h"

using namespace mx615;
using namespace mx615::test;

namespace {

QString accessible(QObject* object, QAccessible::Text text)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(text).trimmed() : QString();
}

// The value a control shows, which alone would not say what the control is.
QString shownValue(QWidget* control)
{
    if (auto* list = qobject_cast<QComboBox*>(control))
        return list->currentText().trimmed();
    if (auto* text = qobject_cast<QLineEdit*>(control))
        return text->text().trimmed();
    if (auto* slider = qobject_cast<QAbstractSlider*>(control))
        return QString::number(slider->value());
    return {};
}

// The controls Tab should stop at: enabled, shown, taking the focus by Tab.
QList<QWidget*> focusableControls(QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(window) && !w->focusProxy())
            controls << w;
    return controls;
}

// A group of option buttons is one stop: Tab enters it at its chosen button.
QObject* stopOf(QWidget* control)
{
    auto* option = qobject_cast<QRadioButton*>(control);
    return option && option->autoExclusive() && option->parentWidget() ? option->parentWidget() : control;
}

struct Program {
    explicit Program(bool chinese)
    {
        app.main->activateWindow();
        QApplication::setActiveWindow(app.main.get());
        if (chinese)
            app.main->Language_chn_Click();
    }
    TestApp app;
};

void addWindowRows(bool withMain)
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<Opener>("open");
    // No opener: the main window itself.
    std::vector<WindowKind> windows{{"main window", nullptr}};
    windows.insert(windows.end(), EveryWindow().begin(), EveryWindow().end());
    for (const auto& [name, open] : windows) {
        if (!open && !withMain)
            continue;
        for (bool chinese : {false, true})
            QTest::newRow(QStringLiteral("%1 %2").arg(name, chinese ? "zh" : "en").toUtf8()) << chinese << open;
    }
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void controlsAreNamed_data() { addWindowRows(true); }
    void controlsAreNamed()
    {
        QFETCH(bool, chinese);
        QFETCH(Opener, open);
        Program p(chinese);
        QList<QWidget*> controls;
        if (open) {
            controls = focusableControls(open(*p.app.main));
        } else {
            // The toolbar's buttons take no focus, but the reader finds them.
            QToolBar* toolbar = p.app.main->toolbar();
            for (QAction* action : toolbar->actions())
                controls << toolbar->widgetForAction(action);
        }
        QStringList unnamed;
        for (QWidget* control : controls) {
            const QString name = accessible(control, QAccessible::Name);
            const bool button = qobject_cast<QToolButton*>(control);
            if (name.isEmpty() || name == shownValue(control) || (button && control->toolTip() != name))
                unnamed << control->objectName() + " \"" + name + "\"";
        }
        qInfo("%s: %lld of %lld controls without a name of their own", QTest::currentDataTag(),
              qsizetype(unnamed.size()), qsizetype(controls.size()));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    void tabReachesEveryControl_data() { addWindowRows(false); }
    void tabReachesEveryControl()
    {
        QFETCH(bool, chinese);
        QFETCH(Opener, open);
        Program p(chinese);
        QWidget* window = open(*p.app.main);
        QSet<QObject*> stops;
        for (QWidget* control : focusableControls(window))
            stops << stopOf(control);
        QVERIFY2(window->isAncestorOf(QApplication::focusWidget()), "the window opens with the focus in it");
        QSet<QObject*> reached{stopOf(QApplication::focusWidget())};
        for (int press = 0; press <= stops.size() && window->isAncestorOf(QApplication::focusWidget()); ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << stopOf(QApplication::focusWidget());
        }
        QVERIFY2(window->isAncestorOf(QApplication::focusWidget()), "Tab stays in the window");
        QStringList missed;
        for (QObject* stop : stops - reached)
            missed << stop->objectName();
        qInfo("%s: Tab reaches %lld of %lld controls", QTest::currentDataTag(), qsizetype(stops.size() - missed.size()),
              qsizetype(stops.size()));
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join(", ")));
    }

    void gridCellsAndEditors_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<Opener>("open");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("editorName");
        QTest::newRow("channel RX en") << false << opener<frm_chann>() << 1 << "RX Frequency, channel 3";
        QTest::newRow("channel RX zh") << true << opener<frm_chann>() << 1 << "接收频率(MHZ)，信道 3";
        QTest::newRow("channel decode en") << false << opener<frm_chann>() << 3 << "CTCSS/DCS Dec, channel 3";
        QTest::newRow("channel PTT-ID zh") << true << opener<frm_chann>() << 9 << "PTT-ID，信道 3";
        QTest::newRow("test TX en") << false << opener<Form_Edit_Test>() << 2 << "TX Frequency, channel 3";
        QTest::newRow("test RX zh") << true << opener<Form_Edit_Test>() << 1 << "接收频率(MHZ)，信道 3";
    }
    void gridCellsAndEditors()
    {
        QFETCH(bool, chinese);
        QFETCH(Opener, open);
        QFETCH(int, column);
        QFETCH(QString, editorName);
        Program p(chinese);
        // Every frequency of the test grid in band, so that leaving its editor stores it as shown.
        p.app.state.BandLowMHz = 100;
        p.app.state.BandHighMHz = 601;
        QWidget* window = open(*p.app.main);
        auto* grid = window->findChild<QTableWidget*>();
        grid->setFocus();
        grid->setCurrentCell(3, column - 1);
        QTest::keyClick(grid, Qt::Key_Right);   // the arrow keys move between cells
        QCOMPARE(grid->currentColumn(), column);
        const QString shown = grid->item(3, column)->text();
        QVERIFY(!shown.isEmpty());
        QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(grid)->tableInterface()->cellAt(3, column);
        QCOMPARE(cell->text(QAccessible::Name), editorName + (chinese ? "，" : ", ") + shown);

        // Enter opens the editor over the cell: named after the cell, holding its value.
        QTest::keyClick(grid, Qt::Key_Return);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor != grid && window->isAncestorOf(editor));
        QCOMPARE(accessible(editor, QAccessible::Name), editorName);
        QCOMPARE(accessible(editor, QAccessible::Value), shown);

        // Tab leaves the grid for the next control, Shift+Tab comes back.
        QTest::keyClick(editor, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != grid && !editor->isVisible());
        QVERIFY(qobject_cast<QAbstractButton*>(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->item(3, column)->text(), shown);

        // Escape in an editor abandons the entry; on the grid it closes the
        // test window, while the channel table, which stays open beside the
        // other windows, takes no Escape.
        QTest::keyClick(grid, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), grid);
        QVERIFY(window->isVisible());
        const QPointer<QWidget> alive(window);
        QTest::keyClick(grid, Qt::Key_Escape);
        if (qobject_cast<frm_chann*>(window))
            QVERIFY(alive && alive->isVisible());
        else
            QVERIFY(!alive || !alive->isVisible());
    }

    void startupFocusOnChannelOne()
    {
        Program p(false);
        QTableWidget* grid = p.app.main->window<frm_chann>()->MSF_chann;
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->currentRow(), 1);
        // What a reader asks for first: the focus, down to the cell.
        QAccessibleInterface* focus = QAccessible::queryAccessibleInterface(p.app.main.get())->focusChild();
        QVERIFY(focus);
        QCOMPARE(focus->text(QAccessible::Name), "RX Frequency, channel 1, " + grid->item(1, 1)->text());
    }

    void transferPhaseIsTold_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<Opener>("open");
        QTest::newRow("read en") << false << opener<Form_Comm_Read>();
        QTest::newRow("read zh") << true << opener<Form_Comm_Read>();
        QTest::newRow("write zh") << true << opener<Form_Comm_Write>();
    }
    void transferPhaseIsTold()
    {
        // The status line under the bar is a notification to the reader while
        // it says something, told at once, then at most once a second with
        // the text as it stands when the second is over.
        QFETCH(bool, chinese);
        QFETCH(Opener, open);
        Program p(chinese);
        auto* dialog = static_cast<LinkWindow*>(open(*p.app.main));
        QLabel* line = dialog->Label_tr_count;
        QCOMPARE(QAccessible::queryAccessibleInterface(line)->role(), QAccessible::StaticText);
        auto* spoken = line->findChild<SpokenStatus*>();
        QVERIFY(spoken);
        QStringList told;
        connect(spoken, &SpokenStatus::told, this, [&told](const QString& text) { told << text; });

        QElapsedTimer clock;
        clock.start();
        for (int block = 1; block <= 5; ++block)
            dialog->link()->events.label(LinkTexts::ReadingBlock(block));
        const QString fifth = qs(LinkTexts::ReadingBlock(5), chinese);
        QCOMPARE(line->text(), fifth);
        QCOMPARE(told, QStringList{qs(LinkTexts::ReadingBlock(1), chinese)});
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(line);
        QCOMPARE(iface->role(), QAccessible::Notification);
        QCOMPARE(iface->text(QAccessible::Name), fifth);
        QTRY_COMPARE(told.size(), 2);
        QVERIFY(clock.elapsed() >= 1000);
        QCOMPARE(told.last(), fifth);
        // The same text again is no change; a change waiting when the
        // outcome's message box comes is dropped.
        dialog->link()->events.label(LinkTexts::ReadingBlock(5));
        dialog->link()->events.label(LinkTexts::ReadingBlock(6));
        dialog->link()->events.message(LinkMessage{});
        QTest::qWait(1100);
        QCOMPARE(told.size(), 2);
        // After that box the line changes quietly until a transfer connects again.
        dialog->link()->events.label(LinkTexts::ReadDone);
        QCOMPARE(line->text(), qs(LinkTexts::ReadDone, chinese));
        QCOMPARE(told.size(), 2);
        dialog->link()->events.label(LinkTexts::Connecting);
        QCOMPARE(told.last(), qs(LinkTexts::Connecting, chinese));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
