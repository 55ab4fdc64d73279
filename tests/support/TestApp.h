#pragma once
// A whole program for window tests: its own state, recorder, virtual clock and
// in-memory serial ports, and the main window after its start-up.

#include <memory>

#include "ui/AppContext.h"
#include "app/MDImain.h"
#include "link/MemoryCommControl.h"
#include "support/PromptRecorder.h"
#include "support/VirtualClock.h"

namespace mx615::test {

struct TestApp {
    // ports: the COM numbers present on the simulated machine.
    explicit TestApp(std::initializer_list<int> ports = {}, bool start = true);
    ~TestApp();

    ProgramState state;
    PromptRecorder prompt;
    VirtualClock clock;
    MemoryPortHub hub;
    // What the port dialog finds on the simulated machine.
    std::vector<PortEntry> portEntries;
    AppContext context;
    std::unique_ptr<MDImain> main;
};

// The strings a menu shows, without access-key markers.
QString plainText(const QString& caption);

}  // namespace mx615::test
