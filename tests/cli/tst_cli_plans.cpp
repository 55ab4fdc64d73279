// The built mx615-cli with plans of every kind: a CSV taken by every command
// that takes a plan (written to and verified against a simulated radio), a
// name of no plan kind refused by each, and the channel sheet read back from
// its PDF with poppler's tools.

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "cli/CliRun.h"
#include "files/ChannelCsv.h"
#include "files/ImageFile.h"
#include "link/PtyRig.h"
#include "model/Fingerprint.h"
#include "support/StartedState.h"

using namespace mx615;
using test::cli;
using Run = test::CliResult;

namespace {

// A full plan: 16 channels, names and comments of 16 characters; channel 16's
// name is longer and is cut on the sheet.
QByteArray fullPlan()
{
    QByteArray csv = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,Power,"
                     "Comment\r\n";
    for (int n = 1; n <= 16; ++n)
        csv += QString("%1,%2,%3,+,5.000000,DTCS,88.5,88.5,754,NR,NFM,1.0W,Security gate %4\r\n")
                   .arg(n)
                   .arg(n == 16 ? "Front desk north wing" : QString("Front desk %1 WW").arg(n, 2, 10, QChar('0')))
                   .arg(446 + n * 0.0125, 0, 'f', 6)
                   .arg(n, 2, 10, QChar('0'))
                   .toUtf8();
    return csv;
}

QString toolOutput(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class TestCliPlans : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        csv = dir.filePath("plan.CSV");   // the suffix in any letter case
        QVERIFY(test::writeFile(csv, fullPlan()));
        ProgramState plan = test::startedState();
        QVERIFY(ImportChannelCsv(fullPlan().toStdString(), plan, false).applied);
        fingerprint = QString::fromStdString(FingerprintLine(plan, false));
        chann = dir.filePath("same.chann");
        QVERIFY(!SaveChannFile(plan, chann.toStdString()));
        QVERIFY(test::writeFile(dir.filePath("plan.txt"), test::readAll(chann)));
    }

    void everyCommandTakesACsv_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out");
        QTest::newRow("show") << QStringList{"show", "CSV"} << "16       446.20000     451.20000     D754I";
        // Over its base a CSV is a whole plan, with the fingerprint of one;
        // alone it holds channels only, and the settings are each radio's.
        QTest::newRow("show's fingerprint") << QStringList{"show", "CSV", "--base", "CHANN"} << "FINGERPRINT";
        QTest::newRow("show without a base") << QStringList{"show", "CSV"} << "Other settings: each radio's own";
        QTest::newRow("diff with its .chann") << QStringList{"diff", "CSV", "CHANN"} << "";
        QTest::newRow("export-csv") << QStringList{"export-csv", "CSV", "-o", "OUT.csv"} << "Wrote 16 channels";
        QTest::newRow("print") << QStringList{"print", "CSV", "--base", "CHANN", "-o", "OUT.pdf"} << "FINGERPRINT";
        QTest::newRow("print without a base") << QStringList{"print", "CSV", "-o", "OUT.pdf"}
                                              << "the other settings are each radio's own";
    }
    void everyCommandTakesACsv()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        arguments.replaceInStrings("CSV", csv).replaceInStrings("CHANN", chann).replaceInStrings("OUT", dir.filePath("out"));
        const Run run = cli(arguments);
        QVERIFY2(run.exit == 0, qPrintable(run.err));
        QVERIFY2(out.isEmpty() ? run.out.isEmpty() : run.out.contains(out.replace("FINGERPRINT", fingerprint)),
                 qPrintable(run.out));
    }

    void writeAndVerifyACsv()
    {
        const QString image = dir.filePath("radio.img");
        test::Simulator sim({"--image", image});
        QVERIFY(!sim.device.isEmpty());
        Run run = cli({"write", "-q", "--port", sim.device, csv});
        QVERIFY2(run.exit == 0, qPrintable(run.out + run.err));
        QVERIFY(run.err.contains("The radio keeps no channel names or comments"));
        ProgramState plan;
        QVERIFY(!LoadChannFile(plan, chann.toStdString()));
        QTRY_COMPARE_WITH_TIMEOUT(test::readAll(image).size(), kImageFileBytes, 3000);
        QCOMPARE(test::readAll(image).left(kWrittenBytes), QByteArray::fromStdString(ImageFileBytes(plan)).left(kWrittenBytes));
        run = cli({"verify", "--port", sim.device, csv});
        QVERIFY2(run.exit == 0, qPrintable(run.out + run.err));
        QVERIFY(run.out.contains(sim.device + ": " + fingerprint));
    }

    // An export over the CSV it reads would lose what it does not read.
    void exportNeverReplacesItsOwnCsv()
    {
        const Run run = cli({"export-csv", csv, "-o", csv});
        QCOMPARE(run.exit, 2);
        QVERIFY2(run.err.contains("is the plan itself"), qPrintable(run.err));
        QCOMPARE(test::readAll(csv), fullPlan());
        // Into another file, the names and comments go with the channels.
        const QString copy = dir.filePath("copy.csv");
        QCOMPARE(cli({"export-csv", csv, "-o", copy}).exit, 0);
        QVERIFY(test::readAll(copy).contains(",Front desk north wing,") &&
                test::readAll(copy).contains(",Security gate 16,"));
    }

    // Never read as a .chann, though this one holds a good channel file; the
    // port is not touched.
    void unknownSuffixIsRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        for (const char* command : {"show", "export-csv -o x.csv", "print -o x.pdf", "write --port /dev/mx615-none",
                                       "verify --port /dev/mx615-none", "diff CHANN"})
            QTest::newRow(command) << QString(command).split(' ');
    }
    void unknownSuffixIsRefused()
    {
        QFETCH(QStringList, arguments);
        arguments.replaceInStrings("CHANN", chann);
        const Run run = cli(arguments << dir.filePath("plan.txt"));
        QCOMPARE(run.exit, 3);
        QVERIFY2(run.err.contains("channel parameter files (.chann), radio images (.img) and channel lists (.csv)"),
                 qPrintable(run.err));
    }

    // The sheet read back from its PDF: one page of the paper asked for,
    // the channel texts, the names (a long one cut), the fingerprint.
    void sheetHasOnePage_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<QStringList>("texts");
        const QStringList channels{"446.01250", "451.20000", "D754I", "Front desk 01 WW", "Security gate 16",
                                   "Front desk nort…"};
        QTest::newRow("A4") << QStringList{} << "A4" << channels + QStringList{"Channel", "Frequency", "Comment", "Optional Features", "Clone Mode"};
        QTest::newRow("Letter") << QStringList{"--paper", "LETTER"} << "letter" << channels;
        QTest::newRow("Chinese A4") << QStringList{"--chinese"} << "A4" << channels + QStringList{"信道号", "名称", "可选参数", "复制模式"};
        QTest::newRow("Chinese Letter") << QStringList{"--chinese", "--paper", "letter"} << "letter" << channels;
    }
    void sheetHasOnePage()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, paper);
        QFETCH(QStringList, texts);
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
        if (pdftotext.isEmpty() || pdfinfo.isEmpty())
            QSKIP("poppler-utils is not installed (./test.sh installs it)");
        const QString sheet = dir.filePath("sheet.pdf");
        // Over the radio it is for, so that the settings are the plan's.
        const Run run = cli(QStringList{"print", csv, "--base", chann, "-o", sheet, "--title", "Hotel Harbor"} + options);
        QVERIFY2(run.exit == 0 && run.err.isEmpty(), qPrintable(run.err));
        const QString info = toolOutput(pdfinfo, {sheet});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")) && info.contains("(" + paper + ")"),
                 qPrintable(info));
        const QString text = toolOutput(pdftotext, {"-layout", sheet, "-"});
        for (const QString& expected : texts + QStringList{"Hotel Harbor", fingerprint.split(' ')[1]})
            QVERIFY2(text.contains(expected), qPrintable(expected + " is not in:\n" + text));
        QVERIFY(!text.contains("north wing"));
    }

private:
    QTemporaryDir dir;
    QString csv, chann, fingerprint;
};

QTEST_GUILESS_MAIN(TestCliPlans)
#include "tst_cli_plans.moc"
