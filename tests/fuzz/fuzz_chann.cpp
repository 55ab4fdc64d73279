// The .chann reader: any text either loads whole or leaves the image exactly
// as it was, and a loaded file written out again reads back identical.

#include <string_view>

#include "FuzzCheck.h"
#include "files/ChannFile.h"

using namespace mx615;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ChannTable table{};
    if (ParseChannText(text, table))
        return 0;  // refused: the caller's image was never touched
    ProgramState state;
    ApplyChannTable(state, table);
    for (int line = 0; line < kChannFileLines; ++line)
        for (int cell = 0; cell < kChannFileRadioValues; ++cell)
            FUZZ_CHECK(state.RadioImage[line][cell] >= 0 && state.RadioImage[line][cell] <= 255);
    ChannTable again{};
    FUZZ_CHECK(!ParseChannText(ChannFileText(state), again));
    FUZZ_CHECK(again == table);
    return 0;
}
