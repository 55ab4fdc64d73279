// mx615-cli as a user runs it: the built program against simulated radios on
// pseudo-terminals, judged by its exit status, its output and the radios'
// memory afterwards.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "adjust/AdjustTable.h"
#include "files/AdjFile.h"
#include "files/ChannFile.h"
#include "files/ImageFile.h"
#include "cli/CliRun.h"
#include "link/PtyRig.h"
#include "model/Fingerprint.h"
#include "support/StartedState.h"

using namespace mx615;
using test::cli;
using test::readAll;
using Run = test::CliResult;

using test::channFile;

class TestCliPty : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void readSavesTheRadio_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("raw image") << "read.img";
        QTest::newRow("channel file") << "read.chann";
    }

    void readSavesTheRadio()
    {
        QFETCH(QString, name);
        const QString image = dir.filePath("radio-" + name + ".img");
        QVERIFY(test::writeFile(image, test::pattern(3)));
        test::Simulator sim({"--image", image});
        QVERIFY(!sim.device.isEmpty());
        const QString out = dir.filePath(name);
        const Run run = cli({"read", "--port", sim.device, "-o", out});
        QCOMPARE(run.exit, 0);
        QVERIFY(run.out.contains("Complete reading the data from transceiver."));
        QVERIFY(run.err.isEmpty());   // no terminal: no progress line
        ProgramState state;
        QVERIFY(!LoadRadioFile(state, out.toStdString()));
        const int bytes = LinesCarried(out.toStdString()) * 16;
        for (int a = 0; a < bytes; ++a)
            QCOMPARE(state.byteAt(a), int(uint8_t(test::pattern(3)[a])));
        // What was read, as a sheet printed from the same plan shows it.
        const uint32_t crc = Crc32(test::pattern(3).left(kWrittenBytes).toStdString());
        const QString fingerprint =
            "Fingerprint " + QString::number(crc, 16).rightJustified(8, '0').toUpper() + " (CRC-32 of 0x000..0x30F)";
        QVERIFY2(run.out.contains(sim.device + ": " + fingerprint), qPrintable(run.out));
    }

    void writeVerifiesByReadingBack()
    {
        const QString image = dir.filePath("written.img");
        test::Simulator sim({"--image", image});
        QVERIFY(!sim.device.isEmpty());
        const QString file = channFile(dir.filePath("plan.chann"), 40);
        QVERIFY(!file.isEmpty());
        const Run run = cli({"write", "-q", "--port", sim.device, file});
        QCOMPARE(run.exit, 0);
        QVERIFY2(run.out.contains("Complete writing Data to the transceiver. Read back: the radio holds the file."),
                 qPrintable(run.out + run.err));
        ProgramState expected;
        QVERIFY(!LoadChannFile(expected, file.toStdString()));
        const QByteArray radio = readAll(image);
        QCOMPARE(radio.size(), kImageFileBytes);
        for (int a = 0; a < 0x310; ++a)
            QCOMPARE(int(uint8_t(radio[a])), expected.byteAt(a));
    }

    // Backup, write and read back follow each other at once on the port; the
    // radio answers the backup's last 06 at once, or after the write has
    // opened the port: each of the three links at its first identification.
    void backupWriteAndVerify_data()
    {
        QTest::addColumn<QString>("answerMs");
        QTest::newRow("06 at once") << "0";
        QTest::newRow("06 late") << "20";
    }
    void backupWriteAndVerify()
    {
        QFETCH(QString, answerMs);
        const QString backups = dir.filePath("backups-" + answerMs);
        QVERIFY(QDir().mkpath(backups));
        test::Simulator sim({"--answer-final-ack", answerMs}, false);
        QVERIFY(!sim.device.isEmpty());
        const Run run = cli({"write", "--port", sim.device, "--backup", backups,
                             channFile(dir.filePath("after-backup.chann"), 30)});
        QCOMPARE(run.exit, 0);
        QVERIFY2(run.out.contains("Read back: the radio holds the file."), qPrintable(run.out + run.err));
        QString said;
        QTRY_VERIFY_WITH_TIMEOUT((said += sim.process.readAllStandardError()).count("session ended") == 3, 3000);
        QVERIFY2(said.contains("session ended (3 identifications, 32 reads, 49 frames so far)"), qPrintable(said));
    }

    // The simulator's own channels are not the factory's: 441.125 MHz on
    // channel 1 where the file has 450.025.
    void verifyListsWhatDiffers()
    {
        test::Simulator sim({});
        QVERIFY(!sim.device.isEmpty());
        const QString file = channFile(dir.filePath("other.chann"), 0);
        const Run run = cli({"verify", "--port", "COM1", file}, sim.device);
        QCOMPARE(run.exit, 4);
        QVERIFY2(run.out.contains("COM1 (" + sim.device + "): the radio differs from " + file),
                 qPrintable(run.out + run.err));
        QVERIFY(run.out.contains("address 0x012 (channel 1, byte 2): 0x00 -> 0x11"));
        QVERIFY(!run.out.contains("address 0x310"));   // only what a write sends
    }

    // Four radios at once, one of them dead and one reading back wrong: the
    // other two are written and verified, the summary says which differed and
    // which failed, and the status says a radio failed.
    void fleetWithASilentRadio()
    {
        const QString a = dir.filePath("fleet-a.img"), b = dir.filePath("fleet-b.img");
        test::Simulator first({"--image", a});
        test::Simulator second({"--image", b});
        test::Simulator silent({"--silent", "--attempts", "0"});
        test::Simulator garbled({"--garble-reply", "2", "--attempts", "0"});   // reads back what it was not sent
        QVERIFY(!first.device.isEmpty() && !second.device.isEmpty() && !silent.device.isEmpty() &&
                !garbled.device.isEmpty());
        const QString file = channFile(dir.filePath("fleet.chann"), 90);
        // The second radio by its place in the port table, the others by path.
        const Run run = cli({"write", "--port", first.device, "--port", "COM2", "--port", silent.device, "--port",
                             garbled.device, file},
                            silent.device + ":" + second.device);
        QCOMPARE(run.exit, 1);
        const QString secondName = "COM2 (" + second.device + ")";
        QVERIFY2(run.out.contains("2 of 4 radios written and verified: " + first.device + ", " + secondName +
                                  ". Differed: " + garbled.device + ". Failed: " + silent.device + "."),
                 qPrintable(run.out + run.err));
        QVERIFY(run.err.contains(silent.device + ": Fail connect with transceiver."));
        ProgramState expected;
        QVERIFY(!LoadChannFile(expected, file.toStdString()));
        for (const QString& image : {a, b}) {
            const QByteArray radio = readAll(image);
            QCOMPARE(radio.size(), kImageFileBytes);
            for (int n = 1; n <= 16; ++n)
                QCOMPARE(int(uint8_t(radio[n * 16 + 15])), expected.byteAt(n * 16 + 15));
        }
    }

    // The simulator's adjustment area has a version text and high-power
    // values of its own, so a read shows them in the file.
    void adjustReadSavesTheTable()
    {
        test::Simulator sim({});
        QVERIFY(!sim.device.isEmpty());
        const QString out = dir.filePath("cal.adj");
        const Run run = cli({"adjust-read", "--port", sim.device, "-o", out});
        QCOMPARE(run.exit, 0);
        QVERIFY2(run.out.contains("Complete reading the data from transceiver."), qPrintable(run.out + run.err));
        ProgramState state;
        QVERIFY(!LoadAdjustFile(state, out.toStdString()));
        for (int k = 0; k < kFrequencyPoints; ++k)
            QCOMPARE(int(state.AdjustTable[1][k]), 100 + k);
        QCOMPARE(AdjustVersionText(state), std::string("SIM615"));
    }

    void adjustWriteSendsTheTable()
    {
        const QString image = dir.filePath("adjusted.img");
        test::Simulator sim({"--image", image});
        QVERIFY(!sim.device.isEmpty());
        ProgramState table;
        FillAdjustStartup(table);
        for (int k = 0; k < kFrequencyPoints; ++k)
            table.AdjustTable[2][k] = int16_t(30 + k);   // low power
        const QString file = dir.filePath("new.adj");
        QVERIFY(!SaveAdjustFile(table, file.toStdString()));
        const Run run = cli({"adjust-write", "--port", sim.device, file});
        QCOMPARE(run.exit, 0);
        QVERIFY2(run.out.contains("Complete writing optional parameters to the transceiver."),
                 qPrintable(run.out + run.err));
        // The simulator saves its memory when the end byte arrives, which
        // may be after the tool has ended.
        QTRY_COMPARE_WITH_TIMEOUT(readAll(image).size(), kImageFileBytes, 3000);
        const QByteArray radio = readAll(image);
        for (int k = 0; k < kFrequencyPoints; ++k)
            QCOMPARE(int(uint8_t(radio[AdjustFrameAddress(2) + k])), 30 + k);
        // Lines 7..10, which a file does not carry, go out with their
        // start-up values, as from the service window: line 10's end marker.
        QCOMPARE(radio.mid(AdjustFrameAddress(10), 8), QByteArray::fromHex("aa04000480 0000bb"));
    }

    void exitStatusSaysWhatFailed_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option") << QStringList{"read", "--port", "COM1", "--fast"} << 2 << "unknown option --fast";
        QTest::newRow("no port") << QStringList{"verify", "x.chann"} << 2 << "needs --port";
        QTest::newRow("one port only") << QStringList{"read", "--port", "COM1", "--port", "COM2", "-o", "r.img"} << 2
                                       << "takes one --port";
        QTest::newRow("output name") << QStringList{"read", "--port", "COM1", "-o", "radio.txt"} << 2
                                     << "name the file *.chann";
        QTest::newRow("missing file") << QStringList{"write", "--port", "COM1", "/nonexistent/a.chann"} << 3
                                      << "/nonexistent/a.chann cannot be read";
        QTest::newRow("no such device") << QStringList{"read", "--port", "/dev/mx615-none", "-o", "r.img"} << 1
                                        << "/dev/mx615-none: The port /dev/mx615-none could not be opened.";
        QTest::newRow("adjustment name") << QStringList{"adjust-read", "--port", "COM1", "-o", "cal.chann"} << 2
                                         << "name the file *.adj";
        QTest::newRow("log is a folder") << QStringList{"read", "--port", "COM1", "-o", "r.img", "--log", "/tmp"} << 3
                                         << "/tmp cannot be written: it is a folder";
        QTest::newRow("no such entry") << QStringList{"read", "--port", "COM9", "-o", "r.img"} << 1
                                       << "The port table has no entry 9";
        // The backup folder is judged before any radio is touched (PLAN: a
        // good channel file).
        QTest::newRow("backup folder missing") << QStringList{"write", "--port", "COM1", "--backup", "/nonexistent/b", "PLAN"}
                                               << 3 << "the backup folder /nonexistent/b does not exist; nothing was written.";
        QTest::newRow("backup folder is a file") << QStringList{"write", "--port", "COM1", "--backup", "/etc/passwd", "PLAN"}
                                                 << 3 << "the backup folder /etc/passwd is not a folder: it is a file;";
        // Not even root may make a file in /sys.
        QTest::newRow("backup folder unwritable") << QStringList{"write", "--port", "COM1", "--backup", "/sys", "PLAN"}
                                                  << 3 << "the backup folder /sys cannot be written: ";
    }

    void exitStatusSaysWhatFailed()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, message);
        arguments.replaceInStrings(QRegularExpression("^PLAN$"), channFile(dir.filePath("good.chann"), 1));
        const Run run = cli(arguments, "/dev/mx615-none");
        QCOMPARE(run.exit, exit);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        if (arguments.contains("--backup"))   // said once
            QCOMPARE(run.err.count('\n'), 1);
        QVERIFY(!QFile::exists("r.img"));
    }

    // A pipe, a terminal or a device named as a file is refused at once (the
    // run gives up after 30 s); a link to a good file is shown.
    void showTakesOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("exit");
        QTest::newRow("named pipe") << "pipe" << 3;
        QTest::newRow("terminal") << "terminal" << 3;
        QTest::newRow("endless device") << "/dev/zero" << 3;
        QTest::newRow("empty device") << "/dev/null" << 3;
        QTest::newRow("folder") << "folder" << 3;
        QTest::newRow("link to a channel file") << "link" << 0;
    }
    void showTakesOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(int, exit);
        QTemporaryDir folder;
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const auto closeMaster = qScopeGuard([master] { ::close(master); });
        QString path = kind.startsWith('/') ? kind : folder.filePath("x.chann");
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir(folder.path()).mkdir("x.chann"));
        else if (kind == "terminal")
            path = QString::fromLocal8Bit(::ptsname(master));
        else if (kind == "link")
            QVERIFY(QFile::link(channFile(folder.filePath("good.chann"), 1), path));
        QVERIFY(!path.isEmpty());
        const Run run = cli({"show", path});
        QVERIFY2(run.exit == exit, qPrintable(run.err));
        if (exit == 0) {
            QVERIFY(run.out.contains("450.02500"));
            return;
        }
        QCOMPARE(run.err, "mx615-cli: The file " + path + " cannot be read: it is " +
                              (kind == "folder" ? "a folder (directory)"
                               : kind == "pipe" ? "a named pipe"
                                                : "a device (a terminal, a port or the like)") +
                              ", not a regular file.\n");
    }

    // One channel is counted as one: a plan of a single row there and back.
    void csvSummariesOfOneChannel()
    {
        QTemporaryDir folder;
        const QString csv = folder.filePath("one.csv"), plan = folder.filePath("one.chann");
        QVERIFY(test::writeFile(csv, "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                     "DtcsPolarity,Mode,TStep,Skip,Comment\r\n"
                                     "1,,446.006250,,0.000000,,88.5,88.5,023,NN,FM,12.50,,\r\n"));
        Run run = cli({"import-csv", csv, "-o", plan});
        QCOMPARE(run.exit, 0);
        QCOMPARE(run.out, "Stored 1 channel (1) for the MX-615D-UHF in " + plan + "; channels 2-16 left empty.\n");
        run = cli({"export-csv", plan, "-o", folder.filePath("back.csv")});
        QCOMPARE(run.exit, 0);
        QCOMPARE(run.out, "Wrote 1 channel to " + folder.filePath("back.csv") + ".\n");
    }

    // A list without a channel row is no plan: refused, and the plan named
    // as the output keeps what it held.
    void importRefusesAPlanWithoutChannels_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("header only") << QByteArray("Location,Name,Frequency\r\n") << QStringList{};
        QTest::newRow("no frequency, --skip-bad") << QByteArray("Frequency,Name\n,Squelch\n0,Volume\n")
                                                  << QStringList{"--skip-bad"};
    }
    void importRefusesAPlanWithoutChannels()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, options);
        QTemporaryDir folder;
        const QString list = folder.filePath("empty.csv"), plan = channFile(folder.filePath("plan.chann"), 3);
        const QByteArray before = readAll(plan);
        QVERIFY(test::writeFile(list, csv));
        const Run run = cli(QStringList{"import-csv", list, "-o", plan} + options);
        QCOMPARE(run.exit, 3);
        QVERIFY2(run.err.startsWith("mx615-cli: " + list + ": it holds no channels") &&
                     run.err.endsWith("Nothing was written.\n"),
                 qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QCOMPARE(readAll(plan), before);
    }

    // A save never puts a plain file in the place of a pipe.
    void exportOntoAPipeLeavesIt()
    {
        QTemporaryDir folder;
        const QString pipe = folder.filePath("out.csv");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const Run run = cli({"export-csv", channFile(folder.filePath("plan.chann"), 1), "-o", pipe});
        QCOMPARE(run.exit, 3);
        QVERIFY2(run.err.contains("The file " + pipe + " cannot be written: it is a named pipe, not a regular "
                                                      "file; it was left as it is."),
                 qPrintable(run.err));
        struct stat info {};
        QVERIFY(::stat(QFile::encodeName(pipe).constData(), &info) == 0 && S_ISFIFO(info.st_mode));
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(TestCliPty)
#include "tst_cli_pty.moc"
