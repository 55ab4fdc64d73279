// What the channel table shows for a record, what its pick lists write, how
// a typed frequency is brought to a storable form, and what typing one into a
// channel stores.

#include <QTest>

#include "channels/ChannelGrid.h"
#include "channels/ChannelRecord.h"
#include "channels/FrequencyEntry.h"
#include "model/RadioDefaults.h"
#include "model/Tables.h"
#include "support/StartedState.h"
#include "support/ImageBytes.h"

using namespace mx615;
using namespace mx615::ChannelGrid;
using mx615::test::imageBytes;

namespace {

ProgramState started()
{
    return test::startedState();
}

void setLine(ProgramState& s, int n, const QByteArray& bytes)
{
    for (int i = 0; i < bytes.size(); ++i)
        s.RadioImage[n][i] = int16_t(uint8_t(bytes[i]));
}

QStringList row(const ProgramState& s, int n, bool chinese)
{
    QStringList out;
    for (const std::string& t : RowTexts(s, n, chinese))
        out << QString::fromStdString(t);
    return out;
}

}  // namespace

class TestChannelGrid : public QObject {
    Q_OBJECT
private slots:
    void titles_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("English") << false
                                 << QStringList{" Channel ",      "RX Frequency", "TX Frequency", "CTCSS/DCS Dec",
                                                "CTCSS/DCS Enc",  "TX Power",     "  W/N  ",      "Scan_Add",
                                                " OptSingal ",    " PTT-ID"};
        QTest::newRow("Chinese") << true
                                 << QStringList{" 信道号 ",    "接收频率(MHZ)", "发射频率(MHZ)", "QT/DQT 解码",
                                                "QT/DQT 编码", "发射功率",      "信道带宽",      "扫描添加",
                                                " 可选信令 ",  " PTT-ID"};
    }
    void titles()
    {
        QFETCH(bool, chinese);
        QFETCH(QStringList, titles);
        QStringList got;
        for (const std::string& t : ColumnTitles(kColumnFormat.pick(chinese)))
            got << QString::fromStdString(t);
        QCOMPARE(got, titles);
    }

    void rowTexts_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("scan");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("texts");  // columns 1..9
        QTest::newRow("factory channel 1")
            << QByteArray::fromHex("00250045002500459E029E0200BFB0F8") << true << false
            << QStringList{"450.02500", "450.02500", "67.0", "67.0", "High", "Wide", "Yes", "None", "OFF"};
        QTest::newRow("factory channel 1, Chinese")
            << QByteArray::fromHex("00250045002500459E029E0200BFB0F8") << true << true
            << QStringList{"450.02500", "450.02500", "67.0", "67.0", "高", "宽带", "有", "无", "关"};
        QTest::newRow("low power, narrow, DTMF, PTT-ID on, off list")
            << QByteArray::fromHex("0025004500250045FFFF1328020F01F8") << false << false
            << QStringList{"450.02500", "450.02500", "None", "D023N", "Low", "Narrow", "None", "DTMF", "ON"};
        QTest::newRow("FleetSync, Chinese off tone")
            << QByteArray::fromHex("00250045FFFFFFFFFFFFFFFF04BFB0F8") << true << true
            << QStringList{"450.02500", "", "无", "", "高", "宽带", "有", "FleetSync", "关"};
        QTest::newRow("signalling 3 shows None")
            << QByteArray::fromHex("00250045FFFFFFFFFFFFFFFF06BFB0F8") << true << false
            << QStringList{"450.02500", "", "None", "", "High", "Wide", "Yes", "None", "OFF"};
        QTest::newRow("no TX hides the encode tone")
            << QByteArray::fromHex("00250045FFFFFFFF9E029E0200BFB0F8") << true << false
            << QStringList{"450.02500", "", "67.0", "", "High", "Wide", "Yes", "None", "OFF"};
        QTest::newRow("unlisted CTCSS and unknown DCS")
            << QByteArray::fromHex("0025004500250045B602FF2800BFB0F8") << true << false
            << QStringList{"450.02500", "450.02500", "69.4", "", "High", "Wide", "Yes", "None", "OFF"};
        QTest::newRow("empty channel with garbage")
            << QByteArray::fromHex("FF2500450025004512345678ABCDEF01") << true << false
            << QStringList{"", "", "", "", "", "", "", "", ""};
    }
    void rowTexts()
    {
        QFETCH(QByteArray, record);
        QFETCH(bool, scan);
        QFETCH(bool, chinese);
        QFETCH(QStringList, texts);
        ProgramState s = started();
        setLine(s, 9, record);
        SetScanAdd(s, 9, scan);
        QCOMPARE(row(s, 9, chinese), QStringList{"9"} + texts);
    }

    void choicesStore_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("byte");  // image address
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        const int ch = 3 * 16;  // channel 3
        QTest::newRow("power Low") << int(ColPower) << "Low" << ch + 13 << 0xBF << 0x9F;
        QTest::newRow("power High") << int(ColPower) << "High" << ch + 13 << 0x0F << 0x2F;
        QTest::newRow("bandwidth Narrow") << int(ColWidth) << "Narrow" << ch + 13 << 0xBF << 0xAF;
        QTest::newRow("bandwidth Wide") << int(ColWidth) << "Wide" << ch + 13 << 0x00 << 0x10;
        QTest::newRow("scan None") << int(ColScan) << "None" << 0x17E << 0xFF << 0xFB;
        QTest::newRow("scan Yes") << int(ColScan) << "Yes" << 0x17E << 0x00 << 0x04;
        QTest::newRow("signalling FleetSync") << int(ColSignal) << "FleetSync" << ch + 12 << 0x81 << 0x85;
        QTest::newRow("signalling None from 3") << int(ColSignal) << "None" << ch + 12 << 0xFF << 0xF9;
        QTest::newRow("signalling DTMF") << int(ColSignal) << "DTMF" << ch + 12 << 0x00 << 0x02;
        QTest::newRow("PTT-ID ON") << int(ColPttId) << "ON" << ch + 14 << 0xB0 << 0xB1;
        QTest::newRow("PTT-ID OFF") << int(ColPttId) << "OFF" << ch + 14 << 0xFF << 0xFE;
        QTest::newRow("decode D023N low byte") << int(ColDecode) << "D023N" << ch + 8 << 0xFF << 0x13;
        QTest::newRow("decode D023N high byte") << int(ColDecode) << "D023N" << ch + 9 << 0xFF << 0x28;
        QTest::newRow("decode None") << int(ColDecode) << "None" << ch + 9 << 0x02 << 0xFF;
        QTest::newRow("encode 250.3 low") << int(ColEncode) << "250.3" << ch + 10 << 0xFF << 0xC7;
        QTest::newRow("encode D754I high") << int(ColEncode) << "D754I" << ch + 11 << 0xFF << 0xA9;
    }
    void choicesStore()
    {
        QFETCH(int, column);
        QFETCH(QString, entry);
        QFETCH(int, byte);
        QFETCH(int, before);
        QFETCH(int, after);
        ProgramState s = started();
        s.setByteAt(byte, before);
        QStringList list;
        for (const std::string& e : ColumnChoices(s, column, false))
            list << QString::fromStdString(e);
        const int p = list.indexOf(entry);
        QVERIFY2(p >= 0, qPrintable(entry));
        StoreColumnChoice(s, 3, column, p);
        QCOMPARE(s.byteAt(byte), after);
        // The grid reads back the entry that was picked.
        QCOMPARE(QString::fromStdString(RowTexts(s, 3, false)[column]), entry);
    }

    void toneListsMatchTheTable()
    {
        const ProgramState s = started();
        for (int column : {int(ColDecode), int(ColEncode)}) {
            const auto list = ColumnChoices(s, column, true);
            QCOMPARE(int(list.size()), kToneLast + 1);
            QCOMPARE(QString::fromStdString(list[0]), QStringLiteral("无"));
            QCOMPARE(QString::fromStdString(list[1]), QStringLiteral("67.0"));
            QCOMPARE(QString::fromStdString(list[40]), QStringLiteral("D023N"));
            QCOMPARE(QString::fromStdString(list[205]), QStringLiteral("D754I"));
            for (const std::string& name : list)
                QVERIFY(name.find(' ') == std::string::npos);
        }
    }

    void choiceListsInChinese_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("power") << int(ColPower) << QStringList{"高", "低"};
        QTest::newRow("bandwidth") << int(ColWidth) << QStringList{"窄带", "宽带"};
        QTest::newRow("scan") << int(ColScan) << QStringList{"有", "无"};
        QTest::newRow("signalling") << int(ColSignal) << QStringList{"无", "DTMF", "FleetSync"};
        QTest::newRow("PTT-ID") << int(ColPttId) << QStringList{"关", "开"};
        QTest::newRow("no list on RX") << int(ColRx) << QStringList{};
    }
    void choiceListsInChinese()
    {
        QFETCH(int, column);
        QFETCH(QStringList, entries);
        const ProgramState s = started();
        QStringList got;
        for (const std::string& e : ColumnChoices(s, column, true))
            got << QString::fromStdString(e);
        QCOMPARE(got, entries);
    }

    void normalise_data()
    {
        QTest::addColumn<double>("bandLow");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // empty: refused
        QTest::newRow("short decimals padded") << 400.0 << "450.025" << "450.02500";
        QTest::newRow("full form unchanged") << 400.0 << "460.04375" << "460.04375";
        QTest::newRow("whole MHz") << 400.0 << "450" << "450.00000";
        QTest::newRow("trailing point") << 400.0 << "450." << "450.00000";
        QTest::newRow("leading zero dropped") << 400.0 << "0450.025" << "450.02500";
        QTest::newRow("several leading zeros") << 400.0 << "00450.02" << "450.02000";
        QTest::newRow("blanks around") << 400.0 << " 450.1 " << "450.10000";
        QTest::newRow("two points refused") << 400.0 << "450.0.25" << "";
        QTest::newRow("two points together refused") << 400.0 << "450..025" << "";
        QTest::newRow("six decimals refused") << 100.0 << "450.025001" << "";
        QTest::newRow("six decimals, last zero") << 100.0 << "450.025000" << "450.02500";
        QTest::newRow("letters refused") << 400.0 << "45O.025" << "";
        QTest::newRow("empty refused") << 400.0 << "" << "";
        QTest::newRow("four MHz digits refused") << 400.0 << "4500.025" << "";
        QTest::newRow("two MHz digits need a low band") << 400.0 << "50.125" << "";
        QTest::newRow("two MHz digits in a low band") << 50.0 << "50.125" << "50.12500";
    }
    void normalise()
    {
        QFETCH(double, bandLow);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        ProgramState s = started();
        s.BandLowMHz = bandLow;
        const auto result = NormalisedFrequencyText(s, typed.toStdString());
        QCOMPARE(result ? QString::fromStdString(*result) : QString(), stored);
        if (result) {
            // What is stored reads back as exactly the value typed.
            StoreFrequency(s, *result, 1, kRxFirst);
            QCOMPARE(QString::fromStdString(FrequencyText(s, 1, kRxFirst)), stored);
            QCOMPARE(QString::fromStdString(FrequencyText(s, 1, kRxFirst)).toDouble(), typed.toDouble());
        }
    }

    // The entry rule both channel windows apply. Channel 3 starts as
    // 469.92500 / 469.92500 with tone 203.5 (F3 07) both ways.
    void frequencyEntry_data()
    {
        using R = ChannelFrequencyEntry::Result;
        using P = FrequencyProblem;
        QTest::addColumn<bool>("transmit");
        QTest::addColumn<bool>("emptyChannel");
        QTest::addColumn<bool>("encodeOff");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("rx");  // the record's texts afterwards
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QByteArray>("encode");
        const QByteArray tone("\xF3\x07", 2), off("\xFF\xFF", 2);
        const int stored = int(R::Stored), none = int(P::None), outOfBand = int(P::OutOfBand);
        QTest::newRow("RX in band") << false << false << false << " 450.025" << stored << none << "450.02500"
                                    << "450.02500" << "469.92500" << tone;
        QTest::newRow("RX out of band: band low") << false << false << false << "300" << stored << outOfBand
                                                  << "400.00000" << "400.00000" << "469.92500" << tone;
        QTest::newRow("RX unstorable") << false << false << false << "450..025" << int(R::Refused)
                                       << int(P::Unstorable) << "469.92500" << "469.92500" << "469.92500" << tone;
        QTest::newRow("RX blank empties") << false << false << false << "  " << int(R::Cleared) << none << ""
                                          << "" << "" << off;
        QTest::newRow("RX into an empty channel") << false << true << false << "450.1" << stored << none
                                                  << "450.10000" << "450.10000" << "" << off;
        QTest::newRow("RX unstorable, empty channel") << false << true << false << "450..1" << int(R::Refused)
                                                      << int(P::Unstorable) << "" << "" << "" << off;
        QTest::newRow("TX in band") << true << false << false << "450.0125" << stored << none << "450.01250"
                                    << "469.92500" << "450.01250" << tone;
        QTest::newRow("TX blank clears frequency and tone") << true << false << false << "" << int(R::Cleared)
                                                            << none << "" << "469.92500" << "" << off;
        QTest::newRow("TX out of band, tone off") << true << false << true << "500" << stored << outOfBand
                                                  << "400.00000" << "469.92500" << "400.00000" << off;
        QTest::newRow("TX out of band, tone kept") << true << false << false << "500" << stored << outOfBand
                                                   << "400.00000" << "469.92500" << "400.00000" << tone;
        QTest::newRow("TX unstorable") << true << false << true << "450.0250001" << int(R::Refused)
                                       << int(P::Unstorable) << "469.92500" << "469.92500" << "469.92500" << tone;
        QTest::newRow("TX on an empty channel") << true << true << true << "450" << int(R::Unchanged)
                                                << int(P::RxFirst) << "" << "" << "" << off;
        QTest::newRow("TX blank on an empty channel") << true << true << true << "" << int(R::Unchanged) << none
                                                      << "" << "" << "" << off;
    }
    void frequencyEntry()
    {
        QFETCH(bool, transmit);
        QFETCH(bool, emptyChannel);
        QFETCH(bool, encodeOff);
        QFETCH(QString, typed);
        QFETCH(int, result);
        QFETCH(int, problem);
        QFETCH(QString, shown);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QByteArray, encode);
        constexpr int n = 3;
        ProgramState s = started();
        if (emptyChannel) {
            ClearChannel(s, n);
            SetScanAdd(s, n, false);
        }
        const ProgramState before = s;
        const ChannelFrequencyEntry entry = transmit ? EnterTxFrequency(s, n, typed.toStdString(), encodeOff)
                                                     : EnterRxFrequency(s, n, typed.toStdString());
        QCOMPARE(int(entry.result), result);
        QCOMPARE(int(entry.problem), problem);
        QCOMPARE(QString::fromStdString(entry.shown), shown);
        QCOMPARE(ChannelInUse(s, n) ? QString::fromStdString(FrequencyText(s, n, kRxFirst)) : QString(), rx);
        QCOMPARE(HasTx(s, n) ? QString::fromStdString(FrequencyText(s, n, kTxFirst)) : QString(), tx);
        QCOMPARE(imageBytes(s, n, kEncodeFirst, 2), encode);
        QCOMPARE(entry.toneOff, transmit && encodeOff && problem == int(FrequencyProblem::OutOfBand));
        // Only the edited channel and its scan bit ever change.
        for (int line = 0; line < kRadioLines; ++line)
            if (line != n && line != kScanBitsLow / 16)
                QCOMPARE(imageBytes(s, line), imageBytes(before, line));
        const auto kept = ChannelFrequencyEntry::Result::Unchanged;
        if (entry.result == kept || entry.result == ChannelFrequencyEntry::Result::Refused)
            QCOMPARE(imageBytes(s, n), imageBytes(before, n));
        // A first receive frequency brings the new-channel values and the scan
        // list; emptying the channel takes it out of the list.
        QCOMPARE(entry.newChannel, emptyChannel && entry.result == ChannelFrequencyEntry::Result::Stored);
        if (entry.newChannel) {
            ProgramState fresh = before;
            SetChannelDefaults(fresh, n);
            QCOMPARE(imageBytes(s, n, 8, 8), imageBytes(fresh, n, 8, 8));
        }
        if (entry.newChannel || entry.result == ChannelFrequencyEntry::Result::Cleared)
            QCOMPARE(ScanAdd(s, n), entry.newChannel);
        if (entry.result == ChannelFrequencyEntry::Result::Cleared && !transmit)
            QCOMPARE(imageBytes(s, n), QByteArray(16, char(0xFF)));
    }

    void captions_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("1") << 1 << "Channel Information [ Channel -  1 ]" << "信道参数编辑 [ 信道 -  1 ]";
        QTest::newRow("12") << 12 << "Channel Information [ Channel -  12 ]" << "信道参数编辑 [ 信道 -  12 ]";
    }
    void captions()
    {
        QFETCH(int, channel);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        QCOMPARE(QString::fromStdString(Caption(channel).en), english);
        QCOMPARE(QString::fromStdString(Caption(channel).zh), chinese);
    }
};

QTEST_APPLESS_MAIN(TestChannelGrid)
#include "tst_channel_grid.moc"
