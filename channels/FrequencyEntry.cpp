#include "channels/FrequencyEntry.h"

#include <algorithm>

#include "channels/ChannelRecord.h"
#include "model/Codecs.h"

namespace mx615 {

namespace {

using Result = ChannelFrequencyEntry::Result;

// The bytes a transmit frequency takes with it: the frequency and the encode tone.
constexpr int kTxBytes[] = {4, 5, 6, 7, 10, 11};

// The entry of a typed, non-blank text into a field that holds storedText.
ChannelFrequencyEntry storableText(const ProgramState& state, const std::string& typed, const std::string& storedText)
{
    const FrequencyToStore store = StorableFrequency(state, typed);
    ChannelFrequencyEntry entry;
    entry.problem = store.problem;
    entry.result = store.problem == FrequencyProblem::Unstorable ? Result::Refused : Result::Stored;
    entry.shown = entry.result == Result::Refused ? storedText : store.text;
    return entry;
}

}  // namespace

FrequencyToStore StorableFrequency(const ProgramState& state, const std::string& typed)
{
    if (!FrequencyInBand(state, typed))
        return {BandLowText(state), FrequencyProblem::OutOfBand};
    if (auto normal = NormalisedFrequencyText(state, typed))
        return {*normal, FrequencyProblem::None};
    return {{}, FrequencyProblem::Unstorable};
}

std::optional<std::string> NormalisedFrequencyText(const ProgramState& state, const std::string& text)
{
    const std::string s = Trimmed(text);
    if (s.empty() || !std::all_of(s.begin(), s.end(), IsFrequencyCharacter) ||
        std::count(s.begin(), s.end(), '.') > 1)
        return std::nullopt;

    const auto point = s.find('.');
    std::string whole = s.substr(0, point);
    std::string decimals = point == std::string::npos ? std::string() : s.substr(point + 1);

    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    // Three MHz digits always fit; two only when the band reaches below
    // 100 MHz, where the stored form gets a leading zero.
    const bool fits = whole.size() == 3 || (whole.size() == 2 && state.BandLowMHz < 100);
    if (!fits)
        return std::nullopt;

    while (decimals.size() > 5 && decimals.back() == '0')
        decimals.pop_back();
    if (decimals.size() > 5)
        return std::nullopt;  // finer than 10 Hz: would be cut off unseen
    decimals.append(5 - decimals.size(), '0');
    return whole + "." + decimals;
}

ChannelFrequencyEntry EnterRxFrequency(ProgramState& state, int n, const std::string& typed)
{
    const std::string text = Trimmed(typed);
    const bool inUse = ChannelInUse(state, n);
    if (text.empty()) {
        ClearChannel(state, n);
        SetScanAdd(state, n, false);
        ChannelFrequencyEntry entry;
        entry.result = Result::Cleared;
        return entry;
    }
    ChannelFrequencyEntry entry = storableText(state, text, inUse ? FrequencyText(state, n, kRxFirst) : "");
    if (entry.result != Result::Stored)
        return entry;
    StoreFrequency(state, entry.shown, n, kRxFirst);
    if (!inUse) {
        SetChannelDefaults(state, n);
        entry.newChannel = true;
    }
    return entry;
}

ChannelFrequencyEntry EnterTxFrequency(ProgramState& state, int n, const std::string& typed, bool encodeOffOutOfBand)
{
    const std::string text = Trimmed(typed);
    ChannelFrequencyEntry entry;
    if (!ChannelInUse(state, n)) {
        if (!text.empty())
            entry.problem = FrequencyProblem::RxFirst;
        return entry;
    }
    auto& line = state.RadioImage[n];
    if (text.empty()) {
        for (int b : kTxBytes)
            line[b] = 0xFF;
        entry.result = Result::Cleared;
        return entry;
    }
    entry = storableText(state, text, HasTx(state, n) ? FrequencyText(state, n, kTxFirst) : "");
    if (entry.result != Result::Stored)
        return entry;
    StoreFrequency(state, entry.shown, n, kTxFirst);
    if (entry.problem == FrequencyProblem::OutOfBand && encodeOffOutOfBand) {
        line[10] = line[11] = 0xFF;
        entry.toneOff = true;
    }
    return entry;
}

}  // namespace mx615
