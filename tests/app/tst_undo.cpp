// Undo and redo through the main window, over every kind of change the
// windows make to the image: each is one named step, the open windows show the
// state after an undo at once, and a redo puts the change back.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "RadioBench.h"
#include "app/EditCommands.h"
#include "app/Form_type.h"
#include "channels/ChannelGrid.h"
#include "channels/Form_Chann_Edit.h"
#include "channels/frm_chann.h"
#include "features/frm_option.h"
#include "link/Form_Comm_Read.h"
#include "../channels/ChannelWindowDriver.h"

using namespace mx615;
using namespace mx615::test;

namespace {

using Image = std::vector<int16_t>;

Image image(const ProgramState& s)
{
    Image out;
    for (int line = 0; line < kRadioLines; ++line)
        out.insert(out.end(), s.RadioImage[line].begin(), s.RadioImage[line].end());
    out.push_back(s.ModelIndex);
    return out;
}

QAction* item(RadioBench& b, const char* name)
{
    return b.app.main->findChild<QAction*>(name);
}

void pick(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

struct Change {
    const char* tag;
    const char* step;  // as the Undo item names it
    std::function<void(RadioBench&, ChannelWindowDriver&)> make;
};

const std::vector<Change>& changes()
{
    static const QString folder = [] {
        static QTemporaryDir dir;
        QFile file(dir.filePath("plan.csv"));
        file.open(QIODevice::WriteOnly);
        file.write("Location,Frequency\n1,446.10000\n2,446.20000\n");
        return dir.path();
    }();
    static const std::vector<Change> list{
        {"table cell", "RX Frequency of channel 3",
         [](RadioBench&, ChannelWindowDriver& d) {
             d.type(3, ChannelGrid::ColRx, "446.50000");
             d.enter(d.text());
         }},
        {"table list", "TX Power of channel 2",
         [](RadioBench&, ChannelWindowDriver& d) {
             d.click(2, ChannelGrid::ColPower);
             pick(d.combo(), d.combo()->currentIndex() == 0 ? 1 : 0);
         }},
        {"Clear", "Clear", [](RadioBench&, ChannelWindowDriver& d) { d.win()->Command_clear->click(); }},
        {"Default", "Default",
         [](RadioBench& b, ChannelWindowDriver& d) {
             d.win()->Command_clear->click();
             b.app.main->edits()->restart();
             d.win()->Command_def->click();
         }},
        {"channel dialog", "TX Power of channel 1",
         [](RadioBench& b, ChannelWindowDriver& d) {
             d.win()->Command_Edit_Click();
             auto* dialog = b.app.main->window<Form_Chann_Edit>();
             pick(dialog->Combo_TXP, dialog->Combo_TXP->currentIndex() == 0 ? 1 : 0);
         }},
        {"options window", "Optional Features",
         [](RadioBench& b, ChannelWindowDriver&) {
             b.app.main->Optional_edit_Click();
             auto* list = b.app.main->window<frm_option>()->findChild<QComboBox*>();
             list->setCurrentIndex(list->currentIndex() == 0 ? 1 : 0);
         }},
        {"model", "Model Select",
         [](RadioBench& b, ChannelWindowDriver&) {
             b.app.main->proc_type_Click();
             auto* window = b.app.main->window<Form_type>();
             window->Combo_type->setCurrentIndex(window->Combo_type->currentIndex() == 0 ? 2 : 0);
             window->Command_enter->click();
         }},
        {"file opened", "Open plan.csv",
         [](RadioBench& b, ChannelWindowDriver&) { QVERIFY(b.app.main->OpenNamedFile(folder + "/plan.csv")); }},
        {"read from radio", "Read from radio",
         [](RadioBench& b, ChannelWindowDriver&) {
             b.app.main->Prog_read_Click();
             b.app.main->window<Form_Comm_Read>()->Command_read->click();
             QVERIFY(b.app.clock.runUntil([&] { return !b.app.prompt.messages.isEmpty(); }, 5000));
         }},
        {"paste", "Paste at channel 5",
         [](RadioBench& b, ChannelWindowDriver& d) {
             d.grid()->setCurrentCell(1, ChannelGrid::ColRx);
             d.win()->Channel_copy_Click();
             d.grid()->setCurrentCell(5, ChannelGrid::ColRx);
             d.win()->Channel_paste_Click();
             QVERIFY(b.app.prompt.messages.isEmpty());
         }},
        {"cut", "Cut channel 2", [](RadioBench&, ChannelWindowDriver& d) {
             d.grid()->setCurrentCell(2, ChannelGrid::ColRx);
             d.win()->Channel_cut_Click();
         }},
        {"delete", "Delete channels 2-4",
         [](RadioBench&, ChannelWindowDriver& d) {
             d.grid()->setCurrentCell(2, ChannelGrid::ColRx);
             d.grid()->setRangeSelected(QTableWidgetSelectionRange(2, 1, 4, 3), true);
             d.win()->Channel_delete_Click();
         }},
        {"move down", "Move channel 1 down",
         [](RadioBench&, ChannelWindowDriver& d) {
             d.grid()->setCurrentCell(1, ChannelGrid::ColRx);
             d.win()->Channel_down_Click();
         }},
        {"sort", "Sort by Receive Frequency",
         [](RadioBench&, ChannelWindowDriver& d) {
             d.type(1, ChannelGrid::ColRx, "470.00000");
             d.enter(d.text());
             d.win()->Channel_sort_Click();
         }},
    };
    return list;
}

}  // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void eachChange_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < changes().size(); ++i)
            QTest::newRow(changes()[i].tag) << int(i);
    }
    void eachChange()
    {
        QFETCH(int, index);
        const Change& change = changes()[std::size_t(index)];
        RadioBench b;
        ChannelWindowDriver d(b.app);
        QAction* undo = item(b, "Edit_undo");
        QAction* redo = item(b, "Edit_redo");
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QString("Undo"));

        const Image initial = image(b.app.state);
        change.make(b, d);
        b.app.main->edits()->recordPending();
        b.app.prompt.messages.clear();
        const Image after = image(b.app.state);
        d.redraw();  // a window in front (the channel dialog) leaves the table to redraw on its turn
        const QStringList shownAfter = d.allCells();
        QCOMPARE(undo->text(), QString("Undo ") + change.step);
        QVERIFY(undo->isEnabled());

        // The step taken back: the image as before, shown in the table at once.
        const std::size_t steps = b.app.main->edits()->history().undoCount();
        undo->trigger();
        QCOMPARE(b.app.main->edits()->history().undoCount(), steps - 1);
        QVERIFY(image(b.app.state) != after);
        QCOMPARE(redo->text(), QString("Redo ") + change.step);
        const Image before = image(b.app.state);
        if (steps == 1 && QString(change.tag) != "Default")
            QCOMPARE(before, initial);
        const QStringList shown = d.allCells();
        d.redraw();
        QCOMPARE(d.allCells(), shown);
        // Redone: the change is back, and so is what the table shows.
        redo->trigger();
        QCOMPARE(image(b.app.state), after);
        QCOMPARE(d.allCells(), shownAfter);
        QVERIFY(!redo->isEnabled());
        undo->trigger();
        QCOMPARE(image(b.app.state), before);
        QVERIFY(b.app.prompt.messages.isEmpty());
    }

    void fromTheKeyboard()
    {
        // Copy channel 3, paste it at channel 5, undo, redo: keys in the grid.
        TestApp app;
        ChannelWindowDriver d(app);
        QTableWidget* grid = d.grid();
        grid->setFocus();
        grid->setCurrentCell(3, ChannelGrid::ColRx);
        const QStringList three = d.rowTexts(3), five = d.rowTexts(5);
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(d.rowTexts(5), three);
        QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(d.rowTexts(5), five);
        QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(d.rowTexts(5), three);
        // Shift+Down widens the run; Ctrl+Shift+Up moves the current channel.
        const QStringList six = d.rowTexts(6);
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(d.win()->selectedChannels(), std::make_pair(5, 6));
        QTest::keyClick(grid, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(d.rowTexts(5), six);
        QCOMPARE(d.rowTexts(6), three);
        QCOMPARE(int(app.state.CurrentChannel), 5);

        // Delete in another window in front does not empty a channel behind it.
        app.main->Optional_edit_Click();
        const Image before = image(app.state);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus && focus != grid);
        QTest::keyClick(focus, Qt::Key_Delete);
        QCOMPARE(image(app.state), before);
        QVERIFY(!app.main->findChild<QAction*>("Channel_delete")->isEnabled());
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
