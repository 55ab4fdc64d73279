// The adjustment table: start-up values, how the service window's controls
// read and change the cells, and the unpacking of the read replies.

#include <QTest>

#include "adjust/AdjustTable.h"
#include "files/AdjFile.h"

using namespace mx615;

namespace {

using Row = std::array<int16_t, 71>;

ProgramState marked(int16_t marker = 0x1234)
{
    ProgramState s;
    for (auto& line : s.AdjustTable)
        line.fill(marker);
    return s;
}

// A stored reply for address: 0x58 at position header, then the address,
// 0x40 and 64 data bytes seed, seed + 1, ...; position 0 holds what the
// engine leaves there (06 from the second reply on).
Row reply(int address, int header, int seed, int length = 0x40)
{
    Row row{};
    if (header > 0)
        row[0] = 0x06;
    row[header] = 0x58;
    row[header + 1] = int16_t(address >> 8);
    row[header + 2] = int16_t(address & 0xFF);
    row[header + 3] = int16_t(length);
    for (int i = 0; i < 64 && header + 4 + i < int(row.size()); ++i)
        row[header + 4 + i] = int16_t((seed + i) & 0xFF);
    return row;
}

}  // namespace

class TestAdjustTable : public QObject {
    Q_OBJECT
private slots:
    void startupTable()
    {
        ProgramState s = marked();
        FillAdjustStartup(s);
        // Written as the adjustment file shows it.
        const QList<QByteArray> lines = QByteArray::fromStdString(AdjFileText(s)).split('\n');
        QCOMPARE(lines[0], QByteArray(" 38  38  38  38  39  40  41  42  43  60  22  15  255  1  0  0 \r"));
        QCOMPARE(lines[1].simplified(), QByteArray("90 90 90 90 90 90 90 90 90 90 90 90 90 90 90 90"));
        QCOMPARE(lines[2].simplified(), QByteArray("64 64 64 64 64 64 64 64 64 64 64 64 64 64 64 64"));
        // The last write frame carries the end marker, then zeros.
        const std::array<int16_t, 17> endLine{0xAA, 0x04, 0x00, 0x04, 0x80, 0x00, 0x00, 0xBB};
        QVERIFY(s.AdjustTable[10] == endLine);
        for (int b = 0; b < 8; ++b)
            QVERIFY2(s.AdjustTable[7][b] > 0 && s.AdjustTable[7][b] <= 255, qPrintable(QString::number(b)));
        // Everything else is cleared, including what the windows never show.
        int nonZero = 0;
        for (const auto& line : s.AdjustTable)
            for (int16_t cell : line)
                nonZero += cell != 0;
        QCOMPARE(nonZero, 16 - 2 + 16 + 16 + 8 + 5);
        QCOMPARE(s.AdjustTable[16][16], int16_t(0));
    }

    void line7TailIsReset()
    {
        ProgramState s;
        FillAdjustStartup(s);
        const auto startup = s.AdjustTable[7];
        s.AdjustTable[7].fill(0x11);
        ResetAdjustLine7Tail(s);
        QCOMPARE(s.AdjustTable[7][6], startup[6]);
        QCOMPARE(s.AdjustTable[7][7], startup[7]);
        for (int b : {0, 5, 8, 15})
            QCOMPARE(s.AdjustTable[7][b], int16_t(0x11));
    }

    void volumeNibbles_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<bool>("coarse");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("expected");
        QTest::newRow("coarse 3 over 0x5A") << 0x5A << true << 3 << 0x3A;
        QTest::newRow("then fine 7") << 0x3A << false << 7 << 0x37;
        QTest::newRow("fine 0 over 0xFF") << 0xFF << false << 0 << 0xF0;
        QTest::newRow("coarse 0 over 0xFF") << 0xFF << true << 0 << 0x0F;
        QTest::newRow("coarse 15 over 0") << 0x00 << true << 15 << 0xF0;
    }
    void volumeNibbles()
    {
        QFETCH(int, byte);
        QFETCH(bool, coarse);
        QFETCH(int, index);
        QFETCH(int, expected);
        const int stored = coarse ? WithVolumeCoarse(byte, index) : WithVolumeFine(byte, index);
        QCOMPARE(stored, expected);
        // The two lists show the byte back as chosen.
        QCOMPARE(coarse ? VolumeCoarse(stored) : VolumeFine(stored), index);
        QCOMPARE(coarse ? VolumeFine(stored) : VolumeCoarse(stored), coarse ? VolumeFine(byte) : VolumeCoarse(byte));
    }

    void optionBits_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("bit");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("expected");
        QTest::newRow("tick de-emphasis") << 0x09 << kEmphasisBit << true << 0x0B;
        QTest::newRow("clear it again") << 0x0B << kEmphasisBit << false << 0x09;
        QTest::newRow("tick a ticked box") << 0x09 << kWideBandBit << true << 0x09;
        QTest::newRow("clear a clear box") << 0x09 << kVoiceHighPassBit << false << 0x09;
        QTest::newRow("clear low-pass, bits above stay") << 0xF8 << kVoiceLowPassBit << false << 0xF0;
        QTest::newRow("tick high-pass on 0") << 0x00 << kVoiceHighPassBit << true << 0x04;
    }
    void optionBits()
    {
        QFETCH(int, byte);
        QFETCH(int, bit);
        QFETCH(bool, ticked);
        QFETCH(int, expected);
        QCOMPARE(WithOption(byte, bit, ticked), expected);
        QCOMPARE(OptionTicked(expected, bit), ticked);
    }

    void startupBoxesAndCrystal()
    {
        ProgramState s;
        FillAdjustStartup(s);
        const int tx = s.AdjustTable[0][kTxOptionsByte], rx = s.AdjustTable[0][kRxOptionsByte];
        QVERIFY(OptionTicked(tx, kWideBandBit));
        for (int bit : {kEmphasisBit, kVoiceHighPassBit, kVoiceLowPassBit})
            QVERIFY(!OptionTicked(tx, bit));
        for (int bit = 0; bit < 4; ++bit)
            QVERIFY(!OptionTicked(rx, bit));
        QCOMPARE(CrystalIndex(tx), 1);
        QCOMPARE(CrystalIndex(0), 0);
        QCOMPARE(CrystalIndex(0x08), 1);
    }

    void valueBeyondListShowsLastEntry_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("shown");
        QTest::newRow("power 128") << 128 << TxPowerValue(true, 0).entries << 127;
        QTest::newRow("power 255") << 255 << TxPowerValue(false, 9).entries << 127;
        QTest::newRow("power 127") << 127 << 128 << 127;
        QTest::newRow("ctcss 64") << 64 << kCtcssDeviation.entries << 63;
        QTest::newRow("dcs 40") << 40 << kDcsDeviation.entries << 40;
        QTest::newRow("volume 16") << 16 << kVolumeEntries << 15;
        QTest::newRow("below the list") << -3 << 64 << 0;
    }
    void valueBeyondListShowsLastEntry()
    {
        QFETCH(int, value);
        QFETCH(int, entries);
        QFETCH(int, shown);
        QCOMPARE(ShownListIndex(value, entries), shown);
    }

    void versionText_data()
    {
        QTest::addColumn<QByteArray>("codes");
        QTest::addColumn<QString>("text");
        QTest::newRow("V123AB") << QByteArray("V123AB") << "V123AB";
        QTest::newRow("unknown codes dropped") << QByteArray("V\x01" "2\xFF" "3-") << "V23-";
        QTest::newRow("lower case unknown") << QByteArray("v1.0ab") << "10";
        QTest::newRow("all zero") << QByteArray(6, '\0') << "";
    }
    void versionText()
    {
        QFETCH(QByteArray, codes);
        QFETCH(QString, text);
        ProgramState s = marked('Z');
        for (int b = 0; b < 6; ++b)
            s.AdjustTable[3][b] = int16_t(uint8_t(codes[b]));
        QCOMPARE(QString::fromStdString(AdjustVersionText(s)), text);
    }

    void unpackTakesDataAfterTheHeader_data()
    {
        QTest::addColumn<int>("header1");
        QTest::addColumn<int>("header2");
        QTest::newRow("header at 1 in both (06 ahead of the second)") << 1 << 1;
        QTest::newRow("header at 0 (06 left out)") << 1 << 0;
        QTest::newRow("header at 0 in both") << 0 << 0;
    }
    void unpackTakesDataAfterTheHeader()
    {
        QFETCH(int, header1);
        QFETCH(int, header2);
        ProgramState s = marked();
        s.LinkBuffer[1] = reply(0x340, header1, 0x10);
        s.LinkBuffer[2] = reply(0x380, header2, 0x80);
        s.LinkBuffer[3] = reply(0x3C0, 1, 0xC0);
        QVERIFY(UnpackAdjustBlocks(s));
        for (int line = 0; line < 8; ++line)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(int(s.AdjustTable[line][b]), (line < 4 ? 0x10 : 0x80 - 64) + line * 16 + b);
        // Row 3 is not used: lines 8..10 and the unused cells keep their values.
        for (int line = 8; line < 17; ++line)
            QCOMPARE(s.AdjustTable[line][0], int16_t(0x1234));
        QCOMPARE(s.AdjustTable[0][16], int16_t(0x1234));
    }

    void refusedReplies_data()
    {
        QTest::addColumn<int>("row");        // which of the two rows is spoilt
        QTest::addColumn<int>("spoil");      // 0: no header, 1: address high, 2: address low,
                                             // 3: length, 4: header too late
        QTest::newRow("first reply without 0x58") << 1 << 0;
        QTest::newRow("second reply without 0x58") << 2 << 0;
        QTest::newRow("address high byte") << 1 << 1;
        QTest::newRow("address low byte") << 2 << 2;
        QTest::newRow("length 0x10") << 1 << 3;
        QTest::newRow("header at 2: data run past the reply") << 2 << 4;
    }
    void refusedReplies()
    {
        QFETCH(int, row);
        QFETCH(int, spoil);
        const int address = row == 1 ? 0x340 : 0x380;
        Row bad = reply(address, 1, 0x20);
        switch (spoil) {
        case 0: bad[1] = 0x57; break;
        case 1: bad[2] = 0x02; break;
        case 2: bad[3] = 0x40; break;
        case 3: bad[4] = 0x10; break;
        default: bad = reply(address, 2, 0x20); break;
        }
        QVERIFY(!AdjustReplyAnswers(bad, address));

        ProgramState s = marked();
        s.LinkBuffer[1] = reply(0x340, 1, 0x10);
        s.LinkBuffer[2] = reply(0x380, 1, 0x50);
        s.LinkBuffer[row] = bad;
        const AdjustTableCells before = s.AdjustTable;
        QVERIFY(!UnpackAdjustBlocks(s));
        QVERIFY2(s.AdjustTable == before, "a refused reply changed the table");
    }

    void repliesAnswerOnlyTheirOwnRequest()
    {
        const Row third = reply(0x3C0, 1, 0);
        QVERIFY(AdjustReplyAnswers(third, AdjustReadAddress(3)));
        QVERIFY(!AdjustReplyAnswers(third, AdjustReadAddress(2)));
        // A data byte 0x58 ahead of a header is taken as the header, and then
        // does not answer: such a reply was shifted.
        Row shifted = reply(0x340, 1, 0);
        shifted[0] = 0x58;
        QVERIFY(!AdjustReplyAnswers(shifted, 0x340));
    }
};

QTEST_GUILESS_MAIN(TestAdjustTable)
#include "tst_adjusttable.moc"
