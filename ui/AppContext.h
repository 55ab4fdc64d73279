#pragma once
// What the windows are handed besides the program-wide state: the message-box
// seam, the timers and a maker of serial controls. The program fills it with
// the Qt implementations, tests with recorders, a virtual clock and in-memory
// ports.

#include <functional>
#include <memory>

#include "link/CommControl.h"
#include "link/LinkTimer.h"
#include "model/ProgramState.h"

namespace mx615 {

class Prompt;

struct AppContext {
    ProgramState& state;
    Prompt& prompt;
    TimerFactory& timers;
    std::function<std::unique_ptr<CommControl>()> makeComm;
};

}  // namespace mx615
