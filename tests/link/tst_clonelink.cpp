// The clone engine's complete transfers and handshake, on the virtual clock
// against the simulated radio.

#include <QTest>

#include "LinkRig.h"
#include "link/LinkTexts.h"

using namespace mx615;
using namespace mx615::test;

Q_DECLARE_METATYPE(std::vector<uint8_t>)

namespace {

// A device that answers the access code with a fixed reply and then the
// handshake's 06, and nothing else.
class FixedIdentDevice : public MemoryDevice {
public:
    explicit FixedIdentDevice(std::vector<uint8_t> reply) : reply_(std::move(reply)) {}
    void receiveFromHost(uint8_t byte) override
    {
        if (++count_ == 8)
            sendToHost(reply_);
        if (count_ == 9 && byte == kAck)
            sendToHost({kAck});
    }
    void hostOpened() override { count_ = 0; }
    std::vector<uint8_t> reply_;
    int count_ = 0;
};

std::vector<uint8_t> expectedReadWire()
{
    std::vector<uint8_t> wire = accessCodeBytes() + std::vector<uint8_t>{kAck};
    for (int k = 0; k < 16; ++k) {
        const int a = k * 64;
        wire = wire + std::vector<uint8_t>{0x52, uint8_t(a >> 8), uint8_t(a & 0xFF), 0x40, kAck};
    }
    return wire + std::vector<uint8_t>{kEndByte};
}

}  // namespace

class TestCloneLink : public QObject {
    Q_OBJECT
private slots:
    void completeReadFillsOnlyRadioCells()
    {
        LinkRig rig(ReadPlan());
        rig.radio.radio.memory = sim::PatternMemory(0x3C);
        rig.markImage();
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 5000));

        for (int line = 0; line < kImageLines; ++line)
            for (int b = 0; b < kImageLineCells; ++b) {
                const int expected = (line < 64 && b < 16) ? rig.radio.radio.memory[line * 16 + b] : 0x1234;
                QCOMPARE(int(rig.state.RadioImage[line][b]), expected);
            }
        QVERIFY(rig.link->transferDone());
        QVERIFY(!rig.link->transferActive());
        QVERIFY(!rig.hub.isOpen(2));
        QCOMPARE(rig.radio.radio.endBytes, 1);
        // LinkBuffer keeps each raw reply: the radio's 06 from the second on.
        QCOMPARE(int(rig.state.LinkBuffer[1][1]), 0x58);
        QCOMPARE(int(rig.state.LinkBuffer[2][0]), int(kAck));
        QCOMPARE(int(rig.state.LinkBuffer[16][3]), 0xC0);
    }

    void readWireProgressAndLabels()
    {
        LinkRig rig(ReadPlan());
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 5000));
        QCOMPARE(rig.comm->written(), expectedReadWire());

        QList<int> progress{0};
        QStringList labels{"Connecting with transceiver. "};
        for (int k = 2; k <= 16; ++k) {
            progress << int(k / 17.0 * 100);
            labels << QString("Reading %1 Data Block").arg(k);
        }
        progress << 100;
        labels << "Read Data in gear. ";
        QCOMPARE(rig.progress, progress);
        QCOMPARE(rig.progress.mid(1, 3), (QList<int>{11, 17, 23}));
        QCOMPARE(rig.labels, labels);
        QCOMPARE(rig.messageTexts(), QStringList{"Complete reading the data from transceiver."});
        QCOMPARE(QString::fromStdString(rig.messages[0].title.en), QString("Operate Prompt"));
        // The dialog may close only after the message box was closed.
        QCOMPARE(rig.log.mid(rig.log.size() - 2),
                 (QStringList{"message Complete reading the data from transceiver.", "finished"}));
    }

    void firstRequestLeavesWhileConnecting()
    {
        LinkRig rig(ReadPlan());
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.link->linkState() == LinkStep::FirstReply; }, 1000));
        QCOMPARE(rig.labels, QStringList{"Connecting with transceiver. "});
        QCOMPARE(rig.radio.radio.readRequests, 0);  // queued, leaves 15 ms later
        rig.clock.advance(15);  // the reply arrives at once and request 2 is queued
        QCOMPARE(rig.radio.radio.readRequests, 1);
        QCOMPARE(rig.labels, (QStringList{"Connecting with transceiver. ", "Reading 2 Data Block"}));
    }

    void completeWriteSendsLinesZeroTo48()
    {
        LinkRig rig(WritePlan());
        FillStartupImage(rig.state);
        for (int line = 0; line < kImageLines; ++line)
            for (int b = 0; b < 16; ++b)
                rig.state.RadioImage[line][b] = int16_t((line * 31 + b * 3) & 0xFF);
        rig.state.RadioImage[49][0] = 999;  // never sent, so never checked
        const sim::Memory before = sim::PatternMemory(0x77);
        rig.radio.radio.memory = before;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0 && rig.messages.size() == 1; }, 5000));

        std::vector<int> addresses;
        for (int n = 0; n <= 48; ++n)
            addresses.push_back(n * 16);
        QCOMPARE(rig.radio.radio.frameAddresses, addresses);
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(int(rig.radio.radio.memory[a]), a < 0x310 ? rig.state.byteAt(a) : int(before[a]));

        std::vector<uint8_t> wire = accessCodeBytes() + std::vector<uint8_t>{kAck};
        for (int n = 0; n <= 48; ++n) {
            wire = wire + std::vector<uint8_t>{0x57, uint8_t((n * 16) >> 8), uint8_t((n * 16) & 0xFF), 0x10};
            for (int b = 0; b < 16; ++b)
                wire.push_back(uint8_t(rig.state.RadioImage[n][b]));
        }
        wire.push_back(kEndByte);
        QCOMPARE(rig.comm->written(), wire);
        QVERIFY(!rig.hub.isOpen(2));
    }

    void writeProgressAndLabels()
    {
        LinkRig rig(WritePlan());
        FillStartupImage(rig.state);
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.messages.size() == 1; }, 5000));
        QList<int> progress{0};
        QStringList labels{"Connecting with transceiver. "};
        for (int n = 1; n <= 48; ++n) {
            progress << int(n / 48.0 * 100);
            labels << QString("Writing  %1  Data Block").arg(n - 1);
        }
        labels << "Complete writing Data ";
        QCOMPARE(rig.progress, progress);
        QCOMPARE(rig.progress.mid(1, 2), (QList<int>{2, 4}));
        QCOMPARE(rig.progress.last(), 100);
        QCOMPARE(rig.labels, labels);
        // The write sets TransferDone before its message, the label after it.
        QCOMPARE(rig.log.mid(rig.log.size() - 3),
                 (QStringList{"finished", "message Complete writing Data to the transceiver.",
                              "label Complete writing Data "}));
        QCOMPARE(QString::fromStdString(rig.messages[0].title.en), QString("Operate Prompt"));
    }

    void writeTakesEachFrameWhenQueued()
    {
        // A change made while the write runs reaches the radio if its line
        // has not yet been queued.
        LinkRig rig(WritePlan());
        FillStartupImage(rig.state);
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.radio.radio.framesTaken == 10; }, 5000));
        rig.state.RadioImage[2][0] = 0x42;   // already sent
        rig.state.RadioImage[40][0] = 0x43;  // still to come
        const int sentLine2 = rig.radio.radio.memory[0x20];
        QVERIFY(rig.clock.runUntil([&] { return rig.messages.size() == 1; }, 5000));
        QCOMPARE(int(rig.radio.radio.memory[0x20]), sentLine2);
        QCOMPARE(int(rig.radio.radio.memory[0x280]), 0x43);
    }

    void identificationReply_data()
    {
        QTest::addColumn<std::vector<uint8_t>>("reply");
        QTest::addColumn<bool>("links");
        using V = std::vector<uint8_t>;
        QTest::newRow("AA 00.. BB links") << V{0xAA, 0, 0, 0, 0, 0, 0, 0xBB} << true;
        QTest::newRow("middle bytes not read") << V{0xAA, 0xFF, 0x12, 0xBB, 0xAA, 0, 6, 0xBB} << true;
        QTest::newRow("AB first byte") << V{0xAB, 0, 0, 0, 0, 0, 0, 0xBB} << false;
        QTest::newRow("BC last byte") << V{0xAA, 0, 0, 0, 0, 0, 0, 0xBC} << false;
        QTest::newRow("seven bytes only") << V{0xAA, 0, 0, 0, 0, 0, 0xBB} << false;
        // The radio's late 06 to the previous transfer, ahead of the reply.
        QTest::newRow("06 ahead of AA .. BB links") << V{kAck, 0xAA, 0, 0, 0, 0, 0, 0, 0xBB} << true;
        QTest::newRow("06 ahead of AB .. BB") << V{kAck, 0xAB, 0, 0, 0, 0, 0, 0, 0xBB} << false;
    }
    void identificationReply()
    {
        QFETCH(std::vector<uint8_t>, reply);
        QFETCH(bool, links);
        FixedIdentDevice device(reply);  // outlives the engine that talks to it
        LinkRig rig(ReadPlan(), 3);
        rig.hub.addPort(3, &device);
        rig.link->start();
        rig.clock.advance(100);
        QCOMPARE(rig.link->linkedUp(), links);
        if (links) {
            QCOMPARE(rig.link->linkState(), LinkStep::FirstReply);  // the first read request is queued
            return;
        }
        QCOMPARE(rig.accessCodeOffsets().size(), 1);
        QVERIFY(rig.clock.runUntil([&] { return rig.accessCodeOffsets().size() == 2; }, 3000));
        // 15 ms pacing, 1000 ms reply timeout, 1000 ms restart delay, 15 ms pacing.
        QCOMPARE(rig.clock.now(), 2030);
    }

    // The command-line tool starts the next transfer on the port as soon as
    // one ends. The radio answers the read's last 06 after the end byte: at
    // once (the port still open), or late, when the next transfer has opened
    // the port, before its access code leaves or while it waits for the
    // identification. The next transfer links at its first identification.
    void transfersBackToBack_data()
    {
        QTest::addColumn<int>("answerMs");
        QTest::addColumn<bool>("write");
        QTest::newRow("backup, write; 06 at once") << 0 << true;
        QTest::newRow("backup, write; 06 before the access code") << 5 << true;
        QTest::newRow("backup, write; 06 ahead of the reply") << 40 << true;
        QTest::newRow("read, read; 06 ahead of the reply") << 40 << false;
    }
    void transfersBackToBack()
    {
        QFETCH(int, answerMs);
        QFETCH(bool, write);
        LinkRig rig(ReadPlan());
        rig.radio.radio.finalAckAnswerMs = answerMs;
        rig.radio.radio.memory = sim::PatternMemory(0x29);
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 5000));

        ProgramState next;
        FillStartupImage(next);
        next.CommPort = 2;
        CloneLink second(next, rig.clock, std::make_unique<MemoryCommControl>(rig.hub, rig.clock),
                         write ? WritePlan() : ReadPlan());
        QStringList messages;
        second.events.message = [&](const LinkMessage& m) { messages << QString::fromStdString(m.text.en); };
        second.start();
        QVERIFY(rig.clock.runUntil([&] { return !messages.isEmpty(); }, 10000));
        QCOMPARE(messages, QStringList{write ? "Complete writing Data to the transceiver."
                                             : "Complete reading the data from transceiver."});
        QCOMPARE(rig.radio.radio.identifications, 2);
        for (int a = 0; a < (write ? 0x310 : 1024); ++a)
            QCOMPARE(int(rig.radio.radio.memory[a]), next.byteAt(a));
    }

    void badCellRefusesBeforeSending_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("address");
        QTest::newRow("256 in a channel") << 20 << 3 << 256 << "0x143";
        QTest::newRow("negative at the last sent cell") << 48 << 15 << -1 << "0x30F";
        QTest::newRow("first cell") << 0 << 0 << 1000 << "0x000";
    }
    void badCellRefusesBeforeSending()
    {
        QFETCH(int, line);
        QFETCH(int, byte);
        QFETCH(int, value);
        QFETCH(QString, address);
        LinkRig rig(WritePlan());
        FillStartupImage(rig.state);
        rig.state.RadioImage[line][byte] = int16_t(value);
        rig.link->start();
        rig.clock.advance(5000);
        QCOMPARE(rig.messages.size(), 1);
        const QString text = QString::fromStdString(rig.messages[0].text.en);
        QVERIFY2(text.contains(address) && text.contains(QString::number(value)), qPrintable(text));
        QCOMPARE(rig.hub.openCount(2), 0);
        QVERIFY(rig.comm->written().empty());
        QVERIFY(!rig.link->transferActive());
        QVERIFY(rig.labels.isEmpty());
    }

    void cellChangedMidWriteStopsBeforeIt()
    {
        LinkRig rig(WritePlan());
        FillStartupImage(rig.state);
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.radio.radio.framesTaken == 5; }, 5000));
        rig.state.RadioImage[30][7] = 300;
        rig.clock.advance(10000);
        QCOMPARE(rig.radio.radio.framesTaken, 30);
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY(QString::fromStdString(rig.messages[0].text.en).contains("0x1E7"));
        QCOMPARE(rig.labels.last(), QString("Communication fault."));
        QVERIFY(!rig.hub.isOpen(2));
        QCOMPARE(rig.accessCodeOffsets().size(), 1);  // no restart either
    }

    void accessCodeIsEightFixedBytes()
    {
        const auto code = AccessCode();
        QCOMPARE(code, AccessCode());
        // None of them may look like a protocol byte to a radio in the middle
        // of a session.
        for (uint8_t b : code)
            QVERIFY(b != kAck && b != kEndByte && b != kReadCommand && b != kWriteCommand && b != 0xAA);
    }
};

QTEST_GUILESS_MAIN(TestCloneLink)
#include "tst_clonelink.moc"
