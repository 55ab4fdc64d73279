// The adjustment exchange on the virtual clock against the simulated radio:
// the exact bytes on the line, what a read changes in AdjustTable and what it
// leaves, and reads that must not change the table at all.

#include <QRegularExpression>
#include <QTest>

#include "LinkRig.h"
#include "adjust/AdjustPlans.h"
#include "link/ClonePlans.h"
#include "adjust/AdjustTable.h"
#include "link/LinkTexts.h"

using namespace mx615;
using namespace mx615::test;

namespace {

using Bytes = std::vector<uint8_t>;

// The table with every used cell a different byte, the end marker kept.
void varyTable(ProgramState& state)
{
    FillAdjustStartup(state);
    for (int line = 0; line < 10; ++line)
        for (int b = 0; b < 16; ++b)
            state.AdjustTable[line][b] = int16_t((line * 37 + b * 11 + 1) & 0xFF);
}

void markTable(ProgramState& state)
{
    for (auto& line : state.AdjustTable)
        line.fill(0x1234);
}

Bytes tableFrame(const ProgramState& state, int n)
{
    const int address = AdjustFrameAddress(n);
    Bytes frame{0x57, uint8_t(address >> 8), uint8_t(address & 0xFF), 0x10};
    for (int b = 0; b < 16; ++b)
        frame.push_back(uint8_t(state.AdjustTable[n][b]));
    return frame;
}

}  // namespace

class TestAdjustSim : public QObject {
    Q_OBJECT
private slots:
    void writeSendsTheElevenLines()
    {
        LinkRig rig(AdjustWritePlan());
        FillAdjustStartup(rig.state);
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 5000));

        Bytes expected = accessCodeBytes() + Bytes{0x06};
        for (int n = 0; n <= 10; ++n)
            expected = expected + tableFrame(rig.state, n);
        expected.push_back(0x45);
        QVERIFY(rig.comm->written() == expected);
        const Bytes last(expected.end() - 17, expected.end() - 1);
        QVERIFY(last == (Bytes{0xAA, 0x04, 0x00, 0x04, 0x80, 0x00, 0x00, 0xBB} + Bytes(8, 0)));

        QCOMPARE(rig.progress, (QList<int>{0, 18, 27, 36, 45, 54, 63, 72, 81, 90, 100, 100}));
        QCOMPARE(rig.labels.mid(1, 2), (QStringList{"Writing  2  Data Block", "Writing  3  Data Block"}));
        QCOMPARE(rig.labels.last(), QString("Complete writing optional parameters "));
        QCOMPARE(rig.messageTexts(), QStringList{"Complete writing optional parameters to the transceiver."});
        QCOMPARE(QString::fromStdString(rig.messages[0].title.en), QString("Operate Prompt"));
        // The label follows the box; the window is not asked to close.
        QVERIFY(rig.log.indexOf("label Complete writing optional parameters ") > rig.log.indexOf(QRegularExpression("^message")));
        rig.clock.advance(2000);
        QCOMPARE(rig.closeRequests, 0);
        QVERIFY(!rig.link->transferDone());
    }

    void readReplacesLinesZeroToSeven()
    {
        LinkRig rig(AdjustReadPlan());
        rig.radio.radio.memory = sim::PatternMemory(0x5D);
        markTable(rig.state);
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 5000));

        const Bytes requests = rig.comm->written();
        const Bytes expected = accessCodeBytes() + Bytes{0x06, 0x52, 0x03, 0x40, 0x40, 0x06, 0x52, 0x03, 0x80, 0x40,
                                                         0x06, 0x52, 0x03, 0xC0, 0x40, 0x06, 0x45};
        QVERIFY(requests == expected);
        for (int line = 0; line < 17; ++line)
            for (int b = 0; b < 17; ++b)
                QCOMPARE(int(rig.state.AdjustTable[line][b]),
                         line < 8 && b < 16 ? int(rig.radio.radio.memory[kAdjustBase + line * 16 + b]) : 0x1234);
        QCOMPARE(rig.progress, (QList<int>{0, 50, 75, 100}));
        QCOMPARE(rig.labels, (QStringList{"Connecting with transceiver. ", "Reading 2 Data Block", "Reading 3 Data Block",
                                          "Read optional parameters in gear. "}));
        QCOMPARE(rig.messageTexts(), QStringList{"Complete reading the data from transceiver."});
        QCOMPARE(QString::fromStdString(rig.messages[0].title.en), QString("Operate Prompt"));
    }

    // A reply that cannot be placed is never taken: the read runs out of
    // attempts and the table keeps every cell.
    void badRepliesLeaveTheTable_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<bool>("shift");
        QTest::newRow("stray bytes ahead of reply 1") << 1 << true;
        QTest::newRow("stray bytes ahead of reply 3") << 3 << true;
        QTest::newRow("reply 2 short") << 2 << false;
    }
    void badRepliesLeaveTheTable()
    {
        QFETCH(int, request);
        QFETCH(bool, shift);
        LinkRig rig(AdjustReadPlan());
        auto& misbehave = rig.radio.radio.misbehave;
        misbehave.attempts = 0;
        (shift ? misbehave.shiftReply : misbehave.truncateReply) = request;
        markTable(rig.state);
        const AdjustTableCells before = rig.state.AdjustTable;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return !rig.messages.isEmpty(); }, 20000));
        QCOMPARE(rig.messageTexts(), QStringList{"Fail connect with transceiver."});
        QCOMPARE(rig.radio.radio.identifications, 4);
        QVERIFY(rig.state.AdjustTable == before);
        QCOMPARE(rig.finished, 0);
    }

    // LinkBuffer is shared: replies overwritten before the end (by a transfer
    // on another port) are not unpacked, whichever read stored them.
    void overwrittenRepliesFailTheRead_data()
    {
        QTest::addColumn<bool>("adjust");
        QTest::addColumn<int>("lastProgress");
        QTest::newRow("adjustment read") << true << 75;
        QTest::newRow("clone read") << false << 94;
    }
    void overwrittenRepliesFailTheRead()
    {
        QFETCH(bool, adjust);
        QFETCH(int, lastProgress);
        LinkRig rig(adjust ? AdjustReadPlan() : ReadPlan());
        rig.radio.radio.memory = sim::PatternMemory(0x21);
        markTable(rig.state);
        rig.markImage();
        const ProgramState before = rig.state;
        const auto shown = rig.link->events.progress;
        rig.link->events.progress = [&](int value) {
            shown(value);
            if (value == lastProgress)
                rig.state.LinkBuffer[1].fill(0);
        };
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return !rig.messages.isEmpty(); }, 5000));
        QCOMPARE(rig.messageTexts(), QStringList{QString::fromStdString(LinkTexts::ReadUnusable.en)});
        QCOMPARE(rig.labels.last(), QString("Communication fault."));
        QVERIFY(rig.state.AdjustTable == before.AdjustTable);
        QVERIFY(rig.state.RadioImage == before.RadioImage);
        QVERIFY(!rig.comm->isOpen());
    }

    void writeThenReadRoundTrips_data()
    {
        QTest::addColumn<int>("dropReply");
        QTest::addColumn<int>("refuseFrame");
        QTest::newRow("well-behaved radio") << 0 << -1;
        QTest::newRow("second read reply dropped once") << 2 << -1;
        QTest::newRow("frame 5 refused once") << 0 << 5;
    }
    void writeThenReadRoundTrips()
    {
        QFETCH(int, dropReply);
        QFETCH(int, refuseFrame);
        const sim::Memory pattern = sim::PatternMemory(0x5D);

        LinkRig writer(AdjustWritePlan());
        writer.radio.radio.memory = pattern;
        writer.radio.radio.misbehave.refuseFrame = refuseFrame;
        varyTable(writer.state);
        writer.link->start();
        QVERIFY(writer.clock.runUntil([&] { return writer.finished > 0; }, 20000));
        QVERIFY(writer.messages.size() == 1);

        const sim::Memory& memory = writer.radio.radio.memory;
        for (int a = 0; a < sim::kMemorySize; ++a) {
            const int line = (a - kAdjustBase) / 16;
            const bool adjust = a >= kAdjustBase && line < kAdjustLines;
            QCOMPARE(int(memory[a]), adjust ? int(writer.state.AdjustTable[line][a % 16]) : int(pattern[a]));
        }

        LinkRig reader(AdjustReadPlan());
        reader.radio.radio.memory = memory;
        reader.radio.radio.misbehave.dropReply = dropReply;
        markTable(reader.state);
        reader.link->start();
        QVERIFY(reader.clock.runUntil([&] { return reader.finished > 0; }, 20000));
        QCOMPARE(reader.radio.radio.identifications, dropReply ? 2 : 1);
        for (int line = 0; line < kAdjustLines; ++line)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(int(reader.state.AdjustTable[line][b]),
                         line < 8 ? int(writer.state.AdjustTable[line][b]) : 0x1234);
    }
};

QTEST_GUILESS_MAIN(TestAdjustSim)
#include "tst_adjustsim.moc"
