// The channel CSV reader: any text is either refused with the image exactly as
// it was, or taken as a plan of valid channels that exports and imports again
// unchanged. Only the channel records and the scan bits ever change.

#include <string_view>

#include "FuzzCheck.h"
#include "channels/ChannelRecord.h"
#include "files/ChannelCsv.h"

using namespace mx615;

namespace {

const ProgramState& started()
{
    static const ProgramState state = FuzzState(1, true);
    return state;
}

bool isPlanByte(int address)
{
    return (address >= 0x010 && address <= 0x10F) || address == kScanBitsLow || address == kScanBitsHigh;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ProgramState state = started();
    const bool skipBad = size > 0 && (data[0] & 1);
    const CsvImport result = ImportChannelCsv(text, state, skipBad);
    if (!result.applied) {
        FUZZ_CHECK(state.RadioImage == started().RadioImage);
        return 0;
    }
    FUZZ_CHECK(!result.unusable && !result.noChannels && !result.channels.empty() &&
               (skipBad || result.refused.empty()));
    for (int a = 0; a < kRadioLines * 16; ++a) {
        FUZZ_CHECK(state.RadioImage[a / 16][a % 16] >= 0 && state.RadioImage[a / 16][a % 16] <= 255);
        if (!isPlanByte(a))
            FUZZ_CHECK(state.byteAt(a) == started().byteAt(a));
    }
    for (int n = 1; n <= kChannels; ++n)
        FUZZ_CHECK(ChannelInUse(state, n) || !ScanAdd(state, n));

    const CsvExport exported = ExportChannelCsv(state);
    FUZZ_CHECK(exported.notes.empty());
    ProgramState again = started();
    const CsvImport back = ImportChannelCsv(exported.text, again, false);
    FUZZ_CHECK(back.applied && back.refused.empty() && back.channels == result.channels);
    FUZZ_CHECK(again.RadioImage == state.RadioImage);
    return 0;
}
