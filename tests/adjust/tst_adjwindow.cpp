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

#include "MemoryRadio.h"
#include "adjust/frm_Adj_Txp.h"
#include "files/AdjFile.h"
#include "files/AdjFileDialog.h"
#include "support/TestApp.h"

using namespace mx615;
using namespace mx615::test;

namespace {

struct Bench {
    Bench() : radio(app.hub, 2, app.clock)
    {
        app.state.CommPort = 2;
        radio.radio.memory = sim::PatternMemory(0x2D);
        QDir::setCurrent(folder.path());
    }
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
    bool runUntilMessage(int limit = 5000)
    {
        const auto seen = app.prompt.messages.size();
        return app.clock.runUntil([&] { return app.prompt.messages.size() > seen; }, limit);
    }

    QTemporaryDir folder;
    TestApp app;
    sim::MemoryRadio radio;
};

// Picks an entry from the open list, as a click on it would.
void pick(QComboBox* box, int index)
{
    box->showPopup();
    QAbstractItemView* view = box->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

}  // namespace

class TestAdjWindow : public QObject {
    Q_OBJECT
private slots:
    void startupTableOnShow()
    {
        Bench b;
        const AdjustTableCells before = b.app.state.AdjustTable;
        frm_Adj_Txp* w = b.open();
        QVERIFY(w);
        const int squelch[] = {38, 38, 38, 38, 39, 40, 41, 42, 43};
        for (int level = 1; level <= 9; ++level)
            QCOMPARE(w->Combo_sq_open[level]->currentText().toInt(), squelch[level - 1]);
        const std::pair<QComboBox*, int> audio[] = {{w->Combo_dev_Voice, 60}, {w->Combo_dev_ctcss, 22},
                                                    {w->Combo_dev_dcs, 15},   {w->Combo_Rx_VH, 15},
                                                    {w->Combo_Rx_VL, 15}};
        for (const auto& [box, value] : audio)
            QCOMPARE(box->currentText().toInt(), value);
        for (int k = 0; k < 10; ++k) {
            QCOMPARE(w->Combo_Txp_H[k]->currentText(), QString("90"));
            QCOMPARE(w->Combo_Txp_L[k]->currentText(), QString("64"));
            QCOMPARE(w->Label_TXP_H[k]->text(), QString::number(400 + 10 * k));
        }
        for (int bit = 0; bit < 4; ++bit) {
            QCOMPARE(w->Check_TX[bit]->isChecked(), bit == 0);
            QVERIFY(!w->Check_RX[bit]->isChecked());
        }
        QCOMPARE(w->Combo_dev_Voice->count(), 128);
        QCOMPARE(w->Combo_dev_dcs->count(), 64);
        QVERIFY(w->Combo_sq_open[0]->isHidden());
        QVERIFY(w->Combo_JT->isHidden());
        QCOMPARE(w->Combo_JT->currentText(), QString("13 M"));
        QVERIFY(w->ProgressBar1->isHidden());
        QVERIFY(b.app.state.AdjustTable == before);
        // Placed in the middle of the main window's inner area.
        const QRect frame = w->parentWidget()->geometry();
        const QSize inner = b.app.main->clientSize();
        const QSize size(int(b.app.main->width() / 1.15), int(b.app.main->height() / 1.4));
        QCOMPARE(frame.size(), size);
        QCOMPARE(frame.topLeft(), QPoint((inner.width() - size.width()) / 2, qMax(0, (inner.height() - size.height()) / 2)));
    }

    void captions_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << false << QStringList{"Test", "Read", "Write", "Close", "MCU Version", "打开", "保存"};
        QTest::newRow("Chinese") << true << QStringList{"调试", "读取", "写入", "关闭", "MCU 软件版本", "打开", "保存"};
    }
    void captions()
    {
        QFETCH(bool, chinese);
        QFETCH(QStringList, texts);
        Bench b;
        b.app.state.UiChinese = chinese;
        frm_Adj_Txp* w = b.open();
        QCOMPARE((QStringList{w->windowTitle(), w->Command_read->text(), w->Command_write->text(),
                              w->Command_close->text(), w->Label_ver->text(), w->Command_Open->text(),
                              w->Command_Save->text()}),
                 texts);
        QCOMPARE(w->Check_PRE_RX->text(), QString("去加重"));
    }

    // Each pick or tick stores at once; neighbouring bits and nibbles stay.
    void editsStoreAtOnce()
    {
        Bench b;
        b.cell(0, 12) = 0x5A;
        b.cell(0, 14) = 0x09;
        frm_Adj_Txp* w = b.open();
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
        pick(w->Combo_dev_ctcss, 63);
        QCOMPARE((QList<int>{b.cell(0, 4), b.cell(2, 9), b.cell(0, 10)}), (QList<int>{100, 3, 63}));
        // The hidden crystal list works on the whole byte.
        pick(w->Combo_JT, 0);
        QCOMPARE(int(b.cell(0, 13)), 0);
    }

    // A value beyond its list shows the last entry and is kept until picked.
    void valueBeyondTheListIsKept()
    {
        Bench b;
        b.cell(1, 4) = 200;
        b.cell(0, 11) = 64;
        frm_Adj_Txp* w = b.open();
        QCOMPARE(w->Combo_Txp_H[4]->currentText(), QString("127"));
        QCOMPARE(w->Combo_dev_dcs->currentText(), QString("63"));
        QCOMPARE((QList<int>{b.cell(1, 4), b.cell(0, 11)}), (QList<int>{200, 64}));
        pick(w->Combo_Txp_H[4], 127);
        QCOMPARE(int(b.cell(1, 4)), 127);
    }

    void typingIsDiscardedArrowsPick()
    {
        Bench b;
        frm_Adj_Txp* w = b.open();
        QComboBox* box = w->Combo_Txp_H[0];
        QTest::keyClicks(box, "5");
        QCOMPARE(box->currentText(), QString("90"));
        QCOMPARE(int(b.cell(1, 0)), 90);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(int(b.cell(1, 0)), 91);
    }

    void readAndWriteKeepTheWindowOpen()
    {
        Bench b;
        frm_Adj_Txp* w = b.open();
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        QVERIFY(w->AdjustReadActive() && !w->AdjustWriteActive());
        QCOMPARE(w->Label_tr_count->text(), QString("Connecting with transceiver. "));
        QVERIFY(b.runUntilMessage());
        const int high = b.radio.radio.memory[0x354];
        QCOMPARE(w->Combo_Txp_H[4]->currentText().toInt(), qMin(high, 127));
        QCOMPARE(w->Label_tr_count->text(), QString("Read optional parameters in gear. "));

        // Write: line 7 bytes 6 and 7 go back to their start-up values first.
        const auto startup = AdjustLine7Bytes();
        b.cell(7, 6) = 0;
        b.cell(7, 7) = 0;
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        QVERIFY(w->AdjustWriteActive());
        QVERIFY(b.runUntilMessage());
        QCOMPARE(b.app.prompt.lastText(), QString("Complete writing optional parameters to the transceiver."));
        QCOMPARE((QList<int>{b.radio.radio.memory[0x3B6], b.radio.radio.memory[0x3B7]}),
                 (QList<int>{startup[6], startup[7]}));
        b.app.clock.advance(3000);
        QCOMPARE(b.app.main->window<frm_Adj_Txp>(), w);
        QCOMPARE(w->Label_tr_count->text(), QString("Complete writing optional parameters "));
    }

    void refusedDuringTransfer_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Open") << "Command_Open" << "Read-write operating with transceiver .";
        QTest::newRow("Save") << "Command_Save" << "Read-write operating with transceiver .";
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
        auto confirm = [&](ParamFileDialog* d, const QString& name) {
            d->Text1->setText(name);
            QTest::mouseClick(d->Command_enter, Qt::LeftButton);
        };
        QTest::mouseClick(w->Command_Save, Qt::LeftButton);
        confirm(b.app.main->window<Form_save_adj>(), "cal.adj");
        QVERIFY(!b.app.main->window<Form_save_adj>());
        QVERIFY(b.app.state.FileSaveDone);
        QVERIFY(b.app.prompt.messages.isEmpty());  // the window speaks, at its next tick
        QVERIFY(b.runUntilMessage(500));
        QCOMPARE(b.app.prompt.lastText(), QString("Complete storing optional parameters."));
        QVERIFY(QFile::exists(b.folder.filePath("cal.adj")));

        for (int line : {0, 6, 7, 10})
            b.cell(line, 3) = 7;
        QTest::mouseClick(w->Command_Open, Qt::LeftButton);
        confirm(b.app.main->window<Form_open_adj>(), "cal.adj");
        QVERIFY(b.runUntilMessage(500));
        QCOMPARE(b.app.prompt.lastText(), QString("Succeed fold the optional parameters from file."));
        QCOMPARE(b.app.prompt.messages.last().title, QString("Operate Prompt"));
        QCOMPARE((QList<int>{b.cell(0, 3), b.cell(6, 3), b.cell(7, 3), b.cell(10, 3)}),
                 (QList<int>{saved[0][3], saved[6][3], 7, 7}));
        QCOMPARE(w->Combo_sq_open[4]->currentText().toInt(), int(saved[0][3]));

        // A damaged file says where, and the table stays as it is.
        QFile bad(b.folder.filePath("bad.adj"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(" 1  2 \r\n 999 \r\n");
        bad.close();
        const AdjustTableCells before = b.app.state.AdjustTable;
        QTest::mouseClick(w->Command_Open, Qt::LeftButton);
        confirm(b.app.main->window<Form_open_adj>(), "bad.adj");
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
        QTest::mouseClick(w->Command_Open, Qt::LeftButton);
        auto* d = b.app.main->window<Form_open_adj>();
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        d->Text1->setText("other.adj");
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
        b.app.clock.advance(1100);
        QVERIFY(w->AdjustWriteActive());
        QVERIFY(b.app.state.AdjustTable == old);
        QVERIFY(b.runUntilMessage());   // the write's
        QVERIFY(b.runUntilMessage(600));  // then the file's
        QCOMPARE(b.app.prompt.lastText(), QString("Succeed fold the optional parameters from file."));
        QCOMPARE(int(b.cell(6, 15)), 5);
        for (int a = 0; a < 16 * kAdjustLines; ++a)
            QCOMPARE(int(b.radio.radio.memory[kAdjustBase + a]), int(old[a / 16][a % 16]));
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
        QTest::newRow("open cal.Adj") << false << "cal.Adj" << openSuffix;
        QTest::newRow("save ab") << true << "ab" << saveSuffix;
    }
    void fileDialogNames()
    {
        QFETCH(bool, save);
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        Bench b;
        frm_Adj_Txp* w = b.open();
        QTest::mouseClick(save ? w->Command_Save : w->Command_Open, Qt::LeftButton);
        ParamFileDialog* d = save ? static_cast<ParamFileDialog*>(b.app.main->window<Form_save_adj>())
                                  : b.app.main->window<Form_open_adj>();
        QCOMPARE(d->windowTitle(), save ? QString("Save Adjust File") : QString("Open Adjust File"));
        QCOMPARE(d->Text1->text(), QString("*.adj"));
        d->Text1->setText(name);
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
        const bool accepted = refusal.isEmpty();
        QCOMPARE(b.app.prompt.texts(), accepted ? QStringList{} : QStringList{refusal});
        QCOMPARE(save ? b.app.state.FileSaveDone : b.app.state.FileOpenDone, accepted);
        QVERIFY(!(save ? b.app.state.FileOpenDone : b.app.state.FileSaveDone));
        QCOMPARE(b.app.main->window<Form_open_adj>() || b.app.main->window<Form_save_adj>(), !accepted);
        if (accepted)
            QCOMPARE(QString::fromStdString(b.app.state.LastFilePath), QDir(b.folder.path()).filePath(name.trimmed()));
    }

    void closingTheWindowClosesItsFileDialogs()
    {
        Bench b;
        frm_Adj_Txp* w = b.open();
        QTest::mouseClick(w->Command_Save, Qt::LeftButton);
        QTest::mouseClick(w->Command_close, Qt::LeftButton);
        QVERIFY(!b.app.main->window<frm_Adj_Txp>());
        QVERIFY(!b.app.main->window<Form_save_adj>());
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
    }
};

QTEST_MAIN(TestAdjWindow)
#include "tst_adjwindow.moc"
