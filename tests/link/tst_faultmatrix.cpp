// Every misbehaviour the simulated radio offers, crossed with the four
// transfers (clone read, clone write, adjustment read, adjustment write), on
// the virtual clock. Each cell states the outcome the program must give, once
// with the fault spoiling only the first attempt and once with it spoiling
// every attempt, and a read that fails must leave its table as it was.

#include <QTest>

#include "LinkRig.h"
#include "adjust/AdjustPlans.h"
#include "adjust/AdjustTable.h"
#include "link/LinkTexts.h"

using namespace mx615;
using namespace mx615::test;

namespace {

enum class Transfer { Read, Write, AdjustRead, AdjustWrite };
enum class Fault { Silent, WrongIdent, DropReply, TruncateReply, GarbleReply, LongReply, ShiftReply,
                   OmitLaterAck, RefuseFrame, Slow, HangUp };
enum class Outcome {
    Complete,        // done at the first attempt, the data right
    AfterRestart,    // done at the second attempt, the data right
    Fail,            // "Fail connect with transceiver." after four attempts, nothing read changed
    PortLost,        // one message, the transfer stopped, nothing read changed
    Undetected,      // done, with the garbled bytes the radio sent: no checksum can tell
};

const char* const kTransferNames[] = {"read", "write", "adjust read", "adjust write"};
const char* const kFaultNames[] = {"silent", "wrong identification", "reply 2 dropped", "reply 2 short",
                                   "reply 2 garbled (undetectable)", "reply 2 over-long", "reply 2 shifted",
                                   "06 before later replies missing", "frame 3 refused", "slow radio",
                                   "hang-up after 2"};

bool reads(Transfer t)
{
    return t == Transfer::Read || t == Transfer::AdjustRead;
}

// The outcome when the fault spoils the first attempt only.
Outcome once(Transfer t, Fault f)
{
    switch (f) {
    case Fault::Silent:
    case Fault::WrongIdent:
        return Outcome::AfterRestart;
    case Fault::DropReply:
    case Fault::TruncateReply:
    case Fault::ShiftReply:
    case Fault::OmitLaterAck:
        return reads(t) ? Outcome::AfterRestart : Outcome::Complete;
    case Fault::GarbleReply:
        return reads(t) ? Outcome::Undetected : Outcome::Complete;
    case Fault::LongReply:  // in memory the reply arrives whole; its tail is discarded with it
    case Fault::Slow:
        return Outcome::Complete;
    case Fault::RefuseFrame:
        return reads(t) ? Outcome::Complete : Outcome::AfterRestart;
    case Fault::HangUp:
        return Outcome::PortLost;
    }
    return Outcome::Complete;
}

TransferPlan planFor(Transfer t)
{
    switch (t) {
    case Transfer::Read: return ReadPlan();
    case Transfer::Write: return WritePlan();
    case Transfer::AdjustRead: return AdjustReadPlan();
    case Transfer::AdjustWrite: return AdjustWritePlan();
    }
    return ReadPlan();
}

void apply(LinkRig& rig, Fault f, bool always)
{
    sim::Misbehaviour& m = rig.radio.radio.misbehave;
    m.attempts = always ? 0 : 1;
    switch (f) {
    case Fault::Silent: m.silent = true; break;
    case Fault::WrongIdent: m.wrongIdent = true; break;
    case Fault::DropReply: m.dropReply = 2; break;
    case Fault::TruncateReply: m.truncateReply = 2; break;
    case Fault::GarbleReply: m.garbleReply = 2; break;
    case Fault::LongReply: m.longReply = 2; break;
    case Fault::ShiftReply: m.shiftReply = 2; break;
    case Fault::OmitLaterAck: m.omitLaterAck = true; break;
    case Fault::RefuseFrame: m.refuseFrame = 3; break;
    case Fault::Slow: rig.radio.replyDelayMs = 400; break;
    case Fault::HangUp: m.hangUpAfter = 2; break;
    }
}

// Whether the transfer's data arrived where it belongs; garbled inverts the
// bytes of the second read block, as the radio sent them.
bool dataArrived(const LinkRig& rig, Transfer t, bool garbled)
{
    const ProgramState& s = rig.state;
    const sim::Memory& memory = rig.radio.radio.memory;
    auto sent = [&](int address, int block) {
        const uint8_t byte = memory[address];
        return (garbled && block == 2) ? uint8_t(~byte) : byte;
    };
    switch (t) {
    case Transfer::Read:
        for (int a = 0; a < 0x400; ++a)
            if (s.byteAt(a) != sent(a, a / 64 + 1))
                return false;
        return true;
    case Transfer::AdjustRead:
        for (int a = 0; a < 0x80; ++a)
            if ((s.AdjustTable[a / 16][a % 16] & 0xFF) != sent(kAdjustBase + a, a / 64 + 1))
                return false;
        return true;
    case Transfer::Write:
        for (int a = 0; a < 0x310; ++a)
            if (memory[a] != s.byteAt(a))
                return false;
        return true;
    case Transfer::AdjustWrite:
        for (int a = 0; a < 0xB0; ++a)
            if (memory[kAdjustBase + a] != (s.AdjustTable[a / 16][a % 16] & 0xFF))
                return false;
        return true;
    }
    return false;
}

}  // namespace

Q_DECLARE_METATYPE(Transfer)
Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Outcome)

class TestFaultMatrix : public QObject {
    Q_OBJECT
private slots:
    void matrix_data()
    {
        QTest::addColumn<Transfer>("transfer");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("always");
        QTest::addColumn<Outcome>("outcome");
        for (int t = 0; t <= int(Transfer::AdjustWrite); ++t)
            for (int f = 0; f <= int(Fault::HangUp); ++f)
                for (bool always : {false, true}) {
                    Outcome outcome = once(Transfer(t), Fault(f));
                    if (always && outcome == Outcome::AfterRestart)
                        outcome = Outcome::Fail;
                    QTest::addRow("%s, %s, %s", kTransferNames[t], kFaultNames[f], always ? "every attempt" : "once")
                        << Transfer(t) << Fault(f) << always << outcome;
                }
    }
    void matrix()
    {
        QFETCH(Transfer, transfer);
        QFETCH(Fault, fault);
        QFETCH(bool, always);
        QFETCH(Outcome, outcome);
        LinkRig rig(planFor(transfer));
        rig.radio.radio.memory = sim::PatternMemory(0x3C);
        FillStartupImage(rig.state);
        FillAdjustStartup(rig.state);
        // Something recognisable to write, and tables to see unchanged.
        for (int a = 0; a < 0x310; ++a)
            rig.state.setByteAt(a, (a * 5 + 1) & 0xFF);
        const RadioImageTable image = rig.state.RadioImage;
        const AdjustTableCells adjust = rig.state.AdjustTable;
        apply(rig, fault, always);

        rig.link->start();
        rig.clock.advance(30000);
        QVERIFY(!rig.link->transferActive());
        QVERIFY(!rig.link->timersRunning());
        QVERIFY(!rig.comm->isOpen());

        const int attempts = rig.accessCodeOffsets().size();
        switch (outcome) {
        case Outcome::Complete:
        case Outcome::AfterRestart:
        case Outcome::Undetected:
            QCOMPARE(rig.finished, 1);
            QCOMPARE(attempts, outcome == Outcome::AfterRestart ? 2 : 1);
            QVERIFY(dataArrived(rig, transfer, outcome == Outcome::Undetected));
            break;
        case Outcome::Fail:
        case Outcome::PortLost:
            QCOMPARE(rig.finished, 0);
            QCOMPARE(rig.messageTexts(), QStringList{QString::fromStdString(
                                             (outcome == Outcome::Fail ? LinkTexts::FailConnect : LinkTexts::PortLost).en)});
            QCOMPARE(attempts, outcome == Outcome::Fail ? 4 : 1);
            QVERIFY(rig.state.RadioImage == image);
            QVERIFY(rig.state.AdjustTable == adjust);
            break;
        }
    }
};

QTEST_APPLESS_MAIN(TestFaultMatrix)
#include "tst_faultmatrix.moc"
