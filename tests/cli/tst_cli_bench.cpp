// The dealer's bench: one cable for radio after radio (--repeat), the backup
// of each radio, the CSV log, Ctrl+C in the middle of a write, and the
// connection doctor's look at a port; the built mx615-cli against simulated
// radios that take turns behind one device name.

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>

#include "cli/CliRun.h"
#include "files/ImageFile.h"
#include "link/PtyRig.h"

using namespace mx615;
using test::Simulator;

namespace {

const QString kPrompt = "press Enter (q and Enter to finish)";

// mx615-cli running, with standard input to answer its prompts.
struct Session {
    QProcess process;
    QString err;
    explicit Session(const QStringList& arguments)
    {
        process.start(MX615_CLI, arguments);
        process.waitForStarted();
    }
    // Waits until the prompt has been shown n times in all.
    bool prompted(int n)
    {
        QElapsedTimer waited;
        waited.start();
        while (err.count(kPrompt) < n && waited.elapsed() < 30000 && process.state() == QProcess::Running) {
            process.waitForReadyRead(100);
            err += QString::fromUtf8(process.readAllStandardError());
        }
        return err.count(kPrompt) >= n;
    }
    // The next radio on the cable: the one there goes (its link with it),
    // the new one starts, Enter is pressed; true once the prompt has been
    // shown n times in all.
    bool nextRadio(std::unique_ptr<Simulator>& radio, const QStringList& options, int n)
    {
        radio.reset();
        radio = std::make_unique<Simulator>(options);
        process.write("\n");
        return prompted(n);
    }
    int finish()
    {
        if (!process.waitForFinished(30000))
            process.kill();
        err += QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
};

QStringList logRows(const QString& path)
{
    return QString::fromUtf8(test::readAll(path)).split("\r\n", Qt::SkipEmptyParts);
}

}  // namespace

class TestCliBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    // Three radios on one cable, the middle one another device: it is
    // reported, logged as failed and left untouched without a backup; the
    // others are backed up, written and verified, and q ends the run.
    void repeatRunOverThreeRadios()
    {
        const QString cable = dir.filePath("cable"), first = dir.filePath("first.img"),
                      third = dir.filePath("third.img"), backups = dir.filePath("backups"),
                      log = dir.filePath("bench.csv");
        QVERIFY(QDir().mkpath(backups));
        QVERIFY(test::writeFile(first, test::pattern(5)) && test::writeFile(third, test::pattern(9)));
        const QString file = test::channFile(dir.filePath("fleet.chann"), 70);
        auto radio = std::make_unique<Simulator>(QStringList{"--image", first, "--link", cable});
        Session run({"write", "--port", cable, "--repeat", "--backup", backups, "--log", log, file});
        QVERIFY2(run.prompted(1), qPrintable(run.err));
        QVERIFY2(run.nextRadio(radio, {"--wrong-ident", "--attempts", "0", "--link", cable}, 2), qPrintable(run.err));
        QVERIFY2(run.nextRadio(radio, {"--image", third, "--link", cable}, 3), qPrintable(run.err));
        run.process.write("q\n");
        QCOMPARE(run.finish(), 1);
        radio.reset();
        const QString out = QString::fromUtf8(run.process.readAllStandardOutput());
        QVERIFY2(out.endsWith("3 radios: 2 written and verified, 0 differed, 1 failed.\n"), qPrintable(out + run.err));
        QVERIFY2(run.err.contains("radio 2 on " + cable + ": Another device answered on " + cable +
                                  ": its reply is no MX-615 identification; nothing was written to it."),
                 qPrintable(run.err));

        // The backups hold what the two radios held, in the order written.
        const QStringList saved = QDir(backups).entryList(QDir::Files, QDir::Name);
        QCOMPARE(saved.size(), 2);
        QVERIFY2(saved[0].endsWith("-001.img") && saved[1].endsWith("-003.img"), qPrintable(saved.join(' ')));
        QCOMPARE(test::readAll(backups + "/" + saved[0]), test::pattern(5));
        QCOMPARE(test::readAll(backups + "/" + saved[1]), test::pattern(9));
        // The radios hold the file up to 0x30F and their own bytes beyond.
        ProgramState expected;
        QVERIFY(!LoadRadioFile(expected, file.toStdString()));
        const QByteArray radio1 = test::readAll(first);
        for (int a = 0; a < 0x310; ++a)
            QCOMPARE(int(uint8_t(radio1[a])), expected.byteAt(a));
        QCOMPARE(radio1.mid(0x310), test::pattern(5).mid(0x310));

        const QStringList rows = logRows(log);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0], QString("time,port,device,ident,file,result,backup,message,station"));
        for (const QString& row : rows.mid(1))   // the bench that did it
            QVERIFY2(row.endsWith("," + QSysInfo::machineHostName()), qPrintable(row));
        const QString tail = "," + cable + "," + cable + ",";
        QVERIFY2(rows[1].contains(tail + "AA363135000000BB," + file + ",written," + saved[0] + ","), qPrintable(rows[1]));
        QVERIFY2(rows[2].contains(tail + "," + file + ",failed,,Another device answered"), qPrintable(rows[2]));
        QVERIFY(rows[3].contains(",written," + saved[1] + ","));
        // ISO 8601 with the offset: 2026-12-08T11:47:42+01:00.
        QVERIFY2(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d,").match(rows[1]).hasMatch(),
                 qPrintable(rows[1]));
    }

    // Enter with no radio on the cable is no radio: said, asked again, not
    // counted and not logged. Ctrl+C at the prompt then ends the run as q
    // does, its status from the radios' results.
    void repeatRunWithoutARadioAndCtrlCAtThePrompt()
    {
        const QString cable = dir.filePath("cable-empty"), log = dir.filePath("empty.csv");
        const QString file = test::channFile(dir.filePath("fleet2.chann"), 71);
        auto radio = std::make_unique<Simulator>(QStringList{"--link", cable});
        Session run({"write", "--port", cable, "--repeat", "--log", log, file});
        QVERIFY2(run.prompted(1), qPrintable(run.err));
        QVERIFY2(run.nextRadio(radio, {"--silent", "--attempts", "0", "--link", cable}, 2), qPrintable(run.err));
        QVERIFY2(run.err.contains("No radio answered on " + cable + ": nothing was written, and no radio is counted."),
                 qPrintable(run.err));
        QVERIFY(run.err.contains("Waiting for a radio on " + cable));
        ::kill(pid_t(run.process.processId()), SIGINT);
        QCOMPARE(run.finish(), 0);
        const QString out = QString::fromUtf8(run.process.readAllStandardOutput());
        QVERIFY2(out.endsWith("1 radio: 1 written and verified, 0 differed, 0 failed.\n"), qPrintable(out + run.err));
        QCOMPARE(logRows(log).size(), 2);   // the header and the one radio
    }

    // Ctrl+C during a write: the port closes and the run sums up. A radio
    // that had taken write frames is logged as holding part of the file, with
    // its backup; one that never answered is logged and shown as not written.
    void interruptedWrite_data()
    {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("waitMs");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("signal");
        // Each reply 100 ms late: the backup read's 16 replies take about
        // 1.7 s, then the write's 49 frames about 5 s.
        QTest::newRow("frames sent") << QStringList{"--delay", "100"} << QStringList{"--repeat", "--backup"} << 3500
                                     << "interrupted: partly written (holds part of %1)"
                                     << "The radio may hold part of the new data: write it again." << SIGINT;
        QTest::newRow("silent radio, repeat") << QStringList{"--silent", "--attempts", "0"} << QStringList{"--repeat"}
                                              << 1500 << "interrupted: not written" << "Nothing was written to the radio"
                                              << SIGINT;
        QTest::newRow("silent radio, one port") << QStringList{"--silent", "--attempts", "0"} << QStringList{} << 1500
                                                << "interrupted: not written" << "Nothing was written to the radio"
                                                << SIGINT;
        // A polite kill and a closed terminal end the run as Ctrl+C does.
        QTest::newRow("frames sent, SIGTERM") << QStringList{"--delay", "100"} << QStringList{"--backup"} << 3500
                                              << "interrupted: partly written (holds part of %1)"
                                              << "Interrupted (SIGTERM). The write stopped after frame" << SIGTERM;
        QTest::newRow("silent radio, SIGHUP") << QStringList{"--silent", "--attempts", "0"} << QStringList{"--repeat"}
                                              << 1500 << "interrupted: not written" << "Interrupted (SIGHUP)." << SIGHUP;
    }
    void interruptedWrite()
    {
        QFETCH(QStringList, radio);
        QFETCH(QStringList, options);
        QFETCH(int, waitMs);
        QFETCH(QString, logged);
        QFETCH(QString, shown);
        QFETCH(int, signal);
        const QString tag = QTest::currentDataTag();
        const QString image = dir.filePath(tag + ".img"), backups = dir.filePath(tag + "-b"),
                      log = dir.filePath(tag + ".csv");
        QVERIFY(test::writeFile(image, test::pattern(6)));
        QVERIFY(QDir().mkpath(backups));
        if (options.contains("--backup"))
            options.insert(options.indexOf("--backup") + 1, backups);
        const QString file = test::channFile(dir.filePath("half.chann"), 20);
        Simulator sim(QStringList{"--image", image} + radio);
        Session run(QStringList{"write", "--port", sim.device, "--log", log} + options + QStringList{file});
        if (options.contains("--backup")) {
            // The write starts once the backup is saved; a second into it the
            // run is interrupted, however slowly a loaded machine got there.
            QElapsedTimer waited;
            waited.start();
            while (QDir(backups).isEmpty(QDir::Files) && waited.elapsed() < 30000 &&
                   run.process.state() == QProcess::Running)
                QTest::qWait(50);
            QVERIFY2(!QDir(backups).isEmpty(QDir::Files), qPrintable(run.err));
            QTest::qWait(1000);
        } else {
            QTest::qWait(waitMs);
        }
        ::kill(pid_t(run.process.processId()), signal);
        QCOMPARE(run.finish(), 1);
        const QString out = QString::fromUtf8(run.process.readAllStandardOutput());
        if (options.contains("--repeat"))
            QVERIFY2(out.endsWith("1 radio: 0 written and verified, 0 differed, 1 failed.\n"), qPrintable(out + run.err));
        QVERIFY2(run.err.contains(shown), qPrintable(run.err));
        const QStringList saved = QDir(backups).entryList(QDir::Files);
        QCOMPARE(saved.size(), options.contains("--backup") ? 1 : 0);
        const QStringList rows = logRows(log);
        QCOMPARE(rows.size(), 2);
        const QString station = QSysInfo::machineHostName();
        QVERIFY2(rows[1].endsWith(",failed," + saved.value(0) + "," + logged.arg(file) + "," + station), qPrintable(rows[1]));
        if (saved.isEmpty())   // never linked: the radio holds what it held
            QCOMPARE(test::readAll(image), test::pattern(6));
    }

    // The log stops taking rows in the middle of a run (a file size limit
    // here, as a full disk would, with room for part of a row): the next
    // radio is written all the same, nothing of the lost row stays in the
    // log, the row is counted at the end, and the run ends with exit 1.
    void logThatStopsTakingRows()
    {
        const QString cable = dir.filePath("cable-2"), second = dir.filePath("second.img"),
                      log = dir.filePath("lost.csv");
        QVERIFY(test::writeFile(second, test::pattern(8)));
        const QString file = test::channFile(dir.filePath("lost.chann"), 40);
        auto radio = std::make_unique<Simulator>(QStringList{"--link", cable});
        Session run({"write", "--port", cable, "--repeat", "--log", log, "-q", file});
        QVERIFY2(run.prompted(1), qPrintable(run.err));
        rlimit full{};
        QCOMPARE(::prlimit(pid_t(run.process.processId()), RLIMIT_FSIZE, nullptr, &full), 0);
        full.rlim_cur = rlim_t(QFileInfo(log).size() + 10);
        QCOMPARE(::prlimit(pid_t(run.process.processId()), RLIMIT_FSIZE, &full, nullptr), 0);
        QVERIFY2(run.nextRadio(radio, {"--image", second, "--link", cable}, 2), qPrintable(run.err));
        run.process.write("q\n");
        QCOMPARE(run.finish(), 1);
        radio.reset();
        const QString out = QString::fromUtf8(run.process.readAllStandardOutput());
        QVERIFY2(out.endsWith("2 radios: 2 written and verified, 0 differed, 0 failed.\n"), qPrintable(out + run.err));
        QVERIFY2(run.err.contains(log + ": the row of " + cable + " could not be written: File too large.\n") &&
                     run.err.endsWith("mx615-cli: " + log +
                                      ": 1 of 2 rows could not be written; the log of this run is incomplete.\n"),
                 qPrintable(run.err));
        QCOMPARE(logRows(log).size(), 2);
        QVERIFY(test::readAll(log).endsWith(",written,,," + QSysInfo::machineHostName().toUtf8() + "\r\n"));
        ProgramState expected;
        QVERIFY(!LoadRadioFile(expected, file.toStdString()));
        const QByteArray written = test::readAll(second);
        for (int a = 0; a < 0x310; ++a)
            QCOMPARE(int(uint8_t(written[a])), expected.byteAt(a));
    }

    // The doctor on a port: a radio, a radio that says nothing, no device.
    void doctorOnAPort_data()
    {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<QString>("finding");
        QTest::newRow("a radio") << QStringList{"--image", "doctor.img"}
                                 << "ok: a radio answered on %1: identification AA363135000000BB";
        QTest::newRow("silent radio") << QStringList{"--silent", "--attempts", "0"} << "problem: no answer on %1.";
        QTest::newRow("no device") << QStringList{} << "problem: %1 is not there.";
    }
    void doctorOnAPort()
    {
        QFETCH(QStringList, radio);
        QFETCH(QString, finding);
        std::unique_ptr<Simulator> sim;
        QString device = "/dev/mx615-none";
        const bool image = radio.value(0) == "--image";
        if (image) {
            radio[1] = dir.filePath(radio[1]);
            QVERIFY(test::writeFile(radio[1], test::pattern(4)));
        }
        if (!radio.isEmpty()) {
            sim = std::make_unique<Simulator>(radio);
            device = sim->device;
        }
        const test::CliResult run = test::cli({"doctor", "--port", device}, device);
        QVERIFY2(run.out.contains(finding.arg(device)), qPrintable(run.out + run.err));
        QVERIFY(run.out.startsWith("ok: COM1 is " + device) || run.out.startsWith("warning: COM1 is " + device));
        // A line per finding, each with its level; exit 1 exactly on a problem.
        for (const QString& line : run.out.split('\n', Qt::SkipEmptyParts))
            QVERIFY2(QRegularExpression("^(ok|warning|problem): ").match(line).hasMatch(), qPrintable(line));
        QCOMPARE(run.exit, run.out.contains("\nproblem: ") ? 1 : 0);
        sim.reset();
        if (image)   // a read only: the radio's memory is as it was
            QCOMPARE(test::readAll(radio[1]), test::pattern(4));
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(TestCliBench)
#include "tst_cli_bench.moc"
