// The 16-byte channel record: reading and writing its fields straight in the
// radio image.

#include <QTest>

#include "channels/ChannelRecord.h"
#include "model/Tables.h"
#include "support/ImageBytes.h"

using namespace mx615;
using mx615::test::imageBytes;

namespace {

ProgramState tablesBuilt(int model = 1)
{
    ProgramState s;
    s.ModelIndex = int16_t(model);
    BuildToneTables(s);
    BuildModelTable(s);
    return s;
}

void setLine(ProgramState& s, int n, const QByteArray& bytes, int first = 0)
{
    for (int i = 0; i < bytes.size(); ++i)
        s.RadioImage[n][first + i] = int16_t(uint8_t(bytes[i]));
}

}  // namespace

class TestChannelRecord : public QObject {
    Q_OBJECT
private slots:
    void inUseAndTx_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("inUse");
        QTest::addColumn<bool>("hasTx");
        QTest::newRow("erased") << QByteArray(16, char(0xFF)) << false << false;
        QTest::newRow("RX and TX") << QByteArray::fromHex("002500450025004500") << true << true;
        QTest::newRow("RX only") << QByteArray::fromHex("00250045FFFFFFFF") << true << false;
        QTest::newRow("byte 0 decides, not the rest") << QByteArray::fromHex("FF250045002500450000") << false << true;
        QTest::newRow("byte 0 = 0x00 is in use") << QByteArray::fromHex("00FFFFFFFF") << true << false;
    }
    void inUseAndTx()
    {
        QFETCH(QByteArray, record);
        QFETCH(bool, inUse);
        QFETCH(bool, hasTx);
        ProgramState s = tablesBuilt();
        setLine(s, 7, QByteArray(16, char(0xFF)));
        setLine(s, 7, record);
        QCOMPARE(ChannelInUse(s, 7), inUse);
        QCOMPARE(HasTx(s, 7), hasTx);
    }

    void frequencyInBand_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("inBand");
        QTest::newRow("UHF lower limit") << 1 << "400" << true;
        QTest::newRow("UHF upper limit") << 1 << "481" << true;
        QTest::newRow("UHF just above") << 1 << "481.00001" << false;
        QTest::newRow("UHF just below") << 1 << "399.99999" << false;
        QTest::newRow("UHF typical") << 1 << "450.025" << true;
        QTest::newRow("empty is 0") << 1 << "" << false;
        QTest::newRow("blank is 0") << 1 << "   " << false;
        QTest::newRow("leading number only") << 1 << "450.0.25" << true;
        QTest::newRow("VHF 136") << 0 << "136" << true;
        QTest::newRow("VHF 175") << 0 << "175" << true;
        QTest::newRow("VHF rejects UHF") << 0 << "450" << false;
        QTest::newRow("FULL 100") << 2 << "100.00000" << true;
        QTest::newRow("FULL 99.99") << 2 << "99.99" << false;
    }
    void frequencyInBand()
    {
        QFETCH(int, model);
        QFETCH(QString, text);
        QFETCH(bool, inBand);
        const ProgramState s = tablesBuilt(model);
        QCOMPARE(FrequencyInBand(s, text.toStdString()), inBand);
    }

    void bandLowText_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<QString>("text");
        QTest::newRow("136") << 136.0 << "136.00000";
        QTest::newRow("400") << 400.0 << "400.00000";
        QTest::newRow("two digits") << 50.0 << "50.00000";
        QTest::newRow("with decimals: unchanged") << 136.5 << "136.5";
        QTest::newRow("four digits: unchanged") << 1000.0 << "1000";
        QTest::newRow("one digit: unchanged") << 5.0 << "5";
    }
    void bandLowText()
    {
        QFETCH(double, low);
        QFETCH(QString, text);
        ProgramState s = tablesBuilt();
        s.BandLowMHz = low;
        QCOMPARE(QString::fromStdString(BandLowText(s)), text);
    }

    void frequencyText_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::newRow("factory channel 2") << QByteArray::fromHex("7543004675430046") << "460.04375" << "460.04375";
        QTest::newRow("split") << QByteArray::fromHex("0025004500502515") << "450.02500" << "152.55000";
        QTest::newRow("below 100 MHz") << QByteArray::fromHex("0025010500000000") << "50.12500" << "00000000";
    }
    void frequencyText()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        ProgramState s = tablesBuilt();
        setLine(s, 3, record);
        QCOMPARE(QString::fromStdString(FrequencyText(s, 3, kRxFirst)), rx);
        QCOMPARE(QString::fromStdString(FrequencyText(s, 3, kTxFirst)), tx);
    }

    void storeFrequency_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("145.125 as RX") << "145.125" << 0 << QByteArray::fromHex("00255114");
        QTest::newRow("450.02500 as TX") << "450.02500" << 4 << QByteArray::fromHex("00250045");
        QTest::newRow("whole MHz") << "400" << 0 << QByteArray::fromHex("00000040");
    }
    void storeFrequency()
    {
        QFETCH(QString, text);
        QFETCH(int, first);
        QFETCH(QByteArray, bytes);
        ProgramState s = tablesBuilt();
        setLine(s, 9, QByteArray(16, char(0xAA)));
        StoreFrequency(s, text.toStdString(), 9, first);
        QCOMPARE(imageBytes(s, 9, first, 4), bytes);
        // The other half of the record and the neighbours are untouched.
        QCOMPARE(imageBytes(s, 9, first == 0 ? 4 : 0, 4), QByteArray(4, char(0xAA)));
        QCOMPARE(imageBytes(s, 9, 8, 8), QByteArray(8, char(0xAA)));
        QCOMPARE(QString::fromStdString(FrequencyText(s, 9, first)).toDouble(), text.toDouble());
    }

    void toneText_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("text");
        QTest::newRow("off") << 0xFF << 0xFF << false << "None";
        QTest::newRow("off, Chinese") << 0xFF << 0xFF << true << "无";
        QTest::newRow("67.0 listed") << 0x9E << 0x02 << false << "67.0";
        QTest::newRow("100.0 whole value gets .0") << 0xE8 << 0x03 << false << "100.0";
        QTest::newRow("250.3") << 0xC7 << 0x09 << false << "250.3";
        QTest::newRow("69.4 not listed") << 0xB6 << 0x02 << false << "69.4";
        QTest::newRow("low FF, high 02 computes") << 0xFF << 0x02 << false << "76.7";
        QTest::newRow("D023N") << 0x13 << 0x28 << false << "D023N";
        QTest::newRow("D411N high 29") << 0x09 << 0x29 << false << "D411N";
        QTest::newRow("D754I") << 0xEC << 0xA9 << false << "D754I";
        QTest::newRow("low FF, high 28: no match") << 0xFF << 0x28 << false << "";
        QTest::newRow("unknown DCS code") << 0x14 << 0x28 << false << "";
    }
    void toneText()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(bool, chinese);
        QFETCH(QString, text);
        ProgramState s = tablesBuilt();
        for (int first : {kDecodeFirst, kEncodeFirst}) {
            setLine(s, 4, QByteArray(16, char(0xFF)));
            s.RadioImage[4][first] = int16_t(low);
            s.RadioImage[4][first + 1] = int16_t(high);
            QCOMPARE(QString::fromStdString(ToneText(s, 4, first, chinese)), text);
        }
    }

    void toneIndex_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("index");  // -1: nothing selected
        QTest::newRow("off") << 0xFF << 0xFF << 0;
        QTest::newRow("low FF, high 28 is off") << 0xFF << 0x28 << 0;
        QTest::newRow("low FF, high 02 is off") << 0xFF << 0x02 << 0;
        QTest::newRow("67.0") << 0x9E << 0x02 << 1;
        QTest::newRow("250.3") << 0xC7 << 0x09 << 39;
        QTest::newRow("D023N") << 0x13 << 0x28 << 40;
        QTest::newRow("D411N") << 0x09 << 0x29 << 90;
        QTest::newRow("D754I") << 0xEC << 0xA9 << 205;
        QTest::newRow("69.4 not listed") << 0xB6 << 0x02 << -1;
    }
    void toneIndex()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(int, index);
        ProgramState s = tablesBuilt();
        s.RadioImage[5][kEncodeFirst] = int16_t(low);
        s.RadioImage[5][kEncodeFirst + 1] = int16_t(high);
        QCOMPARE(ToneIndex(s, 5, kEncodeFirst).value_or(-1), index);
    }

    void storeTone_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("off") << 0 << QByteArray::fromHex("FFFF");
        QTest::newRow("67.0") << 1 << QByteArray::fromHex("9E02");
        QTest::newRow("100.0") << 13 << QByteArray::fromHex("E803");
        QTest::newRow("D023N") << 40 << QByteArray::fromHex("1328");
        QTest::newRow("D754I") << 205 << QByteArray::fromHex("ECA9");
        QTest::newRow("beyond the list stores nothing") << 206 << QByteArray::fromHex("5555");
        QTest::newRow("no choice stores nothing") << -1 << QByteArray::fromHex("5555");
    }
    void storeTone()
    {
        QFETCH(int, k);
        QFETCH(QByteArray, bytes);
        ProgramState s = tablesBuilt();
        for (int first : {kDecodeFirst, kEncodeFirst}) {
            setLine(s, 16, QByteArray(16, char(0x55)));
            StoreTone(s, 16, first, k);
            QCOMPARE(imageBytes(s, 16, first, 2), bytes);
            const int other = first == kDecodeFirst ? kEncodeFirst : kDecodeFirst;
            QCOMPARE(imageBytes(s, 16, other, 2), QByteArray::fromHex("5555"));
            // What is stored reads back as the same list position.
            if (k >= 0 && k <= kToneLast)
                QCOMPARE(ToneIndex(s, 16, first).value_or(-1), k);
        }
    }

    void fieldSetters_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("after");
        // Fields: 0 Compander, 1 OptionalSignal, 2 BusyLockout, 3 SpUnmute,
        // 4 Wide, 5 HighPower, 6 BeatShift, 7 PttId, 8 AutodialMemory.
        QTest::newRow("HighPower on 0x0F") << 5 << 13 << 0x0F << 1 << 0x2F;
        QTest::newRow("HighPower off keeps the rest") << 5 << 13 << 0xFF << 0 << 0xDF;
        QTest::newRow("Wide on") << 4 << 13 << 0x00 << 1 << 0x10;
        QTest::newRow("Wide off keeps the rest") << 4 << 13 << 0xBF << 0 << 0xAF;
        QTest::newRow("BeatShift on") << 6 << 13 << 0x8F << 1 << 0xCF;
        QTest::newRow("Compander on") << 0 << 12 << 0x80 << 1 << 0x81;
        QTest::newRow("Compander off") << 0 << 12 << 0xFF << 0 << 0xFE;
        QTest::newRow("OptionalSignal 2") << 1 << 12 << 0x81 << 2 << 0x85;
        QTest::newRow("OptionalSignal 0 from 3") << 1 << 12 << 0xFF << 0 << 0xF9;
        QTest::newRow("BusyLockout 3") << 2 << 12 << 0x00 << 3 << 0x18;
        QTest::newRow("BusyLockout 1 from 2") << 2 << 12 << 0xF7 << 1 << 0xEF;
        QTest::newRow("SpUnmute 2") << 3 << 12 << 0x9F << 2 << 0xDF;
        QTest::newRow("SpUnmute 0 keeps bit 7") << 3 << 12 << 0xFF << 0 << 0x9F;
        QTest::newRow("PttId on") << 7 << 14 << 0xB0 << 1 << 0xB1;
        QTest::newRow("PttId off") << 7 << 14 << 0xFF << 0 << 0xFE;
        QTest::newRow("AutodialMemory 8") << 8 << 15 << 0xF8 << 7 << 0xFF;
        QTest::newRow("AutodialMemory 1") << 8 << 15 << 0xFF << 0 << 0xF8;
        QTest::newRow("a value too wide stays in its mask") << 8 << 15 << 0x00 << 0x0F << 0x07;
    }
    void fieldSetters()
    {
        QFETCH(int, field);
        QFETCH(int, byte);
        QFETCH(int, before);
        QFETCH(int, value);
        QFETCH(int, after);
        using Setter = void (*)(ProgramState&, int, int);
        using Getter = int (*)(const ProgramState&, int);
        static const Setter setters[] = {SetCompander, SetOptionalSignal, SetBusyLockout,
                                         SetSpUnmute,  SetWide,           SetHighPower,
                                         SetBeatShift, SetPttId,          SetAutodialMemory};
        static const Getter getters[] = {Compander, OptionalSignal, BusyLockout, SpUnmute,      Wide,
                                         HighPower, BeatShift,      PttId,       AutodialMemory};
        ProgramState s = tablesBuilt();
        setLine(s, 11, QByteArray::fromHex("00250045002500459E029E02"));
        for (int b = 12; b < 16; ++b)
            s.RadioImage[11][b] = int16_t(0x5A);
        s.RadioImage[11][byte] = int16_t(before);
        const QByteArray untouched = imageBytes(s, 11);

        setters[field](s, 11, value);
        QCOMPARE(int(s.RadioImage[11][byte]), after);
        for (int b = 0; b < 16; ++b)
            if (b != byte)
                QCOMPARE(s.RadioImage[11][b], int16_t(uint8_t(untouched[b])));
        QCOMPARE(getters[field](s, 11), value & (field == 8 ? 7 : field >= 1 && field <= 3 ? 3 : 1));
    }

    void everyEditKeepsUneditedBits()
    {
        // Bit 7 of byte 12, bits 0..3 and 7 of byte 13, bits 1..7 of byte 14
        // and bits 3..7 of byte 15 belong to no editor: a full round of edits
        // to every field, on and off, must leave them as they were.
        ProgramState s = tablesBuilt();
        const int uneditedMask[4] = {0x80, 0x8F, 0xFE, 0xF8};
        for (int pattern : {0x00, 0xFF, 0xA5, 0x5A}) {
            for (int b = 12; b < 16; ++b)
                s.RadioImage[2][b] = int16_t(pattern);
            for (int v : {0, 1, 3, 1, 0}) {
                SetCompander(s, 2, v & 1);
                SetOptionalSignal(s, 2, v);
                SetBusyLockout(s, 2, v);
                SetSpUnmute(s, 2, v);
                SetWide(s, 2, v & 1);
                SetHighPower(s, 2, v & 1);
                SetBeatShift(s, 2, v & 1);
                SetPttId(s, 2, v & 1);
                SetAutodialMemory(s, 2, v * 2);
            }
            for (int b = 12; b < 16; ++b)
                QCOMPARE(s.RadioImage[2][b] & uneditedMask[b - 12], pattern & uneditedMask[b - 12]);
            QCOMPARE(OptionalSignal(s, 2), 0);
            QCOMPARE(AutodialMemory(s, 2), 0);
        }
    }

    void scanAdd_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("bit");
        QTest::newRow("channel 1") << 1 << 0x17E << 0x01;
        QTest::newRow("channel 8") << 8 << 0x17E << 0x80;
        QTest::newRow("channel 9") << 9 << 0x17F << 0x01;
        QTest::newRow("channel 12") << 12 << 0x17F << 0x08;
        QTest::newRow("channel 16") << 16 << 0x17F << 0x80;
    }
    void scanAdd()
    {
        QFETCH(int, channel);
        QFETCH(int, address);
        QFETCH(int, bit);
        const int other = address == 0x17E ? 0x17F : 0x17E;
        for (int start : {0x00, 0xFF, 0x5A}) {
            ProgramState s = tablesBuilt();
            s.setByteAt(address, start);
            s.setByteAt(other, 0x3C);
            s.setByteAt(0x17D, 0x11);
            SetScanAdd(s, channel, true);
            QCOMPARE(s.byteAt(address), start | bit);
            QVERIFY(ScanAdd(s, channel));
            SetScanAdd(s, channel, false);
            QCOMPARE(s.byteAt(address), start & ~bit);
            QVERIFY(!ScanAdd(s, channel));
            QCOMPARE(s.byteAt(other), 0x3C);
            QCOMPARE(s.byteAt(0x17D), 0x11);
        }
    }

    void scanAddOutsideTheChannels()
    {
        ProgramState s = tablesBuilt();
        s.setByteAt(0x17E, 0x00);
        s.setByteAt(0x17F, 0x00);
        for (int n : {0, -1, 17})
            SetScanAdd(s, n, true);
        QCOMPARE(s.byteAt(0x17E), 0);
        QCOMPARE(s.byteAt(0x17F), 0);
        QVERIFY(!ScanAdd(s, 0));
    }

    void channelDefaults()
    {
        ProgramState s = tablesBuilt();
        setLine(s, 10, QByteArray::fromHex("002500451234567800112233445566"));
        s.setByteAt(0x17F, 0x00);
        SetChannelDefaults(s, 10);
        QCOMPARE(imageBytes(s, 10, 0, 8), QByteArray::fromHex("0025004512345678"));
        QCOMPARE(imageBytes(s, 10, 8, 8), QByteArray::fromHex("FFFFFFFF00BFB0F8"));
        QCOMPARE(s.byteAt(0x17F), 0x02);
        // Read as fields: the values of a fresh channel.
        QCOMPARE(Wide(s, 10), 1);
        QCOMPARE(HighPower(s, 10), 1);
        QCOMPARE(BeatShift(s, 10), 0);
        QCOMPARE(PttId(s, 10), 0);
        QCOMPARE(AutodialMemory(s, 10), 0);
        QCOMPARE(OptionalSignal(s, 10), 0);
        QCOMPARE(ToneIndex(s, 10, kDecodeFirst).value_or(-1), 0);
    }

    void clearChannel()
    {
        ProgramState s = tablesBuilt();
        for (int n = 5; n <= 7; ++n)
            setLine(s, n, QByteArray(16, char(0x12)));
        s.setByteAt(0x17E, 0xFF);
        ClearChannel(s, 6);
        QCOMPARE(imageBytes(s, 6), QByteArray(16, char(0xFF)));
        QCOMPARE(imageBytes(s, 5), QByteArray(16, char(0x12)));
        QCOMPARE(imageBytes(s, 7), QByteArray(16, char(0x12)));
        QCOMPARE(s.byteAt(0x17E), 0xFF);  // the scan bit is the caller's
        QVERIFY(!ChannelInUse(s, 6));
        QVERIFY(!HasTx(s, 6));
    }
};

QTEST_APPLESS_MAIN(TestChannelRecord)
#include "tst_channel_record.moc"
