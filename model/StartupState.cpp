#include "model/StartupState.h"

#include "adjust/AdjustTable.h"
#include "model/RadioDefaults.h"
#include "model/Tables.h"

namespace mx615 {

void FillStartupState(ProgramState& state, const StartupFill& fill)
{
    if (fill.tables) {
        state.ModelIndex = int16_t(fill.model);
        BuildToneTables(state);
        BuildModelTable(state);
    }
    // The image after the tables: its frequencies are coded for the band.
    if (fill.image)
        FillStartupImage(state);
    if (fill.adjustment)
        FillAdjustStartup(state);
}

}  // namespace mx615
