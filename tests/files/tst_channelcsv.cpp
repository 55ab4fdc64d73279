// The channel CSV against the notation of the tools it is exchanged with: a
// fixture in their export layout, the export written back byte for byte, and
// each way of writing a row that their files and spreadsheets use.

#include <QFile>
#include <algorithm>
#include <QTest>

#include "channels/ChannelGrid.h"
#include "channels/ChannelRecord.h"
#include "files/ChannelCsv.h"
#include "support/ImageBytes.h"
#include "support/StartedState.h"

using namespace mx615;
using test::channelPlan;

namespace {

std::string fixture(const char* name)
{
    QFile file(QStringLiteral(MX615_SOURCE_DIR "/tests/files/csv/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("fixture %s missing", name);
    return file.readAll().toStdString();
}

// Channel n as the channel table shows it, columns joined by "|".
QString shown(const ProgramState& s, int n)
{
    QStringList cells;
    for (const std::string& cell : ChannelGrid::RowTexts(s, n, false))
        cells << QString::fromStdString(cell);
    return cells.join('|');
}

}  // namespace

class TestChannelCsv : public QObject {
    Q_OBJECT
private slots:
    // Sixteen channels in the other tool's export layout: every tone mode,
    // every DCS polarity and cross mode, +, -, split and off, power in watts.
    void importsTheExportFixture()
    {
        ProgramState s = test::startedState();
        const CsvImport result = ImportChannelCsv(fixture("chirp-export.csv"), s, false);
        QVERIFY(result.refused.empty());
        QCOMPARE(result.channels.size(), std::size_t(16));
        const QStringList expected = {
            "1|446.00625|446.00625|None|None|High|Wide|Yes|None|OFF",
            "2|446.01875|446.01875|None|67.0|High|Wide|Yes|None|OFF",
            "3|446.03125|446.03125|100.0|100.0|High|Wide|Yes|None|OFF",
            "4|440.00000|445.00000|D023N|D023N|High|Wide|Yes|None|OFF",
            "5|445.00000|440.00000|D754I|D754N|High|Wide|Yes|None|OFF",
            "6|450.00000|460.00000|D131N|D131I|High|Wide|Yes|None|OFF",
            "7|451.00000|451.00000|D025I|D025I|Low|Narrow|Yes|None|OFF",
            "8|452.00000|452.00000|250.3|71.9|High|Wide|Yes|None|OFF",
            "9|453.00000|453.00000|D411I|103.5|High|Wide|Yes|None|OFF",
            "10|454.00000|454.00000|67.0|D026I|High|Wide|Yes|None|OFF",
            "11|455.00000|455.00000|D032I|D031I|High|Wide|None|None|OFF",
            "12|456.00000|456.00000|156.7|None|High|Wide|Yes|None|OFF",
            "13|457.00000|457.00000|D754I|None|High|Wide|Yes|None|OFF",
            "14|458.00000|458.00000|None|203.5|High|Wide|Yes|None|OFF",
            "15|459.00000|459.00000|None|D565I|High|Wide|Yes|None|OFF",
            "16|462.56250||123.0||Low|Narrow|None|None|OFF",
        };
        for (int n = 1; n <= kChannels; ++n)
            QCOMPARE(shown(s, n), expected[n - 1]);

        // The export is the second fixture, byte for byte, and reads back the same.
        const CsvExport exported = ExportChannelCsv(s);
        QVERIFY(exported.notes.empty());
        QCOMPARE(QByteArray::fromStdString(exported.text), QByteArray::fromStdString(fixture("mx615-export.csv")));
        ProgramState back = test::startedState();
        QVERIFY(ImportChannelCsv(exported.text, back, false).refused.empty());
        QCOMPARE(channelPlan(back), channelPlan(s));
    }

    // Names and comments go out with their channels and come back as they
    // were, whatever separators and quotes they hold.
    void labelsSurviveExportAndImport_data()
    {
        QTest::addColumn<QString>("label");
        QTest::newRow("plain") << "Front desk";
        QTest::newRow("a comma") << "Doors, east";
        QTest::newRow("quotes") << "The \"Den\", \"quoted\"";
        QTest::newRow("semicolon and tab") << "A;B\tC";
    }
    void labelsSurviveExportAndImport()
    {
        QFETCH(QString, label);
        ProgramState plan = test::startedState();
        QVERIFY(ImportChannelCsv(fixture("chirp-export.csv"), plan, false).applied);
        ChannelLabels labels;
        labels.names[2] = label.toStdString();
        labels.comments[2] = "comment: " + label.toStdString();
        ProgramState back = test::startedState();
        const CsvImport result = ImportChannelCsv(ExportChannelCsv(plan, &labels).text, back, false);
        QVERIFY(result.applied);
        QCOMPARE(result.labels.names, labels.names);
        QCOMPARE(result.labels.comments, labels.comments);
        QCOMPARE(channelPlan(back), channelPlan(plan));
    }

    // Each row stores channel 1 as 446.00625 MHz receive, 451.00625 MHz
    // transmit, encode 88.5, low power.
    void readsTheirNotations_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::newRow("plain") << "Frequency,Duplex,Offset,Tone,rToneFreq,Power\n446.00625,+,5,Tone,88.5,1.0W\n";
        QTest::newRow("MHz") << "Frequency,Duplex,Offset,Tone,rToneFreq,Power\n446.006250 MHz,+,5.000000 MHz,Tone,88.5,1W\n";
        QTest::newRow("kHz") << "Frequency,Duplex,Offset,Tone,rToneFreq,Power\n446006.25 kHz,+,5000 kHz,Tone,88.5,1.0 w\n";
        QTest::newRow("six decimals, split")
            << "Frequency,Duplex,Offset,Tone,rToneFreq,Power\n446.006250,split,451.006250,Tone,88.5,low\n";
        QTest::newRow("comments") << "# exported for the north site\n"
                                     "Frequency,Duplex,Offset,Tone,rToneFreq,Power\n"
                                     "  # don't \"quote me\n"
                                     "\"# a quoted comment\",x\n"
                                     "446.00625,+,5,Tone,88.5,1.0W\n#last\n";
        QTest::newRow("semicolon, decimal comma")
            << "Frequency;Duplex;Offset;Tone;rToneFreq;Power\r\n446,00625;+;5,000000;Tone;88,5;1,0W\r\n";
        QTest::newRow("semicolon, kHz") << "Frequency;Duplex;Offset;Tone;rToneFreq;Power\n446006,25 kHz;+;5000 kHz;Tone;88,5;L\n";
        QTest::newRow("byte-order mark, comment, tab")
            << "\xEF\xBB\xBF# a;b;c;d;e;f;g\nFrequency\tDuplex\tOffset\tTone\trToneFreq\tPower\n"
               "446.00625\t+\t5\tTone\t88.5\t1.0W\n";
        QTest::newRow("tab") << "Frequency\tDuplex\tOffset\tTone\trToneFreq\tPower\n446.00625\t+\t5\tTone\t88.5\t1.0W\n";
        QTest::newRow("header with a quoted comma")
            << "\"Name, full\";Frequency;Duplex;Offset;Tone;rToneFreq;Power\nA, B;446,00625;+;5;Tone;88,5;1W\n";
    }

    void readsTheirNotations()
    {
        QFETCH(QString, csv);
        ProgramState s = test::startedState();
        const CsvImport result = ImportChannelCsv(csv.toStdString(), s, false);
        QVERIFY2(result.refused.empty() && !result.unusable,
                 result.refused.empty() ? "unusable" : result.refused.front().text.c_str());
        QCOMPARE(result.channels, std::vector<int>{1});
        QCOMPARE(shown(s, 1), QStringLiteral("1|446.00625|451.00625|None|88.5|Low|Wide|Yes|None|OFF"));
    }

    // Rows without a frequency are no channel: skipped, counted, and they take
    // no place, neither by Location nor in file order.
    void skipsRowsWithoutAFrequency()
    {
        ProgramState s = test::startedState();
        CsvImport result = ImportChannelCsv("Location,Frequency\n1,\n2,446.1\n3,0\n4,0.000000 MHz\n5, \n6,446.2\n", s, false);
        QVERIFY(result.refused.empty());
        QCOMPARE(result.skipped, 4);
        QCOMPARE(result.channels, (std::vector<int>{2, 6}));

        // Without Locations of their own the rows fill channels in file order.
        s = test::startedState();
        std::string csv = "Frequency\n";
        for (int i = 0; i < 16; ++i)
            csv += "446.1\n0\n";
        result = ImportChannelCsv(csv, s, false);
        QVERIFY(result.refused.empty());   // 32 rows, but only 16 channels
        QCOMPARE(result.skipped, 16);
        QCOMPARE(result.channels.size(), std::size_t(16));
    }

    void refusesWhatItCannotStoreExactly_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("reason");
        QTest::newRow("MHz below 10 Hz") << "446.006251 MHz" << "has a digit below 10 Hz";
        QTest::newRow("kHz below 10 Hz") << "446006.251 kHz" << "has a digit below 10 Hz";
        QTest::newRow("unit alone") << "MHz" << "is not a frequency";
        QTest::newRow("other unit") << "446006250 Hz" << "is not a frequency";
        QTest::newRow("decimal comma with commas") << "\"446,00625\"" << "is not a frequency";
    }

    void refusesWhatItCannotStoreExactly()
    {
        QFETCH(QString, frequency);
        QFETCH(QString, reason);
        ProgramState s = test::startedState();
        const CsvImport result = ImportChannelCsv("Frequency,Mode\n" + frequency.toStdString() + ",FM\n", s, false);
        QCOMPARE(result.refused.size(), std::size_t(1));
        QCOMPARE(result.refused[0].line, 2);
        QVERIFY2(QString::fromStdString(result.refused[0].text).contains(reason), result.refused[0].text.c_str());
    }

    // A row is refused with all its faults, so that one edit mends it.
    void refusesARowWithEveryFault()
    {
        ProgramState s = test::startedState();
        const CsvImport result =
            ImportChannelCsv("Frequency,Duplex,Offset,Mode,Skip\n128.1,+,x,AM,Q\n446.1,,,FM,\n", s, false);
        QCOMPARE(result.refused.size(), std::size_t(1));
        const QString text = QString::fromStdString(result.refused[0].text);
        for (const char* fault : {"128.10000 MHz lies outside the band", "Offset \"x\" is not a frequency",
                                  "Mode \"AM\" is not FM or NFM", "Skip \"Q\" is not"})
            QVERIFY2(text.contains(fault), qPrintable(text));
    }

    // Where the Location column cannot be followed, the rows go in file order
    // and every row is named with the channel it went to; a frequency between
    // the rasters is named with the nearest channel.
    void noticesNameTheRows_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QStringList>("notices");
        const QString header = "Location,Name,Frequency\n";
        QTest::newRow("followed") << header + "16,Emergency,446.1\n1,Desk,446.2\n" << QStringList{};
        QTest::newRow("no Location column") << "Name,Frequency\nA,446.1\nB,446.2\n" << QStringList{};
        QTest::newRow("duplicate")
            << header + "1,Desk,446.1\n1,Gate,446.2\n16,Emergency,446.3\n"
            << QStringList{"The Location column was not followed (lines 2 and 3 both have Location 1): the rows went "
                           "to channels 1-16 in file order.",
                           "line 2 (Location 1, \"Desk\") went to channel 1.",
                           "line 3 (Location 1, \"Gate\") went to channel 2.",
                           "line 4 (Location 16, \"Emergency\") went to channel 3."};
        QTest::newRow("outside 1-16")
            << header + "0,Desk,446.1\n"
            << QStringList{"The Location column was not followed (line 2 has Location \"0\", which is no channel 1-16): "
                           "the rows went to channels 1-16 in file order.",
                           "line 2 (Location 0, \"Desk\") went to channel 1."};
        QTest::newRow("spreadsheet rounding")
            << "Location;Frequency;Duplex;Offset\n1;446,0063;+;5\n2;446,00625;;\n"
            << QStringList{"line 2: the receive frequency 446.00630 MHz lies on no channel raster (2.5 or 6.25 kHz); "
                           "the nearest channel is 446.00625 MHz. It was stored as the file has it.",
                           "line 2: the transmit frequency 451.00630 MHz lies on no channel raster (2.5 or 6.25 "
                           "kHz); the nearest channel is 451.00625 MHz. It was stored as the file has it."};
    }
    void noticesNameTheRows()
    {
        QFETCH(QString, csv);
        QFETCH(QStringList, notices);
        ProgramState s = test::startedState();
        const CsvImport result = ImportChannelCsv(csv.toStdString(), s, false);
        QVERIFY(result.applied);
        QStringList got, zh;
        for (const Bilingual& notice : result.notices) {
            got << QString::fromStdString(notice.en);
            zh << QString::fromStdString(notice.zh);
        }
        QCOMPARE(got, notices);
        QVERIFY(std::none_of(zh.begin(), zh.end(), [](const QString& text) { return text.isEmpty(); }));
    }

    // A plan for another band: the model that takes it is named.
    void namesTheModelWhoseBandFits()
    {
        const ProgramState s = test::startedState();   // UHF
        QCOMPARE(ModelTakingCsv("Frequency\n146.52\n", s), std::optional<int>(0));
        QCOMPARE(ModelTakingCsv("Frequency\n146.52\n446.1\n", s), std::optional<int>(2));
        QCOMPARE(ModelTakingCsv("Frequency\n46.52\n", s), std::nullopt);
        QCOMPARE(ModelTakingCsv("Frequency,Mode\n146.52,AM\n", s), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestChannelCsv)
#include "tst_channelcsv.moc"
