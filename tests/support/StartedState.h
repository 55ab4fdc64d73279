#pragma once
// A program state as start-up leaves it: tables built, the radio image filled
// with its defaults and the factory channels, the adjustment table filled.

#include "adjust/AdjustTable.h"
#include "model/RadioDefaults.h"
#include "model/StartupState.h"
#include "model/Tables.h"

namespace mx615::test {

inline ProgramState startedState()
{
    ProgramState s;
    FillStartupState(s);
    return s;
}

}  // namespace mx615::test
