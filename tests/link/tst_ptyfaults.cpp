// Each misbehaviour of the simulated radio once, in a read and in a write,
// over the program's own serial backend and a pseudo-terminal paced at 9600
// baud: what the virtual-clock matrix checks byte for byte, seen on a real
// line with real timing. The fault spoils the first attempt only.

#include <QTest>

#include "PtyRig.h"

using namespace mx615;
using namespace mx615::test;

namespace {

// What the transfer must end with: the radio's data (at once or after a
// restart), the garbled bytes the radio sent (no checksum can tell), or the
// one message of a line that went away.
enum class Expect { Data, Undetected, PortLost };

}  // namespace

Q_DECLARE_METATYPE(Expect)

class TestPtyFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    // The read's faults in two halves, so that the suite's shares run them
    // side by side: each waits out the radio's timeouts.
    void readFaultsOnConnecting_data()
    {
        columns();
        QTest::newRow("silent") << QStringList{"--silent"} << Expect::Data;
        QTest::newRow("wrong identification") << QStringList{"--wrong-ident"} << Expect::Data;
        QTest::newRow("06 missing") << QStringList{"--omit-ack"} << Expect::Data;
        QTest::newRow("slow radio") << QStringList{"--delay", "300"} << Expect::Data;
        QTest::newRow("hang-up after 3") << QStringList{"--hang-up-after", "3"} << Expect::PortLost;
    }
    void readFaultsOnConnecting() { readFaults(); }

    void readFaultsInAReply_data()
    {
        columns();
        QTest::newRow("reply 3 dropped") << QStringList{"--drop-reply", "3"} << Expect::Data;
        QTest::newRow("reply 3 short") << QStringList{"--truncate-reply", "3"} << Expect::Data;
        QTest::newRow("reply 3 garbled, undetectable") << QStringList{"--garble-reply", "3"} << Expect::Undetected;
        // The tail is discarded with the reply, or shifts the next one and the
        // read restarts: either way the data come out right.
        QTest::newRow("reply 3 over-long") << QStringList{"--long-reply", "3"} << Expect::Data;
        QTest::newRow("reply 3 shifted") << QStringList{"--shift-reply", "3"} << Expect::Data;
    }
    void readFaultsInAReply() { readFaults(); }

    void writeFaults_data()
    {
        columns();
        QTest::newRow("silent") << QStringList{"--silent"} << Expect::Data;
        QTest::newRow("wrong identification") << QStringList{"--wrong-ident"} << Expect::Data;
        QTest::newRow("frame 7 refused") << QStringList{"--refuse-frame", "7"} << Expect::Data;
        QTest::newRow("read faults do not touch a write") << QStringList{"--drop-reply", "1", "--omit-ack"}
                                                          << Expect::Data;
        QTest::newRow("slow radio") << QStringList{"--delay", "100"} << Expect::Data;
        QTest::newRow("hang-up after 5") << QStringList{"--hang-up-after", "5"} << Expect::PortLost;
    }
    void writeFaults()
    {
        QFETCH(QStringList, options);
        QFETCH(Expect, expect);
        const QString image = dir.filePath("write.img");
        QFile::remove(image);
        Simulator sim(QStringList{"--image", image, "--baud", "9600"} + options);
        ProgramState state;
        QVERIFY(useSimulator(sim, state));
        for (int a = 0; a < 0x310; ++a)
            state.setByteAt(a, (a * 11 + 7) & 0xFF);
        Run run(state, timers, WritePlan());
        run.link.start();
        QTRY_VERIFY_WITH_TIMEOUT(!run.r.messages.isEmpty() && !run.link.transferActive(), 20000);
        if (expect == Expect::PortLost) {
            QCOMPARE(run.r.messages, QStringList{"The connection to the transceiver was lost during the transfer."});
            return;
        }
        QCOMPARE(run.r.messages, QStringList{"Complete writing Data to the transceiver."});
        // The simulator keeps what it was sent in its image file.
        const QByteArray saved = savedImage(image);
        QCOMPARE(saved.size(), 1024);
        for (int a = 0; a < 0x310; ++a)
            QCOMPARE(int(uint8_t(saved[a])), state.byteAt(a));
    }

private:
    static void columns()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<Expect>("expect");
    }

    void readFaults()
    {
        QFETCH(QStringList, options);
        QFETCH(Expect, expect);
        const QString image = dir.filePath("read.img");
        QVERIFY(writeFile(image, pattern(3)));
        Simulator sim(QStringList{"--image", image, "--baud", "9600"} + options);
        ProgramState state;
        QVERIFY(useSimulator(sim, state));
        const RadioImageTable before = state.RadioImage;
        Run run(state, timers, ReadPlan());
        run.link.start();
        QTRY_VERIFY_WITH_TIMEOUT(run.r.finished || (!run.r.messages.isEmpty() && !run.link.transferActive()), 20000);
        if (expect == Expect::PortLost) {
            QCOMPARE(run.r.messages, QStringList{"The connection to the transceiver was lost during the transfer."});
            QVERIFY(state.RadioImage == before);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(run.r.finished, 20000);
        QCOMPARE(run.r.messages, QStringList{"Complete reading the data from transceiver."});
        const QByteArray memory = pattern(3);
        for (int a = 0; a < 1024; ++a) {
            const bool garbled = expect == Expect::Undetected && a / 64 == 2;
            QCOMPARE(state.byteAt(a), int(uint8_t(garbled ? ~memory[a] : memory[a])));
        }
    }

    QtTimerFactory timers;
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(TestPtyFaults)
#include "tst_ptyfaults.moc"
