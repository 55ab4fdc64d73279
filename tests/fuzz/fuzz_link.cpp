// The clone engine's receive path: a simulated radio answers a transfer while
// the input decides what else happens on the line and the clock (stray bytes
// from the radio side, time passing, the radio misbehaving, the start button
// pressed again, memory or image cells changing). Whatever happens:
// - no frame ever holds a cell that is not a byte;
// - once everything has run out, the transfer is over, Timer1 to Timer3 are
//   stopped and the port is closed;
// - a read that did not complete left the tables exactly as they were.

#include <memory>
#include <vector>

#include "FuzzCheck.h"
#include "MemoryRadio.h"
#include "adjust/AdjustPlans.h"
#include "adjust/AdjustTable.h"
#include "link/CloneLink.h"
#include "link/ClonePlans.h"
#include "link/MemoryCommControl.h"
#include "model/RadioDefaults.h"
#include "support/VirtualClock.h"

using namespace mx615;

namespace {

struct PlanCase {
    TransferPlan (*make)();
    bool reads;
};

const PlanCase kPlans[] = {
    {ReadPlan, true},
    {WritePlan, false},
    {AdjustReadPlan, true},
    {AdjustWritePlan, false},
};

bool framesHoldBytes(const CloneLink& link)
{
    for (const int16_t cell : link.frame())
        if (cell < 0 || cell > 255)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const PlanCase& plan = kPlans[data[0] % (sizeof kPlans / sizeof kPlans[0])];
    test::VirtualClock clock;
    MemoryPortHub hub;
    sim::MemoryRadio radio{hub, 2, clock};
    radio.radio.memory = sim::PatternMemory(data[0]);
    ProgramState state;
    FillStartupImage(state);
    FillAdjustStartup(state);
    state.CommPort = 2;
    auto control = std::make_unique<MemoryCommControl>(hub, clock);
    const MemoryCommControl* comm = control.get();
    CloneLink link(state, clock, std::move(control), plan.make());
    int finished = 0;
    link.events.finished = [&] { ++finished; };
    // What the image holds if no read completes: the start-up image and the
    // cells other windows wrote meanwhile.
    RadioImageTable expected = state.RadioImage;
    const AdjustTableCells adjustBefore = state.AdjustTable;

    link.start();
    size_t i = 1;
    auto next = [&]() -> uint8_t { return i < size ? data[i++] : 0; };
    while (i < size) {
        const uint8_t op = next();
        if (op < 0x40) {
            clock.advance(op * 8);
        } else if (op < 0x80) {
            std::vector<uint8_t> stray;
            for (int n = op - 0x3F; n > 0 && i < size; --n)
                stray.push_back(next());
            radio.sendToHost(stray);
        } else if (op < 0xA0) {
            const uint8_t bits = next();
            sim::Misbehaviour& m = radio.radio.misbehave;
            m.silent = bits & 1;
            m.wrongIdent = bits & 2;
            m.dropReply = (bits >> 2) & 3;
            m.shiftReply = (bits >> 4) & 3;
            m.refuseFrame = (bits & 0x40) ? next() % 49 : -1;
            m.attempts = (bits & 0x80) ? 0 : 1;
        } else if (op < 0xC0) {
            link.start();
        } else if (op < 0xE0) {
            const int address = ((next() << 8) | next()) & 0x3FF;
            radio.radio.memory[address] = next();
        } else {
            // Another window writes a cell, sometimes one that is no byte.
            const int address = ((next() << 8) | next()) % 0x310;
            const auto value = int16_t((next() << 8) | next());
            state.setByteAt(address, value);
            expected[address / 16][address % 16] = value;
        }
        FUZZ_CHECK(framesHoldBytes(link));
    }
    // Long enough for every restart to run out.
    clock.advance(30000);
    FUZZ_CHECK(framesHoldBytes(link));
    FUZZ_CHECK(!link.transferActive());
    FUZZ_CHECK(!link.timersRunning());
    FUZZ_CHECK(!comm->isOpen());
    // A write never changes the image; a read only when it completes.
    if (!plan.reads || finished == 0)
        FUZZ_CHECK(state.RadioImage == expected);
    // Only a completed adjustment read changes the adjustment table.
    if (plan.make != AdjustReadPlan || finished == 0)
        FUZZ_CHECK(state.AdjustTable == adjustBefore);
    return 0;
}
