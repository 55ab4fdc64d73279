// The command-line tool's file work without Qt's event loop: the channel CSV
// exchange (another tool's layout, every refusal, the round trip) and the
// comparison of two images in the windows' words.

#include <QTest>
#include <functional>
#include <map>

#include "channels/ChannelRecord.h"
#include "features/OptionRecord.h"
#include "files/ChannelCsv.h"
#include "files/ImageDiff.h"
#include "support/ImageBytes.h"
#include "support/StartedState.h"

using namespace mx615;
using test::channelPlan;
using test::imageBytes;

namespace {

// The full layout, as those tools export it.
const char* const kColumnNames[] = {"Location", "Name",       "Frequency", "Duplex", "Offset",   "Tone",
                                    "rToneFreq", "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode",
                                    "CrossMode", "Mode",      "TStep",     "Skip",   "Power",    "Comment",
                                    "URCALL",    "RPT1CALL",  "RPT2CALL",  "DVCODE"};

std::string joined(const std::function<std::string(const char*)>& field)
{
    std::string line;
    for (const char* column : kColumnNames)
        line += (line.empty() ? "" : ",") + field(column);
    return line + "\r\n";
}

const std::string kHeader = joined([](const char* column) { return std::string(column); });

// A row of the full layout with the tone and the rest as given.
std::string row(int location, const std::string& frequency, const std::string& rest =
                                                                ",0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,")
{
    return std::to_string(location) + ",," + frequency + "," + rest + "\r\n";
}

// A row of the full layout: channel 2, 446 MHz simplex FM without tones,
// with the given columns changed.
std::string fullRow(const std::map<std::string, std::string>& changed)
{
    std::map<std::string, std::string> values = {
        {"Location", "2"},    {"Frequency", "446.000000"}, {"Offset", "0.000000"}, {"rToneFreq", "88.5"},
        {"cToneFreq", "88.5"}, {"DtcsCode", "023"},         {"DtcsPolarity", "NN"},   {"RxDtcsCode", "023"},
        {"CrossMode", "Tone->Tone"}, {"Mode", "FM"},       {"TStep", "5.00"},        {"Power", "High"}};
    for (const auto& [column, value] : changed)
        values[column] = value;
    return joined([&](const char* column) { return values[column]; });
}

}  // namespace

class TestCliFiles : public QObject {
    Q_OBJECT
private slots:
    // Another tool's export: its own column order, columns the radio has no
    // use for, a quoted name with a comma, no CrossMode column, Location
    // counted from 0 and with a gap, so the rows fill channels 1..4.
    void importsAnotherToolsLayout()
    {
        ProgramState s = test::startedState();
        const std::string csv =
            "Name,Location,Mode,Frequency,Offset,Duplex,Tone,cToneFreq,rToneFreq,DtcsPolarity,DtcsCode,Skip,Bank,"
            "Power,Comment\n"
            "\"Rep, North\",0,NFM,446.006250,5.000000,+,Tone,88.5,100.0,NN,023,,A,5.0W,\n"
            "Simplex,1,FM,446.100000,0.000000,,TSQL,67.0,88.5,NN,023,S,A,1.0W,calling\n"
            "Digital,2,FM,446.2,446.700000,split,DTCS,88.5,88.5,RN,23,P,A,L,\n"
            "Listen,5,FM,446.3,0,off,Cross,71.9,88.5,NN,023,,A,H,\n";
        const CsvImport result = ImportChannelCsv(csv, s, false);
        QVERIFY(result.refused.empty());
        QCOMPARE(result.channels, (std::vector<int>{1, 2, 3, 4}));
        QCOMPARE(result.notes.size(), std::size_t(1));   // names and comments are dropped, said once

        // RX 446.00625, TX 451.00625, encode 100.0 only, narrow, high (5 W), scanned.
        QCOMPARE(imageBytes(s, 1), QByteArray::fromHex("25066044 25061045 ffffe803 00afb0f8"));
        // TSQL 67.0 both ways, low (1 W), out of the scan list.
        QCOMPARE(imageBytes(s, 2, 8, 6), QByteArray::fromHex("9e029e02 009f"));
        // TX 446.7 given as split; "23" is D023, decoded normal, encoded inverted.
        QCOMPARE(imageBytes(s, 3, 4, 8), QByteArray::fromHex("00006744 1328 13a8"));
        // No TX; Cross without a CrossMode column is Tone->Tone: decode 71.9.
        QCOMPARE(imageBytes(s, 4, 4, 8), QByteArray::fromHex("ffffffff cf02ffff"));
        QCOMPARE(imageBytes(s, kScanBitsLow / 16, kScanBitsLow % 16, 2), QByteArray::fromHex("0d00"));
        // Channels 5..16 are cleared; the rest of the image is the base's.
        QCOMPARE(imageBytes(s, 5), QByteArray(16, char(0xFF)));
        QCOMPARE(imageBytes(s, 20), imageBytes(test::startedState(), 20));
    }

    void placesRowsByLocationWhenEveryRowHasItsOwn()
    {
        ProgramState s = test::startedState();
        const std::string csv = kHeader + row(9, "440.000000") + row(2, "441.000000");
        const CsvImport result = ImportChannelCsv(csv, s, false);
        QCOMPARE(result.channels, (std::vector<int>{2, 9}));
        QCOMPARE(FrequencyText(s, 9, kRxFirst), std::string("440.00000"));
        QCOMPARE(FrequencyText(s, 2, kRxFirst), std::string("441.00000"));
        // Every channel without a row is cleared and leaves the scan list.
        QCOMPARE(imageBytes(s, 1), QByteArray(16, char(0xFF)));
        QVERIFY(!ScanAdd(s, 1) && ScanAdd(s, 2) && ScanAdd(s, 9));
    }

    void refusesRowsItCannotStore_data()
    {
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QString>("reason");
        // Channel 2 at 446 MHz, simplex, no tone, but for the columns given.
        auto add = [](const char* name, const std::map<std::string, std::string>& columns, const char* reason) {
            QTest::newRow(name) << QString::fromStdString(fullRow(columns)) << reason;
        };
        add("out of band", {{"Frequency", "146.520000"}}, "146.52000 MHz lies outside the band of the MX-615D-UHF");
        add("below 10 Hz", {{"Frequency", "446.006251"}}, "446.006251 has a digit below 10 Hz");
        add("not a number", {{"Frequency", "44x.5"}}, "\"44x.5\" is not a frequency");
        add("blank frequency", {{"Frequency", " x "}}, "Frequency \"x\" is not a frequency");
        add("tx out of band", {{"Duplex", "+"}, {"Offset", "100.000000"}}, "transmit frequency 546.00000 MHz lies outside");
        add("tx below zero", {{"Duplex", "-"}, {"Offset", "500"}}, "transmit frequency -54.00000 MHz");
        add("split without tx", {{"Duplex", "split"}, {"Offset", ""}},
            "split takes the transmit frequency from Offset, which is empty");
        add("duplex", {{"Duplex", "x"}}, "Duplex \"x\"");
        add("ctcss not listed", {{"Tone", "Tone"}, {"rToneFreq", "69.4"}}, "rToneFreq \"69.4\" is not a CTCSS tone");
        add("ctcss not exact", {{"Tone", "TSQL"}, {"cToneFreq", "88.55"}}, "cToneFreq \"88.55\"");
        add("dcs not listed", {{"Tone", "DTCS"}, {"DtcsCode", "024"}}, "DtcsCode \"024\" is not a DCS code of the radio's");
        add("dcs four digits", {{"Tone", "DTCS"}, {"DtcsCode", "0023"}}, "DtcsCode \"0023\" is not a DCS code (three");
        add("polarity", {{"Tone", "DTCS"}, {"DtcsPolarity", "NX"}}, "DtcsPolarity \"NX\"");
        add("rx dcs in cross", {{"Tone", "Cross"}, {"CrossMode", "Tone->DTCS"}, {"RxDtcsCode", "999"}},
            "RxDtcsCode \"999\"");
        add("cross mode", {{"Tone", "Cross"}, {"CrossMode", "DTCS->Foo"}}, "CrossMode \"DTCS->Foo\"");
        add("cross without arrow", {{"Tone", "Cross"}, {"CrossMode", "Tone"}}, "CrossMode \"Tone\"");
        add("tone mode", {{"Tone", "TSQL-R"}}, "Tone \"TSQL-R\"");
        add("mode", {{"Mode", "AM"}}, "Mode \"AM\" is not FM or NFM");
        add("skip", {{"Skip", "X"}}, "Skip \"X\"");
        add("power", {{"Power", "Mid"}}, "Power \"Mid\"");
        add("control characters", {{"Mode", "\x1b[2J"}}, "Mode \"\\x1B[2J\"");
    }

    // A good row on line 2, the bad one on line 3: without --skip-bad nothing
    // changes; with it the good row is stored and the bad one's channel is empty.
    void refusesRowsItCannotStore()
    {
        QFETCH(QString, bad);
        QFETCH(QString, reason);
        const std::string csv = kHeader + row(1, "446.500000") + bad.toStdString();
        ProgramState s = test::startedState();
        const ProgramState before = s;
        CsvImport result = ImportChannelCsv(csv, s, false);
        QCOMPARE(result.refused.size(), std::size_t(1));
        QCOMPARE(result.refused[0].line, 3);
        QVERIFY2(QString::fromStdString(result.refused[0].text).contains(reason),
                 result.refused[0].text.c_str());
        QVERIFY(!result.applied);
        QVERIFY(s.RadioImage == before.RadioImage);

        result = ImportChannelCsv(csv, s, true);
        QVERIFY(result.applied);
        QCOMPARE(result.channels, std::vector<int>{1});
        QVERIFY(ChannelInUse(s, 1) && !ChannelInUse(s, 2));

        // Nothing fits at all: even with --skip-bad the plan is not emptied.
        ProgramState untouched = test::startedState();
        result = ImportChannelCsv(kHeader + bad.toStdString(), untouched, true);
        QVERIFY(!result.applied);
        QVERIFY(untouched.RadioImage == before.RadioImage);
    }

    void refusesMoreThanSixteenRows()
    {
        std::string csv = kHeader;
        for (int i = 0; i < 18; ++i)
            csv += row(i + 1, "446.500000");
        ProgramState s = test::startedState();
        const CsvImport result = ImportChannelCsv(csv, s, false);
        QCOMPARE(result.refused.size(), std::size_t(2));
        QCOMPARE(result.refused[0].line, 18);
        QCOMPARE(result.refused[1].line, 19);
        QVERIFY(QString::fromStdString(result.refused[0].text).contains("16 channels"));

        // Past the first 40 refusals the rest are counted.
        for (int i = 18; i < 16 + 41; ++i)
            csv += row(i + 1, "446.500000");
        QCOMPARE(CsvProblemLines("a.csv", ImportChannelCsv(csv, s, false)).back(), std::string("a.csv: 1 more row refused."));
    }

    void refusesFilesThatAreNoChannelCsv_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << "" << 1 << "empty";
        QTest::newRow("no frequency column") << "\n\nLocation,Name\n1,x\n" << 3 << "no Frequency column";
        QTest::newRow("twice") << "Frequency,Mode,frequency\n" << 1 << "appears twice";
        QTest::newRow("open quote") << "Frequency,Name\n446.0,\"North\n\n" << 2 << "never closed";
    }

    void refusesFilesThatAreNoChannelCsv()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, reason);
        ProgramState s = test::startedState();
        const ProgramState before = s;
        const CsvImport result = ImportChannelCsv(text.toStdString(), s, true);
        QVERIFY(result.unusable);
        QCOMPARE(result.unusable->line, line);
        QVERIFY2(QString::fromStdString(result.unusable->text).contains(reason), result.unusable->text.c_str());
        QVERIFY(s.RadioImage == before.RadioImage);
    }

    // Every tone mode, duplex and flag the CSV can carry: exported and taken
    // back, the channel plan is the same byte for byte, and so is the text.
    void roundTripIsExact()
    {
        const std::string csv =
            kHeader + row(1, "446.006250", ",0,TSQL,88.5,67.0,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,") +
            row(2, "440.000000", "+,5.000000,Tone,88.5,88.5,023,NN,023,,NFM,,S,Low,,,,,") +
            row(3, "450.500000", "-,10.000000,DTCS,88.5,88.5,754,NR,023,,FM,,,High,,,,,") +
            row(4, "460.000000", "split,470.000000,Cross,100.0,88.5,023,NR,754,Tone->DTCS,FM,,,High,,,,,") +
            row(5, "470.000000", "off,0,Cross,88.5,250.3,023,NN,023,->Tone,FM,,,High,,,,,") +
            row(6, "400.000000", ",0,Cross,88.5,67.0,023,RN,023,DTCS->Tone,FM,,,High,,,,,") +
            row(7, "481.000000", ",0,Cross,67.0,71.9,023,NN,023,Tone->Tone,FM,,,High,,,,,") +
            row(8, "420.000010", ",0,Cross,88.5,88.5,023,RN,754,DTCS->DTCS,NFM,,,Low,,,,,") +
            row(9, "430.000000", ",0,Cross,88.5,88.5,023,NR,25,->DTCS,FM,,,High,,,,,") +
            row(12, "431.000000", ",0,Cross,88.5,88.5,26,RN,023,DTCS->,FM,,,High,,,,,");
        ProgramState first = test::startedState();
        QVERIFY(ImportChannelCsv(csv, first, false).refused.empty());
        const CsvExport exported = ExportChannelCsv(first);
        QVERIFY(exported.notes.empty());

        ProgramState second = test::startedState();
        const CsvImport again = ImportChannelCsv(exported.text, second, false);
        QVERIFY(again.refused.empty());
        QCOMPARE(channelPlan(second), channelPlan(first));
        QCOMPARE(ExportChannelCsv(second).text, exported.text);
        // A few of the stored bytes, against the radio's codes.
        QCOMPARE(imageBytes(first, 3, 8, 4), QByteArray::fromHex("eca9ec29"));   // D754I decode, D754N encode
        QCOMPARE(imageBytes(first, 5, 4, 8), QByteArray::fromHex("ffffffff c709ffff"));
        QCOMPARE(imageBytes(first, 8, 0, 4), QByteArray::fromHex("01000042"));
    }

    // The factory channels, as a radio holds them, survive the trip too.
    void roundTripOfTheFactoryChannels()
    {
        const ProgramState radio = test::startedState();
        ProgramState back = test::startedState();
        for (int n = 1; n <= kChannels; ++n)
            ClearChannel(back, n);
        QVERIFY(ImportChannelCsv(ExportChannelCsv(radio).text, back, false).refused.empty());
        QCOMPARE(channelPlan(back), channelPlan(radio));
    }

    void describesChangesInTheWindowsWords_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("same") << 0 << QStringList{};
        QTest::newRow("rx") << 1 << QStringList{"Channel 3 RX Frequency: 469.92500 -> 446.01875"};
        QTest::newRow("tot") << 2 << QStringList{"Time Out Timer(TOT)[s]: 60 -> 120"};
        QTest::newRow("hidden bit") << 3 << QStringList{"address 0x03C (channel 3, byte 12): 0x00 -> 0x01"};
        QTest::newRow("cleared") << 4 << QStringList{"Channel 2 RX Frequency: 460.04375 -> (empty)"};
        QTest::newRow("line 0") << 5 << QStringList{"address 0x005: 0xFF -> 0x12"};
    }

    void describesChangesInTheWindowsWords()
    {
        QFETCH(int, change);
        QFETCH(QStringList, expected);
        const ProgramState before = test::startedState();
        ProgramState after = before;
        switch (change) {
        case 1: StoreFrequency(after, "446.01875", 3, kRxFirst); break;
        case 2: after.setByteAt(OptionAddress::Tot, 8); break;
        case 3: SetCompander(after, 3, 1); break;
        case 4: ClearChannel(after, 2); break;
        case 5: after.setByteAt(0x005, 0x12); break;
        default: break;
        }
        QStringList lines;
        for (const std::string& line : DescribeChanges(before, after, {54, true}, false))
            lines << QString::fromStdString(line);
        QCOMPARE(lines, expected);
        // The raw listing names every changed byte, nothing else.
        int bytes = 0;
        for (int a = 0; a < 54 * 16; ++a)
            bytes += before.byteAt(a) != after.byteAt(a);
        QCOMPARE(int(RawChanges(before, after, {54, true}, false).size()), bytes);
    }
};

QTEST_APPLESS_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
