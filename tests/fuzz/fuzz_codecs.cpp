// The text codecs: whatever a user types or a file holds, the frequency and
// tone conversions store bytes only, and a text the frequency editor accepts
// reads back from the image exactly as it was normalised.

#include <string>

#include "FuzzCheck.h"
#include "channels/ChannelRecord.h"
#include "channels/FrequencyEntry.h"
#include "model/Codecs.h"
#include "model/Tables.h"

using namespace mx615;

namespace {

const ProgramState& tables()
{
    static const ProgramState state = FuzzState(2, false);   // the widest band
    return state;
}

bool bytesOnly(const ProgramState& state, int line)
{
    for (int cell = 0; cell < kImageLineCells; ++cell)
        if (state.RadioImage[line][cell] < 0 || state.RadioImage[line][cell] > 255)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ProgramState state = tables();
    state.RadioImage[1].fill(0xFF);

    for (unsigned char c : text)
        (void)CodeToCharacter(c);
    FrequencyTextToBcd(state, text, 1, kRxFirst);
    ToneTextToCells(state, text, 1, kDecodeFirst);
    FUZZ_CHECK(bytesOnly(state, 1));

    const double leading = LeadingNumber(text);
    FUZZ_CHECK(!ShortestDecimal(leading).empty());

    // The editors normalise only what is in the band.
    if (!FrequencyInBand(state, text))
        return 0;
    if (const auto normal = NormalisedFrequencyText(state, text)) {
        FUZZ_CHECK(FrequencyInBand(state, *normal));
        StoreFrequency(state, *normal, 1, kRxFirst);
        FUZZ_CHECK(bytesOnly(state, 1));
        FUZZ_CHECK(FrequencyText(state, 1, kRxFirst) == *normal);
    }
    return 0;
}
