// What mx615-cli says when a transfer fails, and what it refuses before a
// radio is touched: the built tool against simulated radios that misbehave,
// judged by its words, its log and the radios' memory afterwards.

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "cli/CliRun.h"
#include "files/ImageFile.h"
#include "link/PtyRig.h"

using namespace mx615;
using test::cli;
using test::readAll;
using Run = test::CliResult;

class TestCliFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        plan = test::channFile(dir.filePath("plan.chann"), 50);
        QVERIFY(!plan.isEmpty());
    }

    // Each failure tells its phase and what the radio now holds, on the
    // console and in the log row alike: first the failures that left the
    // radio as it was, then those after the write had begun. (Two functions,
    // so that the suite's shares run them side by side: each row waits out
    // the radio's timeouts.)
    void failureLeavesTheRadioAsItWas_data()
    {
        columns();
        const QStringList always{"--attempts", "0"};
        QTest::newRow("no answer") << QStringList{"--silent"} + always << "write"
                                   << "Fail connect with transceiver. No answer at all; nothing was changed.";
        QTest::newRow("another device") << QStringList{"--wrong-ident"} + always << "write"
                                        << "Another device answered on PORT: its reply is no MX-615 identification; "
                                           "nothing was changed.";
        QTest::newRow("read, acknowledgement left out") << QStringList{"--omit-ack"} + always << "read"
                                                        << "The read broke off after block 1 of 16 (a reply that was "
                                                           "missing, short, long or out of step); nothing was changed.";
    }
    void failureLeavesTheRadioAsItWas() { failureTellsWhatTheRadioHolds(false); }

    void failureAfterTheWriteBegan_data()
    {
        columns();
        const QStringList always{"--attempts", "0"};
        QTest::newRow("frame refused") << QStringList{"--refuse-frame", "10"} + always << "write"
                                       << "The write broke off after frame 10 of 49: the radio is partly written.";
        QTest::newRow("read back cut short") << QStringList{"--truncate-reply", "3"} + always << "write"
                                             << "Written, but the read back broke off after block 2 of 16 (a reply "
                                                "that was missing, short, long or out of step): the radio is not "
                                                "verified.";
        QTest::newRow("cable pulled") << QStringList{"--hang-up-after", "20"} << "write"
                                      << "The cable went away during the write, after frame 20 of 49: the radio is "
                                         "partly written.";
    }
    void failureAfterTheWriteBegan() { failureTellsWhatTheRadioHolds(true); }

    // The tool's own words for a port that will not open, in the log too.
    void portErrorInPlainWords()
    {
        const QString log = dir.filePath("port.csv");
        const Run run = cli({"write", "--port", "/dev/mx615-none", "--log", log, plan});
        QCOMPARE(run.exit, 1);
        const QString said = "/dev/mx615-none: The port /dev/mx615-none could not be opened. Nothing was sent to "
                             "the radio; it holds what it held.";
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QVERIFY(!run.err.contains("Communication port is error"));
        QVERIFY(!readAll(log).contains("Communication port is error"));
        QVERIFY(readAll(log).contains("could not be opened"));
    }

    // No checksum guards a reply: a reply garbled once is caught by reading
    // twice, and nothing is saved.
    void readCheckRefusesTwoReadsThatDiffer_data()
    {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<int>("exit");
        QTest::newRow("garbled once") << QStringList{"--garble-reply", "8", "--attempts", "1"} << 1;
        QTest::newRow("clean line") << QStringList{} << 0;
    }
    void readCheckRefusesTwoReadsThatDiffer()
    {
        QFETCH(QStringList, radio);
        QFETCH(int, exit);
        test::Simulator sim(radio);
        QVERIFY(!sim.device.isEmpty());
        const QString out = dir.filePath(QString("checked-%1.img").arg(exit));
        const Run run = cli({"read", "--check", "--port", sim.device, "-o", out});
        QCOMPARE(run.exit, exit);
        QCOMPARE(QFileInfo::exists(out), exit == 0);
        if (exit) {
            QVERIFY2(run.err.contains("the two reads differ at 64 addresses"), qPrintable(run.err));
            QVERIFY(run.err.contains("address 0x1C0"));
        } else {
            QVERIFY2(run.out.contains("Read twice, the same both times."), qPrintable(run.out));
        }
    }

    // Refusals that come before the first byte goes to a radio: the radio
    // sees no session at all.
    void refusedBeforeTheRadio_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("said");
        QTest::newRow("output is a folder") << QStringList{"read", "-o", "DIR/folder.img"} << 3 << "it is a folder";
        QTest::newRow("folder not writable") << QStringList{"read", "-o", "/proc/radio.img"} << 3
                                             << "the folder /proc cannot be written";
        QTest::newRow("log is a plan") << QStringList{"read", "-o", "DIR/r.img", "--log", "PLAN"} << 2
                                       << "is not a log of mx615-cli";
        QTest::newRow("log is a channel list") << QStringList{"write", "--log", "DIR/list.csv", "PLAN"} << 2
                                               << "is not a log of mx615-cli";
    }
    void refusedBeforeTheRadio()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, said);
        QVERIFY(QDir(dir.path()).mkpath("folder.img"));
        QVERIFY(test::writeFile(dir.filePath("list.csv"), "Location,Frequency\r\n1,446.1\r\n"));
        const QByteArray planBytes = readAll(plan), listBytes = readAll(dir.filePath("list.csv"));
        test::Simulator sim({}, false);
        QVERIFY(!sim.device.isEmpty());
        arguments.replaceInStrings("DIR", dir.path()).replaceInStrings("PLAN", plan);
        const Run run = cli(arguments + QStringList{"--port", sim.device});
        QCOMPARE(run.exit, exit);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(readAll(plan), planBytes);
        QCOMPARE(readAll(dir.filePath("list.csv")), listBytes);
        QTest::qWait(200);
        QVERIFY(!QString::fromUtf8(sim.process.readAllStandardError()).contains("session"));
    }

    // A CSV written without --base goes over what the radio holds: every byte
    // but the channels' stays the radio's own; verify compares the channels.
    void csvKeepsTheRadiosSettings()
    {
        const QString image = dir.filePath("customer.img"), csv = dir.filePath("edited.csv");
        QVERIFY(test::writeFile(image, test::pattern(7)));
        QVERIFY(test::writeFile(csv, "Location,Frequency,Mode\n1,446.00625,FM\n2,446.01875,NFM\n"));
        test::Simulator sim({"--image", image});
        QVERIFY(!sim.device.isEmpty());
        Run run = cli({"write", "--port", sim.device, csv});
        QVERIFY2(run.exit == 0, qPrintable(run.out + run.err));
        QVERIFY2(run.out.contains(sim.device + ": channels 1-2 from " + csv + "; the radio's own settings kept."),
                 qPrintable(run.out));
        QTRY_VERIFY_WITH_TIMEOUT(readAll(image) != test::pattern(7), 3000);
        const QByteArray after = readAll(image), before = test::pattern(7);
        for (int a = 0; a < kImageFileBytes; ++a) {
            const bool channel = (a >= 0x010 && a < 0x110) || a == 0x17E || a == 0x17F;
            if (!channel)
                QVERIFY2(after[a] == before[a], qPrintable(QString::number(a, 16)));
        }
        run = cli({"verify", "--port", sim.device, csv});
        QVERIFY2(run.exit == 0, qPrintable(run.out + run.err));
        QVERIFY(run.out.contains("channels 1-2 of " + csv + " compared"));

        // A plan that differs is named as diff names it, then by address.
        run = cli({"verify", "--port", sim.device, plan});
        QCOMPARE(run.exit, 4);
        QVERIFY2(run.out.contains("  Channel 1 RX Frequency: "), qPrintable(run.out));
        QVERIFY(run.out.contains(" addresses:\n    address 0x0"));
    }

    // show and print of a CSV without --base: the channels, and the word that
    // the settings are the radio's; no start-up settings as the plan's.
    void csvWithoutBaseShowsChannelsOnly()
    {
        const QString csv = dir.filePath("sheet.csv");
        QVERIFY(test::writeFile(csv, "Location,Frequency\n1,446.00625\n"));
        Run run = cli({"show", csv});
        QCOMPARE(run.exit, 0);
        QVERIFY(run.out.contains("Other settings: each radio's own"));
        QVERIFY(!run.out.contains("Fingerprint"));
        run = cli({"show", csv, "--base", plan});
        QVERIFY(run.out.contains("Fingerprint") && !run.out.contains("each radio's own"));
        const QString html = dir.filePath("sheet.html");
        run = cli({"print", csv, "-o", html});
        QCOMPARE(run.exit, 0);
        QVERIFY(readAll(html).contains("each radio&#39;s own") || readAll(html).contains("each radio's own"));
    }

private:
    static void columns()
    {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("said");
    }

    void failureTellsWhatTheRadioHolds(bool changed)
    {
        QFETCH(QStringList, radio);
        QFETCH(QString, command);
        QFETCH(QString, said);
        const QString tag = QString(QTest::currentDataTag()).replace(' ', '-').remove(',');
        const QString image = dir.filePath(tag + ".img"), log = dir.filePath(tag + ".csv");
        QVERIFY(test::writeFile(image, test::pattern(4)));
        auto sim = std::make_unique<test::Simulator>(QStringList{"--image", image} + radio);
        const QString device = sim->device;
        QVERIFY(!device.isEmpty());
        QStringList arguments{command, "--port", device, "--log", log};
        arguments << (command == "read" ? QStringList{"-o", dir.filePath(tag + "-read.img")} : QStringList{plan});
        const Run run = cli(arguments);
        QCOMPARE(run.exit, 1);
        said.replace("PORT", device);
        QVERIFY2(run.err.contains(device + ": " + said), qPrintable(run.err));
        QVERIFY2(!run.err.contains("did not answer") || tag == "no-answer", qPrintable(run.err));
        const QString row = QString::fromUtf8(readAll(log)).split("\r\n", Qt::SkipEmptyParts).value(1);
        QVERIFY2(row.contains(",failed,,") && row.contains(said.left(40)), qPrintable(row));
        sim.reset();   // it keeps its memory in the image when it ends
        QCOMPARE(readAll(image).size(), kImageFileBytes);
        QCOMPARE(readAll(image) != test::pattern(4), changed);
    }

    QTemporaryDir dir;
    QString plan;
};

QTEST_GUILESS_MAIN(TestCliFaults)
#include "tst_cli_faults.moc"
