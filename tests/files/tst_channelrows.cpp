// Channels as rows: the clipboard's text round trip, text pasted from
// spreadsheets in their dialects, pastes refused whole, moving and sorting.

#include <QTest>

#include "channels/ChannelRecord.h"
#include "files/ChannelCsv.h"
#include "files/ChannelRows.h"
#include "support/StartedState.h"

using namespace mx615;

namespace {

bool sameImage(const ProgramState& a, const ProgramState& b)
{
    return std::equal(a.RadioImage.begin(), a.RadioImage.begin() + kRadioLines, b.RadioImage.begin());
}

QString rx(const ProgramState& s, int n)
{
    return ChannelInUse(s, n) ? QString::fromStdString(FrequencyText(s, n, kRxFirst)) : QString();
}

}  // namespace

class TestChannelRows : public QObject {
    Q_OBJECT
private slots:
    void copyThenPasteBack_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("withBytes");
        QTest::newRow("all, inside the program") << 1 << 16 << true;
        QTest::newRow("a run with a gap, inside the program") << 3 << 6 << true;
        QTest::newRow("all, as text from a spreadsheet") << 1 << 16 << false;
        QTest::newRow("one channel, as text") << 7 << 7 << false;
    }
    void copyThenPasteBack()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(bool, withBytes);
        ProgramState s = test::startedState();
        ClearChannel(s, 5);  // a gap in the run keeps its place
        SetScanAdd(s, 5, false);
        SetPttId(s, 4, 1);   // a field the CSV has no column for
        const CopiedChannels copied = CopyChannels(s, first, last);
        QVERIFY(copied.any);
        QVERIFY(QString::fromStdString(copied.text).startsWith("Location\tName\tFrequency\t"));

        ProgramState t = s;
        ClearChannels(t, first, last);
        const PasteResult pasted = PasteChannels(copied.text, t, first, withBytes ? copied.bytes : std::string());
        QVERIFY(!pasted.fault);
        if (withBytes)
            QVERIFY(sameImage(t, s));
        else
            QCOMPARE(ExportChannelCsv(t).text, ExportChannelCsv(s).text);
        // Pasted elsewhere, the run keeps its shape.
        ProgramState u = s;
        QVERIFY(!PasteChannels(copied.text, u, 17 - (last - first + 1), copied.bytes).fault);
        QCOMPARE(rx(u, 16), rx(s, last));
    }

    void pasteFromSpreadsheets_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("shown");  // channels 5 and 6 afterwards
        QTest::newRow("comma, header, CHIRP locations from 0")
            << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq\r\n"
               "0,A,446.006250,,0,,88.5,88.5\r\n1,B,446.018750,,0,,88.5,88.5\r\n"
            << QStringList{"446.00625", "446.01875"};
        QTest::newRow("semicolon, decimal commas")
            << "Location;Frequency;Mode\n1;446,10000;NFM\n2;446,20000;FM\n" << QStringList{"446.10000", "446.20000"};
        QTest::newRow("tab, no header, decimal commas")
            << "1\t\t446,300000\t\t0\t\t88,5\t88,5\t023\tNN\t023\tTone->Tone\tFM\t5,00\t\t5.0W\n"
            << QStringList{"446.30000", rx(test::startedState(), 6)};
        QTest::newRow("comma, no header")
            << "3,,446.400000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W\r\n"
               "4,,446.500000,+,5.000000,Tone,100.0,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W\r\n"
            << QStringList{"446.40000", "446.50000"};
    }
    void pasteFromSpreadsheets()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, shown);
        ProgramState s = test::startedState();
        const ProgramState before = s;
        const PasteResult pasted = PasteChannels(text.toStdString(), s, 5);
        QVERIFY2(!pasted.fault, pasted.fault ? pasted.fault->text.en.c_str() : "");
        QCOMPARE((QStringList{rx(s, 5), rx(s, 6)}), shown);
        for (int n : {1, 4, 7, 16})
            QCOMPARE(rx(s, n), rx(before, n));
    }

    void refusedPasteChangesNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a row out of band")
            << "Frequency\n446.1\n128.1\n" << 1 << "Line 3: The receive frequency 128.10000 MHz lies outside";
        QTest::newRow("past channel 16") << "Frequency\n446.1\n446.2\n446.3\n" << 15 << "up to 17; the radio has 16";
        QTest::newRow("no rows") << "Frequency\n\n" << 1 << "no channel rows";
        QTest::newRow("nothing") << "" << 1 << "no channel rows";
        QTest::newRow("an unclosed quote") << "Frequency\n\"446.1\n" << 1 << "never closed";
    }
    void refusedPasteChangesNothing()
    {
        QFETCH(QString, text);
        QFETCH(int, at);
        QFETCH(QString, reason);
        ProgramState s = test::startedState();
        const ProgramState before = s;
        const PasteResult pasted = PasteChannels(text.toStdString(), s, at);
        QVERIFY(pasted.fault);
        QString said = QString::fromStdString(pasted.fault->text.en);
        for (const std::string& row : pasted.fault->rows)
            said += '\n' + QString::fromStdString(row);
        QVERIFY2(said.contains(reason), qPrintable(said));
        QVERIFY(!pasted.fault->text.zh.empty());
        QVERIFY(sameImage(s, before));
    }

    void moveAndSort()
    {
        ProgramState s = test::startedState();
        StoreFrequency(s, "480.00000", 1, kRxFirst);
        const QString second = rx(s, 2);
        SetScanAdd(s, 1, true);
        SetScanAdd(s, 2, false);
        SwapChannels(s, 1, 2);
        QCOMPARE(rx(s, 2), QString("480.00000"));
        QCOMPARE(rx(s, 1), second);
        QVERIFY(!ScanAdd(s, 1) && ScanAdd(s, 2));  // the scan bit moves with its channel
        ClearChannels(s, 3, 3);
        QVERIFY(SortChannelsByRx(s));
        QVERIFY(!ChannelInUse(s, 3));  // an empty channel keeps its place
        QCOMPARE(rx(s, 16), QString("480.00000"));
        double last = 0;
        for (int n = 1; n <= kChannels; ++n)
            if (ChannelInUse(s, n)) {
                QVERIFY(rx(s, n).toDouble() >= last);
                last = rx(s, n).toDouble();
            }
        QVERIFY(!SortChannelsByRx(s));
    }
};

QTEST_APPLESS_MAIN(TestChannelRows)
#include "tst_channelrows.moc"
