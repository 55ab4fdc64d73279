#pragma once
// What the windows are handed besides the program-wide state: the message-box
// seam, the timers, a maker of serial controls and the port table. The program fills it with
// the Qt implementations, tests with recorders, a virtual clock and in-memory
// ports.

#include <functional>
#include <memory>

#include "link/CommControl.h"
#include "link/LinkTimer.h"
#include "link/PortTable.h"
#include "model/ProgramState.h"

namespace mx615 {

class Prompt;

struct AppContext {
    ProgramState& state;
    Prompt& prompt;
    TimerFactory& timers;
    std::function<std::unique_ptr<CommControl>()> makeComm;
    // The port table with a description of each device, read by the port
    // dialog when it opens.
    std::function<std::vector<PortEntry>()> portTable;
};

}  // namespace mx615
