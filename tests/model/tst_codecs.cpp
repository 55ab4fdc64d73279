// Frequency, tone and character codecs and the lookup tables.

#include <QTest>
#include <cstdlib>

#include "model/Codecs.h"
#include "model/Tables.h"
#include "support/ImageBytes.h"

using namespace mx615;
using mx615::test::imageBytes;

namespace {

ProgramState tablesBuilt()
{
    ProgramState s;
    BuildToneTables(s);
    BuildModelTable(s);
    return s;
}


}  // namespace

class TestCodecs : public QObject {
    Q_OBJECT
private slots:
    void bcdToText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("450.025") << QByteArray::fromHex("00250045") << "450.02500";
        QTest::newRow("460.04375") << QByteArray::fromHex("75430046") << "460.04375";
        QTest::newRow("whole MHz") << QByteArray::fromHex("00000045") << "450.00000";
        QTest::newRow("155.05") << QByteArray::fromHex("00505015") << "155.05000";
        QTest::newRow("136 exactly") << QByteArray::fromHex("00006013") << "136.00000";
        QTest::newRow("450.0125") << QByteArray::fromHex("50120045") << "450.01250";
        QTest::newRow("145.125") << QByteArray::fromHex("00255114") << "145.12500";
        QTest::newRow("below 100 MHz has 8 chars") << QByteArray::fromHex("00250105") << "50.12500";
        QTest::newRow("nibble above 9 weighs as it is") << QByteArray::fromHex("0000000A") << "100.00000";
        QTest::newRow("erased code") << QByteArray::fromHex("FFFFFFFF") << "1666.66665";
        QTest::newRow("10 Hz resolution") << QByteArray::fromHex("01000045") << "450.00001";
    }
    void bcdToText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const auto b = [&](int i) { return int(uint8_t(bytes[i])); };
        QCOMPARE(QString::fromStdString(BcdToFrequencyText(b(0), b(1), b(2), b(3))), text);
    }

    void textToBcd_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<double>("bandLow");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("full layout") << "460.04375" << 0 << 400.0 << QByteArray::fromHex("75430046");
        QTest::newRow("blanks around, byte 4") << " 450.025 " << 4 << 400.0 << QByteArray::fromHex("00250045");
        QTest::newRow("short decimals") << "145.125" << 0 << 136.0 << QByteArray::fromHex("00255114");
        QTest::newRow("whole number") << "450" << 0 << 400.0 << QByteArray::fromHex("00000045");
        QTest::newRow("non-digit counts 0") << "45x.1" << 0 << 400.0 << QByteArray::fromHex("00000145");
        QTest::newRow("beyond position 9 ignored") << "450.025009" << 0 << 400.0 << QByteArray::fromHex("00250045");
        QTest::newRow("low band gets a leading 0") << "50.125" << 0 << 50.0 << QByteArray::fromHex("00250105");
        QTest::newRow("empty text") << "" << 0 << 400.0 << QByteArray::fromHex("00000000");
    }
    void textToBcd()
    {
        QFETCH(QString, text);
        QFETCH(int, first);
        QFETCH(double, bandLow);
        QFETCH(QByteArray, bytes);
        ProgramState s;
        s.BandLowMHz = bandLow;
        for (auto& c : s.RadioImage[5])
            c = 0x77;
        FrequencyTextToBcd(s, text.toStdString(), 5, first);
        QCOMPARE(imageBytes(s, 5, first, 4), bytes);
        // Only the four cells of the field change.
        for (int b = 0; b < kImageLineCells; ++b)
            if (b < first || b > first + 3)
                QCOMPARE(s.RadioImage[5][b], int16_t(0x77));
    }

    void frequencyRoundTrip()
    {
        // Every 10 Hz step stored from its own display text reads back the same.
        ProgramState s;
        for (int units = 13600000; units <= 17500000; units += 12345) {
            const std::string text = std::to_string(units / 100000) + "." +
                                     QString::number(units % 100000).rightJustified(5, '0').toStdString();
            FrequencyTextToBcd(s, text, 1, 0);
            const auto& r = s.RadioImage[1];
            QCOMPARE(BcdToFrequencyText(r[0], r[1], r[2], r[3]), text);
        }
    }

    void toneText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("stores");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("67.0") << "67.0" << true << QByteArray::fromHex("9E02");
        QTest::newRow("100.0") << "100.0" << true << QByteArray::fromHex("E803");
        QTest::newRow("203.5") << "203.5" << true << QByteArray::fromHex("F307");
        QTest::newRow("250.3") << "250.3" << true << QByteArray::fromHex("C709");
        QTest::newRow("rounding carries into the high byte") << "102.37" << true << QByteArray::fromHex("0004");
        QTest::newRow("FF is off") << "FF" << true << QByteArray::fromHex("FFFF");
        QTest::newRow("zero stores nothing") << "0" << false << QByteArray();
        QTest::newRow("255 stores nothing") << "255" << false << QByteArray();
        QTest::newRow("not a number") << "off" << false << QByteArray();
        QTest::newRow("lower-case ff is not off") << "ff" << false << QByteArray();
    }
    void toneText()
    {
        QFETCH(QString, text);
        QFETCH(bool, stores);
        QFETCH(QByteArray, bytes);
        ProgramState s;
        s.RadioImage[3][8] = 0x11;
        s.RadioImage[3][9] = 0x22;
        ToneTextToCells(s, text.toStdString(), 3, 8);
        QCOMPARE(imageBytes(s, 3, 8, 2), stores ? bytes : QByteArray::fromHex("1122"));
    }

    void character_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("character");
        for (auto [code, ch] : std::initializer_list<std::pair<int, const char*>>{
                 {48, "0"}, {57, "9"}, {65, "A"}, {90, "Z"}, {43, "+"}, {45, "-"}, {32, " "},
                 {47, ""}, {58, ""}, {64, ""}, {91, ""}, {97, ""}, {0, ""}, {255, ""}, {44, ""}})
            QTest::addRow("%d", code) << code << QString::fromLatin1(ch);
    }
    void character()
    {
        QFETCH(int, code);
        QFETCH(QString, character);
        QCOMPARE(QString::fromStdString(CodeToCharacter(code)), character);
    }

    void toneTable_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::newRow("off") << 0 << " OFF     " << 0xFF << 0xFF;
        QTest::newRow("first CTCSS") << 1 << " 67.0    " << 0x02 << 0x9E;
        QTest::newRow("last short-pad") << 9 << " 88.5    " << 0x03 << 0x75;
        QTest::newRow("first wide-pad") << 10 << "    91.5    " << 0x03 << 0x93;
        QTest::newRow("last 4-char") << 12 << "    97.4    " << 0x03 << 0xCE;
        QTest::newRow("first 5-char") << 13 << "    100.0   " << 0x03 << 0xE8;
        QTest::newRow("last CTCSS") << 39 << "    250.3   " << 0x09 << 0xC7;
        QTest::newRow("first DCS") << 40 << "    D023N   " << 0x28 << 0x13;
        QTest::newRow("D411N crosses 256") << 90 << "    D411N   " << 0x29 << 0x09;
        QTest::newRow("last 4-blank DCS") << 99 << "    D466N   " << 0x29 << 0x36;
        QTest::newRow("first 3-blank DCS") << 100 << "   D503N   " << 0x29 << 0x43;
        QTest::newRow("last normal") << 122 << "   D754N   " << 0x29 << 0xEC;
        QTest::newRow("first inverted") << 123 << "   D023I   " << 0xA8 << 0x13;
        QTest::newRow("last inverted") << 205 << "   D754I   " << 0xA9 << 0xEC;
    }
    void toneTable()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(int, high);
        QFETCH(int, low);
        const ProgramState s = tablesBuilt();
        QCOMPARE(QString::fromStdString(s.ToneNames[index]), name);
        QCOMPARE(int(s.ToneCodeHigh[index]), high);
        QCOMPARE(int(s.ToneCodeLow[index]), low);
        QCOMPARE(ToneIndexOfCode(s, low, high), std::optional<int>(index));
    }

    void toneCodesAreDistinctAndUnusedSlotsEmpty()
    {
        const ProgramState s = tablesBuilt();
        QSet<int> seen;
        for (int k = 0; k <= kToneLast; ++k) {
            QVERIFY2(!seen.contains(s.ToneCodeHigh[k] * 256 + s.ToneCodeLow[k]), qPrintable(QString::number(k)));
            seen.insert(s.ToneCodeHigh[k] * 256 + s.ToneCodeLow[k]);
        }
        for (int k = kToneLast + 1; k < kToneSlots; ++k)
            QVERIFY(s.ToneNames[k].empty());
    }

    void reverseLookupMisses_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("69.4 Hz not listed") << 0xB6 << 0x02;
        QTest::newRow("low FF high 28") << 0xFF << 0x28;
        QTest::newRow("zero") << 0 << 0;
    }
    void reverseLookupMisses()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QCOMPARE(ToneIndexOfCode(tablesBuilt(), low, high), std::nullopt);
    }

    void models_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QString>("band");
        QTest::newRow("VHF") << 0 << "MX-615D-VHF" << 136.0 << 175.0 << " 136-- 174 MHZ";
        QTest::newRow("UHF") << 1 << "MX-615D-UHF" << 400.0 << 481.0 << " 400-- 480 MHZ";
        QTest::newRow("FULL") << 2 << "MX-615D-FULL" << 100.0 << 601.0 << " 100-- 600 MHZ";
    }
    void models()
    {
        QFETCH(int, model);
        QFETCH(QString, name);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QString, band);
        ProgramState s;
        s.ModelIndex = int16_t(model);
        BuildModelTable(s);
        QCOMPARE(QString::fromStdString(s.ModelNames[model]), name);
        QCOMPARE(s.BandLowMHz, low);
        QCOMPARE(s.BandHighMHz, high);
        QCOMPARE(QString::fromStdString(BandRangeText(s.BandLowMHz, s.BandHighMHz)), band);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "450.025" << 450.025;
        QTest::newRow("blanks first") << "  67.0  " << 67.0;
        QTest::newRow("trailing garbage") << "145.1.2" << 145.1;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("negative") << "-3.5" << -3.5;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(LeadingNumber(text.toStdString()), value);
    }

    // Numbers of any size come back as their own digits, never as an empty or
    // partly uninitialised text.
    void shortestDecimal_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("band limit") << 481.0;
        QTest::newRow("1e64") << 1e64;
        QTest::newRow("largest") << 1.7976931348623157e308;
        QTest::newRow("most negative") << -1.7976931348623157e308;
        QTest::newRow("smallest") << 5e-324;
    }
    void shortestDecimal()
    {
        QFETCH(double, value);
        const std::string text = ShortestDecimal(value);
        QVERIFY(!text.empty());
        QCOMPARE(std::strtod(text.c_str(), nullptr), value);
        QCOMPARE(SignedNumberText(value).substr(value < 0 ? 0 : 1), text);
    }
};

QTEST_APPLESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
