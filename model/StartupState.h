#pragma once
// The program state as start-up leaves it, in one place for the windows, the
// command-line tool and the tests: what each needs differs only in the choices
// below.

#include "model/ProgramState.h"

namespace mx615 {

struct StartupFill {
    // The model whose tables and band are set up (ModelIndex).
    int model = 1;
    // The tone and model tables, and the band of the model.
    bool tables = true;
    // The radio image: every byte 0xFF, the fixed default lines and the
    // factory channels.
    bool image = true;
    // The adjustment table's start-up values.
    bool adjustment = true;
};

void FillStartupState(ProgramState& state, const StartupFill& fill = {});

}  // namespace mx615
