// The test-frequency grid: entries typed into the box over a cell, checked
// against the model's band, and the bytes each test channel leaves in lines
// 40..47.

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "FeatureWindowDriver.h"
#include "features/FeatureTexts.h"
#include "features/Form_Edit_Test.h"

using namespace mx615;
using namespace mx615::test;

namespace {

struct TestGridDriver : FeatureWindowDriver<Form_Edit_Test> {
    TestGridDriver() : FeatureWindowDriver("Test_edit") {}

    QTableWidget* grid() const { return win->MSF_chann; }
    QString cell(int row, int column) const { return grid()->item(row, column)->text(); }
    void click(int row, int column) const
    {
        const QPoint centre = grid()->visualRect(grid()->model()->index(row, column)).center();
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centre);
    }
    // Opens the box on a cell and types over its text.
    void type(int row, int column, const QString& keys) const
    {
        click(row, column);
        QTest::keyClick(win->Text_Edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(win->Text_Edit, Qt::Key_Delete);
        QTest::keyClicks(win->Text_Edit, keys);
    }
    // The eight bytes of a test channel: RX then TX.
    QByteArray channelBytes(int row) const
    {
        return imageBytes(app.state, 40 + (row - 1) / 2, row % 2 ? 0 : 8, 8);
    }
};

const QByteArray kEmpty = QByteArray(4, char(0xFF));

}  // namespace

class TestFormEditTest : public QObject {
    Q_OBJECT
private slots:
    void shownAtLoad()
    {
        TestGridDriver d;
        QCOMPARE(d.win->windowTitle(), QStringLiteral("Test Frequency"));
        QCOMPARE(d.grid()->horizontalHeaderItem(1)->text(), QStringLiteral(" RX Frequency "));
        QCOMPARE(d.cell(1, 0), QStringLiteral("1"));
        QCOMPARE(d.cell(16, 0), QStringLiteral("16"));
        QCOMPARE(d.cell(1, 1), QStringLiteral("155.05000"));
        QCOMPARE(d.cell(3, 2), QStringLiteral("173.90000"));
        QCOMPARE(d.cell(7, 1), QString());
        // However narrow a third of the main window is, no column is cut off.
        auto* frame = qobject_cast<QWidget*>(d.win->parent());
        QVERIFY(frame->contentsRect().width() >= d.win->minimumSizeHint().width());
        QVERIFY(d.grid()->minimumWidth() > d.grid()->columnWidth(0) * 3);
        // A first byte of 0xFF is an empty cell whatever follows it.
        d.app.state.RadioImage[40][8] = 0xFF;
        d.activateAgain();
        QCOMPARE(d.cell(2, 1), QString());
        QCOMPARE(d.cell(2, 2), QStringLiteral("136.10000"));
    }

    // Entries in the UHF band (400..481), left with Enter.
    void entries_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("entries");   // "column:text", one after the other
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray f400 = QByteArray::fromHex("00000040");
        const QByteArray f470 = QByteArray::fromHex("00000147");
        QTest::newRow("RX below the band") << 7 << QStringList{"1:390"} << QStringList{"Over the range of receive frequency ."}
                                           << "400.00000" << "" << f400 + kEmpty;
        QTest::newRow("RX copied into an empty TX") << 7 << QStringList{"1:470.1"} << QStringList{} << "470.10000"
                                                    << "470.10000" << f470 + f470;
        QTest::newRow("TX without RX") << 7 << QStringList{"2:450"}
                                       << QStringList{"Please input the receive frequency in advance."} << ""
                                       << "" << kEmpty + kEmpty;
        QTest::newRow("TX above the band") << 8 << QStringList{"1:470.1", "2:482"}
                                           << QStringList{"Over the range of transmit frequency ."} << "470.10000"
                                           << "400.00000" << f470 + f400;
        QTest::newRow("emptied RX empties TX") << 1 << QStringList{"1:"} << QStringList{} << "" << ""
                                               << kEmpty + kEmpty;
        QTest::newRow("emptied TX only") << 1 << QStringList{"2:"} << QStringList{} << "155.05000" << ""
                                         << QByteArray::fromHex("00505015") + kEmpty;
        QTest::newRow("row 16: bytes 8..15 of line 47")
            << 16 << QStringList{"1:470.1", "2:400"} << QStringList{} << "470.10000" << "400.00000" << f470 + f400;
        QTest::newRow("unstorable shape refused") << 7 << QStringList{"1:450..1"}
                                                  << QStringList{qs(ChannelGridTexts::BadFrequency, false)} << ""
                                                  << "" << kEmpty + kEmpty;
    }
    void entries()
    {
        QFETCH(int, row);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, warnings);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QByteArray, bytes);
        TestGridDriver d;
        for (const QString& entry : entries) {
            d.type(row, entry.section(':', 0, 0).toInt(), entry.section(':', 1));
            QTest::keyClick(d.win->Text_Edit, Qt::Key_Return);
        }
        QCOMPARE(d.app.prompt.texts(), warnings);
        QCOMPARE(d.cell(row, 1), rx);
        QCOMPARE(d.cell(row, 2), tx);
        QCOMPARE(d.channelBytes(row), bytes);
        QCOMPARE(d.channelBytes(row == 1 ? 2 : 1), row == 1 ? QByteArray::fromHex("0050601300006113")
                                                             : QByteArray::fromHex("0050501500005115"));
    }

    // Leaving the cell by a click elsewhere stores it too; the entry is
    // checked against the band of the model chosen.
    void clickElsewhereStores()
    {
        TestGridDriver d;
        d.app.state.BandLowMHz = 136;
        d.app.state.BandHighMHz = 175;
        d.type(9, 1, "145");
        d.click(3, 2);
        QVERIFY(d.app.prompt.messages.isEmpty());
        QCOMPARE(d.channelBytes(9), QByteArray::fromHex("0000501400005014"));
        QVERIFY(d.win->editing());   // now on row 3's TX
        QTest::keyClick(d.win->Text_Edit, Qt::Key_Escape);   // abandons, the window stays
        QVERIFY(!d.win->editing());
        QCOMPARE(d.cell(3, 2), QStringLiteral("173.90000"));
        QCOMPARE(d.app.main->window<Form_Edit_Test>(), d.win);
    }

    // Closing keeps an entry in progress when it stands as typed, and drops
    // one that would need a warning without asking.
    void closingWithEntryInProgress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("in band: kept") << "455" << QByteArray::fromHex("0000504500005045");
        QTest::newRow("out of band: dropped") << "300" << kEmpty + kEmpty;
    }
    void closingWithEntryInProgress()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, bytes);
        TestGridDriver d;
        d.type(7, 1, typed);
        d.win->unload();
        QVERIFY(d.app.prompt.messages.isEmpty());
        QCOMPARE(d.channelBytes(7), bytes);
    }

    // Only what was entered is written: a stored frequency the grid cannot
    // show exactly keeps its bytes when another cell is edited.
    void untouchedCellsKeepTheirBytes()
    {
        TestGridDriver d;
        const QByteArray odd = QByteArray::fromHex("00007007AB00CD12");   // 7.7 MHz and digits beyond 9
        for (int b = 0; b < 8; ++b)
            d.app.state.RadioImage[40][8 + b] = int16_t(uint8_t(odd[b]));
        d.activateAgain();
        d.type(1, 1, "450");
        QTest::keyClick(d.win->Text_Edit, Qt::Key_Return);
        QCOMPARE(d.channelBytes(2), odd);
        QCOMPARE(d.channelBytes(1).left(4), QByteArray::fromHex("00000045"));
    }

    void keyboardOnly()
    {
        TestGridDriver d;
        QCOMPARE(QApplication::focusWidget(), d.grid());
        QTest::keyClick(d.grid(), Qt::Key_Down, Qt::NoModifier);   // to row 2, RX
        QTest::keyClick(d.grid(), '4');   // typing opens the box with the key
        QCOMPARE(d.win->Text_Edit->text(), QStringLiteral("4"));
        QTest::keyClicks(d.win->Text_Edit, "60");
        QTest::keyClick(d.win->Text_Edit, Qt::Key_Return);   // on to TX
        QTest::keyClick(d.win->Text_Edit, Qt::Key_Return);   // on to row 3, RX
        QCOMPARE(d.channelBytes(2).left(4), QByteArray::fromHex("00000046"));
        QCOMPARE(d.grid()->currentRow(), 3);
        QTest::keyClick(d.win->Text_Edit, Qt::Key_Escape);   // the box closes
        QTest::keyClick(d.grid(), Qt::Key_Escape);           // then the window
        QVERIFY(!d.app.main->window<Form_Edit_Test>());
    }
};

QTEST_MAIN(TestFormEditTest)
#include "tst_form_edit_test.moc"
