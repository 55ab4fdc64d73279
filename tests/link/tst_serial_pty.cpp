// The program's own serial backend and timers against the simulated radio on
// a pseudo-terminal: a real line, a real event loop.

#include <QTest>
#include <QTimer>

#include "PtyRig.h"
#include "adjust/AdjustPlans.h"
#include "adjust/AdjustTable.h"

using namespace mx615;
using namespace mx615::test;

class TestSerialPty : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void fullRead()
    {
        const QString image = dir.filePath("read.img");
        QVERIFY(writeFile(image, pattern(5)));
        Simulator sim({"--image", image});
        ProgramState state;
        QVERIFY(useSimulator(sim, state));
        Run run(state, timers, ReadPlan());
        auto& [link, r] = run;
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(r.finished, 10000);
        QCOMPARE(r.messages, QStringList{"Complete reading the data from transceiver."});
        const QByteArray expected = pattern(5);
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(state.byteAt(a), int(uint8_t(expected[a])));
        QVERIFY(!link.comm()->isOpen());
    }

    void fullWriteAndReopen()
    {
        const QString image = dir.filePath("write.img");
        QFile::remove(image);
        Simulator sim({"--image", image, "--baud", "9600"});
        ProgramState state;
        QVERIFY(useSimulator(sim, state));
        for (int line = 0; line <= 48; ++line)
            for (int b = 0; b < 16; ++b)
                state.RadioImage[line][b] = int16_t((line * 5 + b * 17) & 0xFF);
        // Twice: the simulator must be found again after the port was closed.
        for (int round = 0; round < 2; ++round) {
            Run run(state, timers, WritePlan());
            auto& [link, r] = run;
            link.start();
            QTRY_VERIFY_WITH_TIMEOUT(r.finished && !r.messages.isEmpty(), 10000);
            QCOMPARE(r.messages, QStringList{"Complete writing Data to the transceiver."});
        }
        // The simulator saves its memory when the end byte arrives.
        const QByteArray saved = savedImage(image);
        QCOMPARE(saved.size(), 1024);
        for (int a = 0; a < 0x310; ++a)
            QCOMPARE(int(uint8_t(saved[a])), state.byteAt(a));
    }

    // The service window's exchange: a write of 0x340..0x3EF at 9600 baud
    // that reaches the simulator's image file, then a read that brings lines
    // 0..7 back and leaves 8..10.
    void adjustmentWriteThenRead()
    {
        const QString image = dir.filePath("adjust.img");
        QVERIFY(writeFile(image, pattern(3)));
        Simulator sim({"--image", image, "--baud", "9600"});
        ProgramState state;
        QVERIFY(useSimulator(sim, state));
        FillAdjustStartup(state);
        for (int line = 0; line < 8; ++line)
            for (int b = 0; b < 16; ++b)
                state.AdjustTable[line][b] = int16_t((line * 31 + b * 7) & 0xFF);
        const AdjustTableCells written = state.AdjustTable;
        {
            Run run(state, timers, AdjustWritePlan());
            run.link.start();
            QTRY_VERIFY_WITH_TIMEOUT(run.r.finished, 10000);
            QCOMPARE(run.r.messages, QStringList{"Complete writing optional parameters to the transceiver."});
        }
        // The simulator saves its memory when the end byte arrives.
        auto saved = [&image] {
            QFile file(image);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QTRY_COMPARE_WITH_TIMEOUT(saved().mid(0x3E0, 8), QByteArray::fromHex("AA040004800000BB"), 3000);
        const QByteArray memory = saved();
        for (int a = 0; a < 16 * kAdjustLines; ++a)
            QCOMPARE(int(uint8_t(memory[kAdjustBase + a])), int(written[a / 16][a % 16]));
        QCOMPARE(memory.left(kAdjustBase), pattern(3).left(kAdjustBase));
        for (auto& line : state.AdjustTable)
            line.fill(0x1234);
        Run run(state, timers, AdjustReadPlan());
        run.link.start();
        QTRY_VERIFY_WITH_TIMEOUT(run.r.finished, 10000);
        QCOMPARE(run.r.messages, QStringList{"Complete reading the data from transceiver."});
        for (int line = 0; line < kAdjustLines; ++line)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(state.AdjustTable[line][b], line < 8 ? written[line][b] : int16_t(0x1234));
    }

    void hangUpMidTransfer()
    {
        Simulator sim({"--baud", "9600"});
        ProgramState state;
        QVERIFY(useSimulator(sim, state));
        const RadioImageTable before = state.RadioImage;
        Run run(state, timers, ReadPlan());
        auto& [link, r] = run;
        // The event loop must keep turning while the port errors out.
        int ticks = 0;
        QTimer heartbeat;
        QObject::connect(&heartbeat, &QTimer::timeout, [&] { ++ticks; });
        heartbeat.start(20);
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(r.progress.size() >= 5, 5000);
        sim.process.kill();  // the pseudo-terminal's master goes away
        QTRY_VERIFY_WITH_TIMEOUT(!r.messages.isEmpty(), 5000);
        const int ticksAtReport = ticks;
        const double cpu = cpuSeconds();
        QTest::qWait(1500);
        // Responsive, and idle: no loop spinning on the dead port.
        QVERIFY(ticks - ticksAtReport >= 30);
        QVERIFY2(cpuSeconds() - cpu < 0.3, qPrintable(QString::number(cpuSeconds() - cpu)));
        QCOMPARE(r.messages, QStringList{"The connection to the transceiver was lost during the transfer."});
        QVERIFY(r.details[0].contains("COM1"));
        QVERIFY(!link.transferActive());
        QVERIFY(!link.comm()->isOpen());
        QVERIFY(state.RadioImage == before);

        // The radio on another port: the next click finds it and reads it.
        Simulator second({});
        QVERIFY(!second.device.isEmpty());
        qputenv("MX615_PORTS", second.device.toLocal8Bit());
        r = {};
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(r.finished, 10000);
        QCOMPARE(r.messages, QStringList{"Complete reading the data from transceiver."});
    }

    void foreignImageFileIsLeftAlone()
    {
        // A file given by mistake (not a 1024-byte image) must survive a
        // write session and the simulator's exit.
        const QString image = dir.filePath("notes.chann");
        const QByteArray notes(" 255  255  0 \r\n");
        QVERIFY(writeFile(image, notes));
        {
            Simulator sim({"--image", image});
            ProgramState state;
            QVERIFY(useSimulator(sim, state));
            Run run(state, timers, WritePlan());
            auto& [link, r] = run;
            link.start();
            QTRY_VERIFY_WITH_TIMEOUT(r.finished && !r.messages.isEmpty(), 10000);
            QTest::qWait(200);
        }
        QFile file(image);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), notes);
        QVERIFY(!QFile::exists(image + ".tmp"));
    }

    void waitingForSilentRadioCostsNoCpu()
    {
        Simulator sim({"--silent", "--attempts", "0"});
        ProgramState state;
        QVERIFY(useSimulator(sim, state));
        Run run(state, timers, ReadPlan());
        auto& [link, r] = run;
        const double cpu = cpuSeconds();
        link.start();
        QTest::qWait(2500);
        QVERIFY2(cpuSeconds() - cpu < 0.25, qPrintable(QString::number(cpuSeconds() - cpu)));
        QVERIFY(r.messages.isEmpty());
        link.shutdown();
    }

private:
    QtTimerFactory timers;
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(TestSerialPty)
#include "tst_serial_pty.moc"
