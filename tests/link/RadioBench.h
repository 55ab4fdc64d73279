#pragma once
// A whole program (the main window after start-up) with the simulated radio
// on COM2, the port the program is set to.

#include "MemoryRadio.h"
#include "support/TestApp.h"

namespace mx615::test {

struct RadioBench {
    RadioBench() : radio(app.hub, 2, app.clock)
    {
        app.state.CommPort = 2;
        radio.radio.memory = sim::PatternMemory(0x2D);
    }
    TestApp app;
    sim::MemoryRadio radio;
};

}  // namespace mx615::test
