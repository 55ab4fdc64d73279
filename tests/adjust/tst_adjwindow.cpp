// The service window, driven through the main window like a user: what its
// controls show and store, transfers with the simulated radio, the buttons
// refused during a transfer, and the .adj files through the file dialogs.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "RadioBench.h"
#include "adjust/frm_Adj_Txp.h"
#include "files/AdjFile.h"
#include "files/AdjFileDialog.h"
#include "support/BothWays.h"
#include "support/TestFiles.h"

using namespace mx615;
using namespace mx615::test;

namespace {

struct Bench : RadioBench {
    Bench() { QDir::setCurrent(folder.path()); }
    ~Bench() { QDir::setCurrent(QDir::tempPath()); }
    frm_Adj_Txp* open()
    {
        // The hidden menu item, as the service technician's view enables it.
        QAction* other = app.main->findChild<QAction*>("Other");
        other->setEnabled(true);
        other->trigger();
        return app.main->window<frm_Adj_Txp>();
    }
    int16_t& cell(int line, int byte) { return app.state.AdjustTable[line][byte]; }
    // Save or Open, then the name confirmed in the dialog that opened.
    ParamFileDialog* fileDialog(frm_Adj_Txp* w, bool save)
    {
        QTest::mouseClick(save ? w->Command_Save : w->Command_Open, Qt::LeftButton);
        return save ? static_cast<ParamFileDialog*>(app.main->window<Form_save_adj>()) : app.main->window<Form_open_adj>();
    }
    static void confirm(ParamFileDialog* d, const QString& name)
    {
        d->Text1->setText(name);
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
    }
    bool runUntilMessage(int limit = 5000)
    {
        const auto seen = app.prompt.messages.size();
        return app.clock.runUntil([&] { return app.prompt.messages.size() > seen; }, limit);
    }

    QTemporaryDir folder;
};

// Picks an entry from the open list, as a click on it would.
void pick(QComboBox* box, int index)
{
    box->showPopup();
    QAbstractItemView* view = box->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

// What the window shows, one group after the other: squelch levels 1..9;
// voice, CTCSS and DCS deviation, coarse and fine volume; high power; low
// power; the transmit and the receive option boxes (1 ticked).
QString shown(const frm_Adj_Txp* w)
{
    QStringList groups;
    auto lists = [&](std::initializer_list<QComboBox*> boxes) {
        QStringList texts;
        for (QComboBox* box : boxes)
            texts << box->currentText();
        groups << texts.join(' ');
    };
    const auto& sq = w->Combo_sq_open;
    const auto& h = w->Combo_Txp_H;
    const auto& l = w->Combo_Txp_L;
    lists({sq[1], sq[2], sq[3], sq[4], sq[5], sq[6], sq[7], sq[8], sq[9]});
    lists({w->Combo_dev_Voice, w->Combo_dev_ctcss, w->Combo_dev_dcs, w->Combo_Rx_VH, w->Combo_Rx_VL});
    lists({h[0], h[1], h[2], h[3], h[4], h[5], h[6], h[7], h[8], h[9]});
    lists({l[0], l[1], l[2], l[3], l[4], l[5], l[6], l[7], l[8], l[9]});
    QString bits;
    for (const auto* boxes : {&w->Check_TX, &w->Check_RX})
        for (QCheckBox* box : *boxes)
            bits += box->isChecked() ? '1' : '0';
    return groups.join(" | ") + " | " + bits;
}

}  // namespace

class TestAdjWindow : public QObject {
    Q_OBJECT
private slots:
    void startupTableOnShow()
    {
        Bench b;
        b.app.state.UiChinese = true;
        const AdjustTableCells before = b.app.state.AdjustTable;
        frm_Adj_Txp* w = b.open();
        QVERIFY(w);
        QCOMPARE(shown(w), QString("38 38 38 38 39 40 41 42 43 | 60 22 15 15 15 | 90 90 90 90 90 90 90 90 90 90 | "
                                   "64 64 64 64 64 64 64 64 64 64 | 10000000"));
        QCOMPARE((QStringList{w->windowTitle(), w->Command_read->text(), w->Label_ver->text(), w->Command_Open->text(),
                              w->Label_TXP_H[9]->text()}),
                 (QStringList{"调试", "读取", "MCU 软件版本", "打开", "490"}));
        QVERIFY(w->Combo_sq_open[0]->isHidden() && w->Combo_JT->isHidden() && w->ProgressBar1->isHidden());
        QCOMPARE(w->Combo_JT->currentText(), QString("13 M"));
        QVERIFY(b.app.state.AdjustTable == before);
        // Placed in the middle of the main window's inner area.
        const QRect frame = w->parentWidget()->geometry();
        const QSize inner = b.app.main->clientSize();
        const QSize size(int(b.app.main->width() / 1.15), int(b.app.main->height() / 1.4));
        QCOMPARE(frame, QRect(QPoint((inner.width() - size.width()) / 2, qMax(0, (inner.height() - size.height()) / 2)), size));
    }

    // Each pick or tick stores at once; neighbouring bits and nibbles stay.
    // Showing never stores: a value beyond its list shows the last entry and
    // is kept until the user picks. Typed characters pick nothing.
    void editsStoreOnlyWhenPicked()
    {
        Bench b;
        b.cell(0, 12) = 0x5A;
        b.cell(0, 14) = 0x09;
        b.cell(1, 4) = 200;
        b.cell(0, 11) = 64;
        frm_Adj_Txp* w = b.open();
        QCOMPARE(shown(w), QString("38 38 38 38 39 40 41 42 43 | 60 22 63 5 10 | 90 90 90 90 127 90 90 90 90 90 | "
                                   "64 64 64 64 64 64 64 64 64 64 | 10001001"));
        QCOMPARE((QList<int>{b.cell(1, 4), b.cell(0, 11)}), (QList<int>{200, 64}));
        pick(w->Combo_Rx_VH, 3);
        QCOMPARE(int(b.cell(0, 12)), 0x3A);
        pick(w->Combo_Rx_VL, 7);
        QCOMPARE(int(b.cell(0, 12)), 0x37);
        QTest::mouseClick(w->Check_PRE_RX, Qt::LeftButton);
        QCOMPARE(int(b.cell(0, 14)), 0x0B);
        QTest::mouseClick(w->Check_PRE_RX, Qt::LeftButton);
        QCOMPARE(int(b.cell(0, 14)), 0x09);
        pick(w->Combo_sq_open[5], 100);
        pick(w->Combo_Txp_L[9], 3);
        pick(w->Combo_Txp_H[4], 127);
        QCOMPARE((QList<int>{b.cell(0, 4), b.cell(2, 9), b.cell(1, 4)}), (QList<int>{100, 3, 127}));
        QTest::keyClicks(w->Combo_Txp_H[0], "5");
        QWheelEvent wheel({5, 5}, {5, 5}, {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w->Combo_Txp_H[1], &wheel);   // not focused: scrolls, picks nothing
        QCOMPARE((QList<int>{b.cell(1, 0), b.cell(1, 1)}), (QList<int>{90, 90}));
        QTest::keyClick(w->Combo_Txp_H[0], Qt::Key_Down);
        QCOMPARE(int(b.cell(1, 0)), 91);
        // The hidden crystal list works on the whole byte.
        pick(w->Combo_JT, 0);
        QCOMPARE(int(b.cell(0, 13)), 0);
    }

    void readAndWriteKeepTheWindowOpen()
    {
        Bench b;
        frm_Adj_Txp* w = b.open();
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        QVERIFY(w->AdjustReadActive() && !w->AdjustWriteActive());
        QVERIFY(b.runUntilMessage());
        QCOMPARE(w->Combo_Txp_H[4]->currentText().toInt(), qMin(int(b.radio.radio.memory[0x354]), 127));
        // Write: line 7 bytes 6 and 7 go back to their start-up values first.
        b.cell(7, 6) = b.cell(7, 7) = 0;
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        QVERIFY(w->AdjustWriteActive());
        QVERIFY(b.runUntilMessage());
        QCOMPARE(b.radio.radio.memory[0x3B7], AdjustLine7Bytes()[7]);
        b.app.clock.advance(3000);
        QCOMPARE(b.app.main->window<frm_Adj_Txp>(), w);
    }

    void refusedDuringTransfer_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Open") << "Command_Open" << "Read-write operating with transceiver .";
        QTest::newRow("Save") << "Command_Save" << "Read-write operating with transceiver .";
        // Starting over would leave the calibration half written.
        QTest::newRow("Read") << "Command_read" << "Read-write operating with transceiver .";
        QTest::newRow("Write again") << "Command_write" << "Read-write operating with transceiver .";
        QTest::newRow("Close") << "Command_close" << "Read-write operating，don't close the window.,";
        QTest::newRow("title bar") << "" << "Read-write operating，don't close the window.,";
    }
    void refusedDuringTransfer()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        Bench b;
        frm_Adj_Txp* w = b.open();
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        QVERIFY(b.app.clock.runUntil([&] { return b.radio.radio.framesTaken == 3; }, 2000));
        if (button.isEmpty())
            static_cast<QMdiSubWindow*>(w->parentWidget())->close();
        else
            QTest::mouseClick(w->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(b.app.prompt.texts(), QStringList{text});
        QCOMPARE(b.app.prompt.messages[0].title, QString("Operate prompt"));
        QVERIFY(!b.app.main->window<Form_open_adj>() && !b.app.main->window<Form_save_adj>());
        QVERIFY(b.runUntilMessage());
        QCOMPARE(b.radio.radio.framesTaken, 11);
        QCOMPARE(b.app.main->window<frm_Adj_Txp>(), w);
    }

    void portErrorOfItsOwn()
    {
        Bench b;
        b.app.state.CommPort = 6;
        frm_Adj_Txp* w = b.open();
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        QCOMPARE(b.app.prompt.texts(), QStringList{"Communication Port Open Error ！"});
        QCOMPARE(b.app.prompt.messages[0].title, QString("Operate Prompt"));
        QVERIFY(w->ProgressBar1->isHidden());
        QCOMPARE(w->Label_tr_count->text(), QString());
    }

    void filesThroughTheDialogs()
    {
        Bench b;
        frm_Adj_Txp* w = b.open();
        const AdjustTableCells saved = b.app.state.AdjustTable;
        Bench::confirm(b.fileDialog(w, true), "cal.adj");
        QVERIFY(b.app.prompt.messages.isEmpty());  // the window speaks, at its next tick
        QVERIFY(b.runUntilMessage(500));
        QCOMPARE(b.app.prompt.lastText(), QString("Complete storing optional parameters."));

        for (int line : {0, 6, 7, 10})
            b.cell(line, 3) = 7;
        Bench::confirm(b.fileDialog(w, false), "cal.adj");
        QVERIFY(b.runUntilMessage(500));
        QCOMPARE(b.app.prompt.lastText(), QString("Succeed fold the optional parameters from file."));
        QCOMPARE(b.app.prompt.messages.last().title, QString("Operate Prompt"));
        QCOMPARE((QList<int>{b.cell(0, 3), b.cell(6, 3), b.cell(7, 3), b.cell(10, 3)}),
                 (QList<int>{saved[0][3], saved[6][3], 7, 7}));
        QCOMPARE(w->Combo_sq_open[4]->currentText().toInt(), int(saved[0][3]));

        // A damaged file says where, and the table stays as it is.
        QFile bad(b.folder.filePath("bad.adj"));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write(" 1  2 \r\n 999 \r\n") > 0);
        bad.close();
        const AdjustTableCells before = b.app.state.AdjustTable;
        Bench::confirm(b.fileDialog(w, false), "bad.adj");
        QVERIFY(b.runUntilMessage(500));
        QVERIFY(b.app.prompt.lastText().contains("Line 2") && b.app.prompt.lastText().contains("999"));
        QVERIFY(b.app.prompt.messages.last().detail.contains("Nothing was loaded"));
        QVERIFY(b.app.state.AdjustTable == before);
    }

    // A file confirmed in a dialog opened before the write began is loaded
    // at the write's end: the radio gets one whole table, the old one.
    void fileWaitsForTheTransfer()
    {
        Bench b;
        b.radio.replyDelayMs = 100;
        ProgramState other = b.app.state;
        for (int line = 0; line < 7; ++line)
            other.AdjustTable[line].fill(5);
        QVERIFY(!SaveAdjustFile(other, b.folder.filePath("other.adj").toStdString()));
        const AdjustTableCells old = b.app.state.AdjustTable;
        frm_Adj_Txp* w = b.open();
        ParamFileDialog* d = b.fileDialog(w, false);
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        Bench::confirm(d, "other.adj");
        b.app.clock.advance(1100);
        // A channel file chosen meanwhile does not change which file is loaded.
        b.app.state.LastFilePath = b.folder.filePath("plan.chann").toStdString();
        QVERIFY(w->AdjustWriteActive());
        QVERIFY(b.app.state.AdjustTable == old);
        QVERIFY(b.runUntilMessage());   // the write's
        QVERIFY(b.runUntilMessage(600));  // then the file's
        QCOMPARE(b.app.prompt.lastText(), QString("Succeed fold the optional parameters from file."));
        QCOMPARE(int(b.cell(6, 15)), 5);
        for (int a = 0; a < 16 * kAdjustLines; ++a)
            QCOMPARE(int(b.radio.radio.memory[kAdjustBase + a]), int(old[a / 16][a % 16]));
    }

    // Open and Save both confirmed while a read gets no answer, in either
    // order, a tick apart: when the read has failed each is carried out with
    // its own file, the load first.
    void openAndSaveWaitEachWithItsFile_data() { bothWays("saveFirst", "Open A, then Save B", "Save B, then Open A"); }
    void openAndSaveWaitEachWithItsFile()
    {
        QFETCH(bool, saveFirst);
        Bench b;
        b.radio.radio.misbehave = {.silent = true, .attempts = 0};
        ProgramState other = b.app.state;
        for (int line = 0; line < 7; ++line)
            other.AdjustTable[line].fill(5);
        const QString a = b.folder.filePath("a.adj"), saved = b.folder.filePath("b.adj");
        QVERIFY(!SaveAdjustFile(other, a.toStdString()));
        const QByteArray fileA = test::readAll(a);
        frm_Adj_Txp* w = b.open();
        ParamFileDialog* open = b.fileDialog(w, false);
        ParamFileDialog* save = b.fileDialog(w, true);
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        Bench::confirm(saveFirst ? save : open, saveFirst ? "b.adj" : "a.adj");
        b.app.clock.advance(600);
        Bench::confirm(saveFirst ? open : save, saveFirst ? "a.adj" : "b.adj");
        QVERIFY(w->AdjustReadActive());
        QVERIFY(b.app.clock.runUntil([&] { return b.app.prompt.messages.size() == 3; }, 20000));
        QCOMPARE(b.app.prompt.texts().mid(1), (QStringList{"Succeed fold the optional parameters from file.",
                                                           "Complete storing optional parameters."}));
        QCOMPARE(int(b.cell(6, 15)), 5);
        QCOMPARE(test::readAll(saved), fileA);
        QCOMPARE(test::readAll(a), fileA);
    }

    void fileDialogNames_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        const QString openSuffix = "Nullity file suffix name of adjust parameter.";
        const QString saveSuffix = "Advice don't modify file suffix name of system default ！";
        QTest::newRow("open cal.adj") << false << " cal.adj " << "";
        QTest::newRow("save CAL.ADJ") << true << "CAL.ADJ" << "";
        QTest::newRow("open *.adj as shown") << false << "*.adj" << "The file name of adjust parameter to open is nullity.";
        QTest::newRow("save cal#1.adj") << true << "cal#1.adj" << "Store the file name of adjust parameter need is nullity. ";
        QTest::newRow("open cal.txt") << false << "cal.txt" << openSuffix;
        QTest::newRow("save ab") << true << "ab" << saveSuffix;
    }
    void fileDialogNames()
    {
        QFETCH(bool, save);
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        Bench b;
        ParamFileDialog* d = b.fileDialog(b.open(), save);
        QCOMPARE(d->windowTitle(), save ? QString("Save Adjust File") : QString("Open Adjust File"));
        QCOMPARE(d->Text1->text(), QString("*.adj"));
        Bench::confirm(d, name);
        const bool accepted = refusal.isEmpty();
        QCOMPARE(b.app.prompt.texts(), accepted ? QStringList{} : QStringList{refusal});
        QCOMPARE(save ? b.app.state.FileSaveDone : b.app.state.FileOpenDone, accepted);
        QVERIFY(!(save ? b.app.state.FileOpenDone : b.app.state.FileSaveDone));
        QCOMPARE(b.app.main->window<Form_open_adj>() || b.app.main->window<Form_save_adj>(), !accepted);
        if (accepted)
            QCOMPARE(QString::fromStdString(b.app.state.LastFilePath), QDir(b.folder.path()).filePath(name.trimmed()));
    }

    void keyboard()
    {
        Bench b;
        b.app.main->show();
        QApplication::setActiveWindow(b.app.main.get());
        frm_Adj_Txp* w = b.open();
        QCOMPARE(QApplication::focusWidget(), w->Command_read);
        QTest::keyClick(w->Command_read, Qt::Key_Return);
        QVERIFY(w->AdjustReadActive());
        QVERIFY(b.runUntilMessage());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!b.app.main->window<frm_Adj_Txp>());
        // Closing the window closes its file dialogs.
        w = b.open();
        QTest::mouseClick(w->Command_Save, Qt::LeftButton);
        QTest::mouseClick(w->Command_close, Qt::LeftButton);
        QVERIFY(!b.app.main->window<frm_Adj_Txp>() && !b.app.main->window<Form_save_adj>());
    }
};

QTEST_MAIN(TestAdjWindow)
#include "tst_adjwindow.moc"
