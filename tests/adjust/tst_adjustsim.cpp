// The adjustment area through the simulated radio: what a write of
// 0x340..0x3EF leaves in its memory comes back from a read of 0x340..0x3FF,
// also when the radio misbehaves in the first session.

#include <QTest>

#include "LinkRig.h"
#include "adjust/AdjustTable.h"

using namespace mx615;
using namespace mx615::test;

namespace {

// The clone engine with the adjustment area's requests and frames.
TransferPlan adjustRead()
{
    TransferPlan plan = ReadPlan();
    plan.BlockCount = kAdjustReadBlocks;
    plan.address = [](int k) { return AdjustReadAddress(k); };
    plan.unpack = [](ProgramState& state) { QVERIFY(UnpackAdjustBlocks(state)); };
    return plan;
}

TransferPlan adjustWrite()
{
    TransferPlan plan = WritePlan();
    plan.BlockCount = kAdjustLastWriteFrame;
    plan.address = [](int n) { return AdjustFrameAddress(n); };
    plan.frameData = [](const ProgramState& state, int n) {
        std::array<int16_t, 16> data{};
        std::copy_n(state.AdjustTable[n].begin(), 16, data.begin());
        return data;
    };
    plan.checkCells = nullptr;
    return plan;
}

}  // namespace

class TestAdjustSim : public QObject {
    Q_OBJECT
private slots:
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

        LinkRig writer(adjustWrite());
        writer.radio.radio.memory = pattern;
        writer.radio.radio.misbehave.refuseFrame = refuseFrame;
        FillAdjustStartup(writer.state);
        for (int line = 0; line < kAdjustLines; ++line)
            for (int b = 0; b < 16; ++b)
                if (line != 10)
                    writer.state.AdjustTable[line][b] = int16_t((line * 37 + b * 11 + 1) & 0xFF);
        writer.link->start();
        QVERIFY(writer.clock.runUntil([&] { return writer.finished > 0; }, 20000));
        QVERIFY(writer.messages.size() == 1);

        const sim::Memory& memory = writer.radio.radio.memory;
        for (int a = 0; a < sim::kMemorySize; ++a) {
            const int line = (a - kAdjustBase) / 16;
            const bool adjust = a >= kAdjustBase && line < kAdjustLines;
            QCOMPARE(int(memory[a]), adjust ? int(writer.state.AdjustTable[line][a % 16]) : int(pattern[a]));
        }
        // The last frame carries the end marker.
        QCOMPARE(int(memory[0x3E0]), 0xAA);
        QCOMPARE(int(memory[0x3E7]), 0xBB);

        LinkRig reader(adjustRead());
        reader.radio.radio.memory = memory;
        reader.radio.radio.misbehave.dropReply = dropReply;
        for (auto& line : reader.state.AdjustTable)
            line.fill(0x1234);
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
