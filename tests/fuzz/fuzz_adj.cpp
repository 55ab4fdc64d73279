// The .adj reader: a refused file leaves the adjustment table exactly as it
// was; a loaded one holds bytes only and reads back identical once written.

#include <string_view>

#include "FuzzCheck.h"
#include "adjust/AdjustTable.h"
#include "files/AdjFile.h"

using namespace mx615;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ProgramState state;
    FillAdjustStartup(state);
    const AdjustTableCells before = state.AdjustTable;
    if (LoadAdjustText(state, text)) {
        FUZZ_CHECK(state.AdjustTable == before);
        return 0;
    }
    for (int line = 0; line < 7; ++line)
        for (int cell = 0; cell < 16; ++cell)
            FUZZ_CHECK(state.AdjustTable[line][cell] >= 0 && state.AdjustTable[line][cell] <= 255);
    // Lines the file does not carry keep their values.
    for (int line = 7; line < int(before.size()); ++line)
        FUZZ_CHECK(state.AdjustTable[line] == before[line]);
    ProgramState copy = state;
    FUZZ_CHECK(!LoadAdjustText(copy, AdjFileText(state)));
    FUZZ_CHECK(copy.AdjustTable == state.AdjustTable);
    return 0;
}
