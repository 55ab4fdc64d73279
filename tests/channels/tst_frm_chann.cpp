// The channel table window driven through its grid and in-cell editors; every
// case checks both what the cells show and the bytes of the record.

#include <QPointer>
#include <QClipboard>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "ChannelWindowDriver.h"
#include "channels/ChannelRecord.h"
#include "model/Codecs.h"
#include "model/Tables.h"
#include "support/ImageBytes.h"

using namespace mx615;
using namespace mx615::test;

namespace {

using Image = RadioImageTable;

const QString kRxOut = QStringLiteral("Over the range of receive frequency .");
const QString kTxOut = QStringLiteral("Over the range of transmit frequency .");
const QString kRxBeforeTx = QStringLiteral("Please input the receive frequency in advance.");

void useModel(TestApp& app, int model)
{
    app.state.ModelIndex = int16_t(model);
    BuildModelTable(app.state);
}

QByteArray bytes(const TestApp& app, int line, int first = 0, int count = 16)
{
    return imageBytes(app.state, line, first, count);
}

void setLine(TestApp& app, int n, const QByteArray& data)
{
    for (int i = 0; i < data.size(); ++i)
        app.state.RadioImage[n][i] = int16_t(uint8_t(data[i]));
}

}  // namespace

class TestChannelWindow : public QObject {
    Q_OBJECT
private slots:
    void openAtStartUpWithFactoryChannels()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        QVERIFY(d.win());
        QVERIFY(d.win()->isVisible());
        QCOMPARE(d.grid()->rowCount(), 17);
        QCOMPARE(d.grid()->columnCount(), 10);
        for (int n = 1; n <= 16; ++n)
            QCOMPARE(d.cell(n, 0), QString::number(n));
        QCOMPARE(d.rowTexts(1), (QStringList{"450.02500", "450.02500", "67.0", "67.0", "High", "Wide", "None",
                                             "None", "OFF"}));
        QCOMPARE(d.cell(2, 1), QStringLiteral("460.04375"));
        QCOMPARE(d.cell(16, 2), QStringLiteral("469.97500"));
        QCOMPARE(d.cell(5, 3), QStringLiteral("None"));
        QCOMPARE(d.win()->windowTitle(), QStringLiteral("Channel Information [ Channel -  1 ]"));
        QCOMPARE(int(app.state.CurrentChannel), 1);
        QVERIFY(!d.text()->isVisible());
        QVERIFY(!d.combo()->isVisible());
        // Every text fits its column.
        const QFontMetrics metrics(d.grid()->font());
        for (int row = 1; row <= 16; ++row)
            for (int column = 0; column < 10; ++column)
                QVERIFY(metrics.horizontalAdvance(d.cell(row, column)) < d.grid()->columnWidth(column));
    }

    void languages_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("buttons");  // Edit, Default, Clear, Close, Help
        QTest::addColumn<QString>("title3");
        QTest::addColumn<QStringList>("row1");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("powerList");
        QTest::newRow("English") << false << QStringList{"Channel Edit", "Default", "Clear", "Close", "Help"}
                                 << "CTCSS/DCS Dec"
                                 << QStringList{"450.02500", "450.02500", "67.0", "67.0", "High", "Wide", "None",
                                                "None", "OFF"}
                                 << "Channel Information [ Channel -  1 ]" << QStringList{"High", "Low"};
        QTest::newRow("Chinese") << true << QStringList{"信道编辑", "出厂值", "清除", "关闭", "帮助"}
                                 << "QT/DQT 解码"
                                 << QStringList{"450.02500", "450.02500", "67.0", "67.0", "高", "宽带", "无", "无",
                                                "关"}
                                 << "信道参数编辑 [ 信道 -  1 ]" << QStringList{"高", "低"};
    }
    void languages()
    {
        QFETCH(bool, chinese);
        QFETCH(QStringList, buttons);
        QFETCH(QString, title3);
        QFETCH(QStringList, row1);
        QFETCH(QString, caption);
        QFETCH(QStringList, powerList);
        TestApp app;
        app.state.UiChinese = chinese;
        app.main->Channel_edit_Click();
        ChannelWindowDriver d(app);
        const frm_chann* w = d.win();
        QCOMPARE((QStringList{w->Command_Edit->text(), w->Command_def->text(), w->Command_clear->text(),
                              w->Command_close->text(), w->Command_Help->text()}),
                 buttons);
        QCOMPARE(d.grid()->horizontalHeaderItem(3)->text(), title3);
        QCOMPARE(d.rowTexts(1), row1);
        QCOMPARE(w->windowTitle(), caption);
        d.click(1, 5);
        QStringList list;
        for (int i = 0; i < d.combo()->count(); ++i)
            list << d.combo()->itemText(i);
        QCOMPARE(list, powerList);
    }

    void newChannelFromRx_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("rx");
        QTest::newRow("VHF 145.125") << 0 << "145.125" << "145.12500" << QByteArray::fromHex("00255114");
        QTest::newRow("UHF 450.125") << 1 << "450.125" << "450.12500" << QByteArray::fromHex("00250145");
        QTest::newRow("leading zero") << 1 << "0450.125" << "450.12500" << QByteArray::fromHex("00250145");
    }
    void newChannelFromRx()
    {
        QFETCH(int, model);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, rx);
        TestApp app;
        useModel(app, model);
        ChannelWindowDriver d(app);
        d.win()->Command_clear->click();
        d.type(5, 1, typed);
        d.enter(d.text());
        QVERIFY(app.prompt.messages.isEmpty());
        QCOMPARE(bytes(app, 5, 0, 4), rx);
        QCOMPARE(bytes(app, 5, 4, 4), QByteArray(4, char(0xFF)));
        QCOMPARE(bytes(app, 5, 8, 8), QByteArray::fromHex("FFFFFFFF00BFB0F8"));
        QCOMPARE(app.state.byteAt(0x17E), 0x10);
        QCOMPARE(d.rowTexts(5), (QStringList{shown, shown, "None", "", "High", "Wide", "Yes", "None", "OFF"}));
        // The RX value is offered in the TX editor, and stored only on its commit.
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::Text);
        QCOMPARE(d.grid()->currentColumn(), 2);
        QCOMPARE(d.text()->text(), shown);
        QVERIFY(d.text()->isVisible());
        d.enter(d.text());
        QCOMPARE(bytes(app, 5, 4, 4), rx);
        QCOMPARE(d.grid()->currentColumn(), 3);
    }

    void blankRxClearsTheChannel()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        SetScanAdd(app.state, 3, true);
        SetScanAdd(app.state, 4, true);
        d.type(3, 1, QString());
        d.click(6, 0);
        QCOMPARE(bytes(app, 3), QByteArray(16, char(0xFF)));
        QCOMPARE(app.state.byteAt(0x17E), 0x08);  // channel 4 stays in the list
        QCOMPARE(d.rowTexts(3), QStringList(9, QString()));
        QVERIFY(app.prompt.messages.isEmpty());
    }

    void txRules_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("emptyFirst");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("tx");    // bytes 4..7
        QTest::addColumn<QByteArray>("tone");  // bytes 10..11
        QTest::addColumn<QString>("txCell");
        QTest::addColumn<QString>("toneCell");
        const QByteArray off = QByteArray::fromHex("FFFF");
        QTest::newRow("TX before RX") << 7 << true << "450" << kRxBeforeTx << QByteArray(4, char(0xFF)) << off << ""
                                      << "";
        QTest::newRow("out of band switches the tone off")
            << 1 << false << "500" << kTxOut << QByteArray::fromHex("00000040") << off << "400.00000" << "None";
        QTest::newRow("in band keeps the tone") << 1 << false << "455.5" << "" << QByteArray::fromHex("00005545")
                                                << QByteArray::fromHex("9E02") << "455.50000" << "67.0";
        QTest::newRow("upper limit accepted") << 2 << false << "481" << "" << QByteArray::fromHex("00001048")
                                              << QByteArray::fromHex("E803") << "481.00000" << "100.0";
        QTest::newRow("blank removes TX and tone")
            << 1 << false << "" << "" << QByteArray(4, char(0xFF)) << off << "" << "";
    }
    void txRules()
    {
        QFETCH(int, channel);
        QFETCH(bool, emptyFirst);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QByteArray, tx);
        QFETCH(QByteArray, tone);
        QFETCH(QString, txCell);
        QFETCH(QString, toneCell);
        TestApp app;
        ChannelWindowDriver d(app);
        if (emptyFirst) {
            ClearChannel(app.state, channel);
            d.redraw();
        }
        const QByteArray rxBefore = bytes(app, channel, 0, 4);
        d.type(channel, 2, typed);
        d.click(channel == 16 ? 15 : channel + 1, 0);  // leave the cell
        QCOMPARE(app.prompt.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(app.prompt.messages.front().title, QStringLiteral("Operate prompt"));
        QCOMPARE(bytes(app, channel, 0, 4), rxBefore);
        QCOMPARE(bytes(app, channel, 4, 4), tx);
        QCOMPARE(bytes(app, channel, 10, 2), tone);
        QCOMPARE(d.cell(channel, 2), txCell);
        QCOMPARE(d.cell(channel, 4), toneCell);
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::None);
    }

    void rxEntries_data()
    {
        QTest::addColumn<bool>("emptyFirst");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("rx");
        QTest::addColumn<QString>("cell");
        QTest::newRow("above the band") << false << "500" << kRxOut << QByteArray::fromHex("00000040") << "400.00000";
        QTest::newRow("below the band") << false << "399.99" << kRxOut << QByteArray::fromHex("00000040")
                                        << "400.00000";
        QTest::newRow("a lone point") << false << "." << kRxOut << QByteArray::fromHex("00000040") << "400.00000";
        QTest::newRow("below, on an empty channel") << true << "99" << kRxOut << QByteArray::fromHex("00000040")
                                                    << "400.00000";
        QTest::newRow("lower limit") << false << "400" << "" << QByteArray::fromHex("00000040") << "400.00000";
        QTest::newRow("upper limit") << false << "481" << "" << QByteArray::fromHex("00001048") << "481.00000";
        QTest::newRow("10 Hz steps kept") << false << "433.00125" << "" << QByteArray::fromHex("25013043")
                                          << "433.00125";
    }
    void rxEntries()
    {
        QFETCH(bool, emptyFirst);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QByteArray, rx);
        QFETCH(QString, cell);
        TestApp app;
        ChannelWindowDriver d(app);
        if (emptyFirst) {
            ClearChannel(app.state, 2);
            d.redraw();
        }
        d.type(2, 1, typed);
        d.click(9, 0);
        QCOMPARE(app.prompt.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(bytes(app, 2, 0, 4), rx);
        QCOMPARE(d.cell(2, 1), cell);
        if (emptyFirst) {
            QCOMPARE(bytes(app, 2, 8, 8), QByteArray::fromHex("FFFFFFFF00BFB0F8"));
            QCOMPARE(d.cell(2, 7), QStringLiteral("Yes"));
        } else {
            QCOMPARE(bytes(app, 2, 4, 4), QByteArray::fromHex("75430046"));  // TX untouched
        }
    }

    void malformedEntryRefused()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        const Image before = app.state.RadioImage;
        d.type(4, 1, "450..025");
        d.enter(d.text());
        QCOMPARE(app.prompt.messages.size(), 1);
        QVERIFY(app.prompt.lastText().contains("not a valid number"));
        QCOMPARE(app.state.RadioImage, before);
        // The editor stays on the cell with the text, to be corrected.
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::Text);
        QCOMPARE(d.grid()->currentRow(), 4);
        QCOMPARE(d.grid()->currentColumn(), 1);
        QCOMPARE(d.text()->text(), QStringLiteral("450..025"));
        QCOMPARE(d.cell(4, 1), QStringLiteral("400.12500"));
        QTest::keyClick(d.text(), Qt::Key_Escape);
        QCOMPARE(app.state.RadioImage, before);
        QCOMPARE(d.cell(4, 1), QStringLiteral("400.12500"));
    }

    void clearAndDefault()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        app.state.setByteAt(0x17E, 0xFF);
        app.state.setByteAt(0x17F, 0xFF);
        d.win()->Command_clear->click();
        for (int n = 1; n <= 16; ++n) {
            QCOMPARE(bytes(app, n), QByteArray(16, char(0xFF)));
            QCOMPARE(d.rowTexts(n), QStringList(9, QString()));
        }
        QCOMPARE(app.state.byteAt(0x17E), 0);
        QCOMPARE(app.state.byteAt(0x17F), 0);
        QVERIFY(app.prompt.messages.isEmpty());

        d.type(10, 1, "470");
        d.click(1, 0);
        QCOMPARE(app.state.byteAt(0x17F), 0x02);

        d.win()->Command_def->click();
        QCOMPARE(bytes(app, 1), QByteArray::fromHex("00250045002500459E029E0200BFB0F8"));
        QCOMPARE(d.cell(10, 1), QStringLiteral("419.97500"));
        QCOMPARE(d.cell(10, 7), QStringLiteral("Yes"));  // the factory table leaves the scan list alone
        QCOMPARE(d.cell(1, 7), QStringLiteral("None"));
    }

    void enterNavigation_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("emptyRow");
        QTest::addColumn<bool>("noTx");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toColumn");
        QTest::addColumn<int>("editor");  // frm_chann::Editor
        const int none = int(frm_chann::Editor::None), text = int(frm_chann::Editor::Text),
                  combo = int(frm_chann::Editor::Combo);
        QTest::newRow("PTT-ID on row 16 stays on row 16") << 16 << 9 << false << false << 16 << 1 << text;
        QTest::newRow("PTT-ID to the next row") << 5 << 9 << false << false << 6 << 1 << text;
        QTest::newRow("decode to encode") << 5 << 3 << false << false << 5 << 4 << combo;
        QTest::newRow("decode to encode without TX") << 5 << 3 << false << true << 5 << 4 << none;
        QTest::newRow("power to bandwidth") << 5 << 5 << false << false << 5 << 6 << combo;
        QTest::newRow("RX to TX") << 5 << 1 << false << false << 5 << 2 << text;
        QTest::newRow("TX to decode") << 5 << 2 << false << false << 5 << 3 << combo;
        QTest::newRow("TX of an empty row to the next") << 7 << 2 << true << false << 8 << 1 << text;
        QTest::newRow("TX of empty row 16 stays") << 16 << 2 << true << false << 16 << 1 << text;
    }
    void enterNavigation()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, emptyRow);
        QFETCH(bool, noTx);
        QFETCH(int, toRow);
        QFETCH(int, toColumn);
        QFETCH(int, editor);
        TestApp app;
        ChannelWindowDriver d(app);
        if (emptyRow)
            ClearChannel(app.state, row);
        if (noTx)
            for (int b = 4; b < 8; ++b)
                app.state.RadioImage[row][b] = 0xFF;
        d.redraw();
        const Image before = app.state.RadioImage;
        d.click(row, column);
        QVERIFY(d.win()->openEditor() != frm_chann::Editor::None);
        d.enter(d.win()->openEditor() == frm_chann::Editor::Text ? static_cast<QWidget*>(d.text()) : d.combo());
        QCOMPARE(d.grid()->currentRow(), toRow);
        QCOMPARE(d.grid()->currentColumn(), toColumn);
        QCOMPARE(int(d.win()->openEditor()), editor);
        if (editor == int(frm_chann::Editor::Text))
            QVERIFY(d.text()->isVisible() && !d.combo()->isVisible());
        if (editor == int(frm_chann::Editor::Combo))
            QVERIFY(d.combo()->isVisible() && !d.text()->isVisible());
        // Passing through a cell with Enter stores what it already held.
        if (column != 1)
            QCOMPARE(app.state.RadioImage, before);
    }

    void captionFollowsTheClickedRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("caption");
        QTest::newRow("row 12, number column") << 12 << 0 << "Channel Information [ Channel -  12 ]";
        QTest::newRow("row 12, power") << 12 << 5 << "Channel Information [ Channel -  12 ]";
        QTest::newRow("row 3, RX") << 3 << 1 << "Channel Information [ Channel -  3 ]";
    }
    void captionFollowsTheClickedRow()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, caption);
        TestApp app;
        ChannelWindowDriver d(app);
        d.click(row, column);
        QCOMPARE(int(app.state.CurrentChannel), row);
        QCOMPARE(d.win()->windowTitle(), caption);
    }

    void emptyChannelNormalisedOnRedraw()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        setLine(app, 6, QByteArray::fromHex("FF2500450025004512345678ABCDEF01"));
        SetScanAdd(app.state, 6, true);
        SetScanAdd(app.state, 5, true);
        d.redraw();
        QCOMPARE(bytes(app, 6), QByteArray(16, char(0xFF)));
        QCOMPARE(app.state.byteAt(0x17E), 0x10);
        QCOMPARE(d.rowTexts(6), QStringList(9, QString()));
        // No list opens on an empty row.
        d.click(6, 5);
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::None);
    }

    void toneCells_data()
    {
        QTest::addColumn<QByteArray>("code");  // low, high
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("listed");  // list position, -1: none
        QTest::newRow("off") << QByteArray::fromHex("FFFF") << "None" << 0;
        QTest::newRow("listed CTCSS") << QByteArray::fromHex("E803") << "100.0" << 13;
        QTest::newRow("unlisted CTCSS 69.4") << QByteArray::fromHex("B602") << "69.4" << -1;
        QTest::newRow("low FF, high 02") << QByteArray::fromHex("FF02") << "76.7" << -1;
        QTest::newRow("DCS") << QByteArray::fromHex("0929") << "D411N" << 90;
        QTest::newRow("low FF, high 28") << QByteArray::fromHex("FF28") << "" << -1;
    }
    void toneCells()
    {
        QFETCH(QByteArray, code);
        QFETCH(QString, shown);
        QFETCH(int, listed);
        TestApp app;
        ChannelWindowDriver d(app);
        for (int first : {8, 10})
            for (int i = 0; i < 2; ++i)
                app.state.RadioImage[4][first + i] = int16_t(uint8_t(code[i]));
        d.redraw();
        QCOMPARE(d.cell(4, 3), shown);
        QCOMPARE(d.cell(4, 4), shown);
        // Opening the list and leaving it unchosen stores nothing and keeps
        // the cell, even when the list has no entry for the code.
        const Image before = app.state.RadioImage;
        d.click(4, 4);
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::Combo);
        QCOMPARE(d.combo()->currentIndex(), listed);
        d.click(9, 0);
        QCOMPARE(app.state.RadioImage, before);
        QCOMPARE(d.cell(4, 4), shown);
    }

    void keyboardMovesOpenNoEditor_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toColumn");
        QTest::newRow("down twice") << QList<int>{Qt::Key_Down, Qt::Key_Down} << 3 << 1;
        QTest::newRow("across the lists") << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right}
                                         << 1 << 5;
        QTest::newRow("up at the top stays on channel 1") << QList<int>{Qt::Key_Up} << 1 << 1;
        QTest::newRow("to the last row") << QList<int>{Qt::Key_End, Qt::Key_PageDown} << 16 << 9;
        QTest::newRow("letters do nothing") << QList<int>{Qt::Key_X, Qt::Key_Space} << 1 << 1;
    }
    void keyboardMovesOpenNoEditor()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, toRow);
        QFETCH(int, toColumn);
        TestApp app;
        ChannelWindowDriver d(app);
        const Image before = app.state.RadioImage;
        const QStringList cells = d.allCells();
        d.grid()->setFocus();
        for (int key : keys)
            QTest::keyClick(d.grid(), Qt::Key(key), key == Qt::Key_End ? Qt::ControlModifier : Qt::NoModifier);
        QCOMPARE(d.grid()->currentRow(), toRow);
        QCOMPARE(d.grid()->currentColumn(), toColumn);
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::None);
        QVERIFY(!d.text()->isVisible());
        QVERIFY(!d.combo()->isVisible());
        QCOMPARE(app.state.RadioImage, before);
        QCOMPARE(d.allCells(), cells);
        QCOMPARE(int(app.state.CurrentChannel), toRow);
    }

    void keysOpenTheEditor()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        d.grid()->setFocus();
        d.grid()->setCurrentCell(4, 1);
        QTest::keyClick(d.grid(), Qt::Key_4);
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::Text);
        QCOMPARE(d.text()->text(), QStringLiteral("4"));
        QTest::keyClicks(d.text(), "60.5");
        d.enter(d.text());
        QCOMPARE(bytes(app, 4, 0, 4), QByteArray::fromHex("00000546"));
        QTest::keyClick(d.text(), Qt::Key_Escape);
        QVERIFY(d.grid()->hasFocus());
        QTest::keyClick(d.grid(), Qt::Key_Right);
        QTest::keyClick(d.grid(), Qt::Key_Right);
        QTest::keyClick(d.grid(), Qt::Key_Right);  // power of channel 4
        QTest::keyClick(d.grid(), Qt::Key_F2);
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::Combo);
        QCOMPARE(d.win()->editColumn(), 5);
        QTest::keyClick(d.combo(), Qt::Key_Escape);
        QTest::keyClick(d.grid(), Qt::Key_Return);
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::Combo);
    }

    void escapeAbandons_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::newRow("RX typed") << 1 << "470.5";
        QTest::newRow("RX blanked") << 1 << "";
        QTest::newRow("TX typed") << 2 << "999";
        QTest::newRow("list opened") << 6 << "";
    }
    void escapeAbandons()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        TestApp app;
        ChannelWindowDriver d(app);
        const Image before = app.state.RadioImage;
        const QStringList cells = d.allCells();
        if (column <= 2) {
            d.type(8, column, typed);
            QTest::keyClick(d.text(), Qt::Key_Escape);
        } else {
            d.click(8, column);
            QTest::keyClick(d.combo(), Qt::Key_Escape);
        }
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::None);
        QVERIFY(!d.text()->isVisible() && !d.combo()->isVisible());
        QVERIFY(d.grid()->hasFocus());
        // Leaving the cell afterwards commits nothing either.
        d.click(12, 0);
        QCOMPARE(app.state.RadioImage, before);
        QCOMPARE(d.allCells(), cells);
        QVERIFY(app.prompt.messages.isEmpty());
        // The Escape that abandoned the editor did nothing more, and one on
        // the grid with no editor open leaves the table where it is.
        const QPointer<frm_chann> window(d.win());
        QTest::keyClick(d.grid(), Qt::Key_Escape);
        QVERIFY(window && window->isVisible());
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::None);
    }

    void recordReplacedUnderAnOpenEditor_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("RX editor") << 1;
        QTest::newRow("TX editor") << 2;
        QTest::newRow("list editor") << 5;
    }
    void recordReplacedUnderAnOpenEditor()
    {
        // An editor is open when a read or a file load replaces the channel:
        // leaving the cell afterwards must not write the old text back.
        QFETCH(int, column);
        TestApp app;
        ChannelWindowDriver d(app);
        d.click(3, column);
        QVERIFY(d.win()->openEditor() != frm_chann::Editor::None);
        FrequencyTextToBcd(app.state, "441.125", 3, 0);
        FrequencyTextToBcd(app.state, "446.125", 3, 4);
        SetHighPower(app.state, 3, 0);
        const Image replaced = app.state.RadioImage;
        d.redraw();
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::None);
        d.click(10, 0);
        QCOMPARE(app.state.RadioImage, replaced);
        QCOMPARE(d.cell(3, 1), QStringLiteral("441.12500"));
        QCOMPARE(d.cell(3, 2), QStringLiteral("446.12500"));
        QCOMPARE(d.cell(3, 5), QStringLiteral("Low"));
    }

    void escapeTakesBackTheOfferedTx()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        ClearChannel(app.state, 9);
        d.redraw();
        d.type(9, 1, "455");
        d.enter(d.text());
        QCOMPARE(d.cell(9, 2), QStringLiteral("455.00000"));
        QTest::keyClick(d.text(), Qt::Key_Escape);
        QCOMPARE(d.cell(9, 2), QString());
        QCOMPARE(bytes(app, 9, 4, 4), QByteArray(4, char(0xFF)));
        QCOMPARE(d.cell(9, 1), QStringLiteral("455.00000"));
    }

    void overLongAndWrongTextRefused_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("typing stops at nine") << "450.0250012" << "" << "450.02500";
        QTest::newRow("letters discarded") << "4a5b0-.1x" << "" << "450.1";
        QTest::newRow("over-long paste refused whole") << "45" << "0.0250012" << "45";
        QTest::newRow("paste with letters refused") << "4" << "50abc" << "4";
        QTest::newRow("paste that fits") << "4" << "60.125" << "460.125";
    }
    void overLongAndWrongTextRefused()
    {
        QFETCH(QString, keys);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        TestApp app;
        ChannelWindowDriver d(app);
        d.type(3, 1, keys);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(d.text(), Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(d.text()->text(), shown);
    }

    void listChoicesStored_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("address");
        QTest::addColumn<QByteArray>("stored");
        const int ch = 16;  // channel 1
        QTest::newRow("power Low") << 5 << int(Qt::Key_Down) << "Low" << ch + 13 << QByteArray::fromHex("9F");
        QTest::newRow("bandwidth Narrow") << 6 << int(Qt::Key_Up) << "Narrow" << ch + 13
                                          << QByteArray::fromHex("AF");
        QTest::newRow("scan add Yes") << 7 << int(Qt::Key_Home) << "Yes" << 0x17E << QByteArray::fromHex("01");
        QTest::newRow("signalling FleetSync") << 8 << int(Qt::Key_End) << "FleetSync" << ch + 12
                                              << QByteArray::fromHex("04");
        QTest::newRow("signalling DTMF") << 8 << int(Qt::Key_Down) << "DTMF" << ch + 12 << QByteArray::fromHex("02");
        QTest::newRow("PTT-ID ON") << 9 << int(Qt::Key_Down) << "ON" << ch + 14 << QByteArray::fromHex("B1");
        QTest::newRow("decode off") << 3 << int(Qt::Key_Home) << "None" << ch + 8 << QByteArray::fromHex("FFFF");
        QTest::newRow("decode 69.3") << 3 << int(Qt::Key_Down) << "69.3" << ch + 8 << QByteArray::fromHex("B502");
        QTest::newRow("encode D754I") << 4 << int(Qt::Key_End) << "D754I" << ch + 10 << QByteArray::fromHex("ECA9");
    }
    void listChoicesStored()
    {
        QFETCH(int, column);
        QFETCH(int, key);
        QFETCH(QString, shown);
        QFETCH(int, address);
        QFETCH(QByteArray, stored);
        TestApp app;
        ChannelWindowDriver d(app);
        Image expected = app.state.RadioImage;
        for (int i = 0; i < stored.size(); ++i)
            expected[(address + i) / 16][(address + i) % 16] = int16_t(uint8_t(stored[i]));
        d.click(1, column);
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::Combo);
        QTest::keyClick(d.combo(), Qt::Key(key));
        QCOMPARE(app.state.RadioImage, expected);  // stored at the pick, nothing else changed
        QCOMPARE(d.cell(1, column), shown);
        d.click(2, 0);
        QCOMPARE(app.state.RadioImage, expected);
        QCOMPARE(d.cell(1, column), shown);
        d.redraw();
        QCOMPARE(d.cell(1, column), shown);
    }

    // Typing into the list searches nothing and stores nothing: only a pick does.
    void typingIntoTheListChangesNothing()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        const Image before = app.state.RadioImage;
        d.click(1, 6);  // W/N of channel 1, "Wide"
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::Combo);
        QTest::keyClicks(d.combo(), "n");
        QCOMPARE(d.combo()->currentText(), QString("Wide"));
        d.click(2, 0);
        QCOMPARE(app.state.RadioImage, before);
        QCOMPARE(d.cell(1, 6), QString("Wide"));
    }

    void signallingThreeShownAsNone()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        app.state.RadioImage[2][12] = 0x86;
        d.redraw();
        QCOMPARE(d.cell(2, 8), QStringLiteral("None"));
        d.click(2, 8);
        d.click(3, 0);
        QCOMPARE(int(app.state.RadioImage[2][12]), 0x86);  // shown, not rewritten
    }

    void focusToAButtonCommitsOnce()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        d.type(2, 1, "500");
        QTest::mouseClick(d.win()->Command_Help, Qt::LeftButton);
        QCOMPARE(app.prompt.texts(), QStringList{kRxOut});
        QCOMPARE(bytes(app, 2, 0, 4), QByteArray::fromHex("00000040"));
        QCOMPARE(d.win()->openEditor(), frm_chann::Editor::None);
        QVERIFY(!d.text()->isVisible());
        d.click(5, 0);
        d.click(6, 0);
        QCOMPARE(app.prompt.messages.size(), 1);
    }

    void commitGoesToTheEditedRow()
    {
        TestApp app;
        ChannelWindowDriver d(app);
        const QByteArray nine = bytes(app, 9);
        d.type(3, 1, "433.3");
        app.state.CurrentChannel = 9;  // as the channel dialog may do meanwhile
        d.enter(d.text());
        QCOMPARE(bytes(app, 3, 0, 4), QByteArray::fromHex("00003343"));
        QCOMPARE(bytes(app, 9), nine);

        d.click(3, 5);
        app.state.CurrentChannel = 9;
        QTest::keyClick(d.combo(), Qt::Key_Down);
        QCOMPARE(int(app.state.RadioImage[3][13]), 0x9F);
        QCOMPARE(bytes(app, 9), nine);
    }

    void reopenAndClose()
    {
        TestApp app;
        frm_chann* first = app.main->window<frm_chann>();
        QVERIFY(first);
        app.state.CurrentChannel = 7;
        app.main->Toolbar1_ButtonClick("edit_chann");
        ChannelWindowDriver d(app);
        QVERIFY(d.win());
        QCOMPARE(int(app.state.CurrentChannel), 1);
        QCOMPARE(app.main->mdiArea()->subWindowList().size(), 1);
        d.win()->Command_close->click();
        QCOMPARE(app.main->window<frm_chann>(), nullptr);
        app.main->Channel_edit_Click();
        QVERIFY(app.main->window<frm_chann>());
    }
};

QTEST_MAIN(TestChannelWindow)
#include "tst_frm_chann.moc"
