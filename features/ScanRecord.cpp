#include "features/ScanRecord.h"

#include <cstdio>

#include "features/FeatureTexts.h"
#include "model/Codecs.h"

namespace mx615 {

namespace {

constexpr int kLookBackEntries = 91;

ChoiceList lookBackChoices()
{
    ChoiceList list;
    for (int k = 0; k < kLookBackEntries; ++k) {
        const int hundredths = 50 + 5 * k;
        char text[8];
        std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
        list.push_back({{text, text}, k == 0 ? 0 : k + 1});
    }
    return list;
}

int revertOffset(PriorityMode mode) { return mode == PriorityMode::Selected ? 2 : 0; }

int highAddress(ScanDelay which) { return LowAddress(which) + 1; }

}  // namespace

const ChoiceList& PriorityModeChoices()
{
    static const ChoiceList list{{ScanTexts::PriorityEntries[0], 0},
                                 {ScanTexts::PriorityEntries[1], 1},
                                 {ScanTexts::PriorityEntries[2], 2}};
    return list;
}

PriorityMode ShownPriorityMode(const ProgramState& state)
{
    return PriorityMode(LimitedPosition(state.byteAt(ScanAddress::PriorityMode), PriorityModeChoices()));
}

void StorePriorityMode(ProgramState& state, int position)
{
    if (position < 0 || position >= int(PriorityModeChoices().size()))
        return;
    state.setByteAt(ScanAddress::PriorityMode, PriorityModeChoices()[position].code);
}

std::string ShownPriorityChannel(const ProgramState& state)
{
    const int channel = state.byteAt(ScanAddress::PriorityChannel);
    if (channel < kPriorityChannelFirst || channel > kPriorityChannelLast)
        return {};
    return std::to_string(channel);
}

bool PriorityChannelKeyAccepted(const std::string& boxText, char32_t key)
{
    return key >= '0' && key <= '9' && Trimmed(boxText).size() < 2;
}

PriorityChannelEntry PriorityChannelChanged(ProgramState& state, PriorityMode mode, const std::string& text)
{
    if (mode != PriorityMode::Fixed)
        return PriorityChannelEntry::Ignored;
    const double value = LeadingNumber(text);
    if (value < kPriorityChannelFirst || value > kPriorityChannelLast)
        return PriorityChannelEntry::Rejected;
    // The box takes digits only, so the number is whole; a pasted "1.5" is
    // cut to its whole part rather than stored as a fraction the byte cannot hold.
    state.setByteAt(ScanAddress::PriorityChannel, int(value));
    return PriorityChannelEntry::Stored;
}

int Address(LookBack which) { return which == LookBack::A ? ScanAddress::LookBackA : ScanAddress::LookBackB; }

const ChoiceList& LookBackChoices()
{
    static const ChoiceList list = lookBackChoices();
    return list;
}

int ShownLookBackPosition(const ProgramState& state, LookBack which)
{
    const int code = state.byteAt(Address(which));
    return LimitedPosition(code <= 1 ? 0 : code - 1, LookBackChoices());
}

void StoreLookBackPosition(ProgramState& state, LookBack which, int position)
{
    if (position < 0 || position >= int(LookBackChoices().size()))
        return;
    state.setByteAt(Address(which), LookBackChoices()[position].code);
}

ChoiceList RevertChoices(PriorityMode mode)
{
    const auto& entries = ScanTexts::RevertEntries;
    switch (mode) {
    case PriorityMode::None: return {{entries[0], 0}, {entries[1], 1}};
    case PriorityMode::Fixed: return {{entries[0], 0}, {entries[1], 1}, {entries[2], 2}, {entries[3], 3}};
    case PriorityMode::Selected: return {{entries[2], 2}, {entries[3], 3}};
    }
    return {};
}

int ShownRevertPosition(const ProgramState& state, PriorityMode mode)
{
    int code = state.byteAt(ScanAddress::Revert);
    if (mode == PriorityMode::Selected && code > 1)
        code -= revertOffset(mode);
    return LimitedPosition(code, RevertChoices(mode));
}

void StoreRevertPosition(ProgramState& state, PriorityMode mode, int position)
{
    const ChoiceList list = RevertChoices(mode);
    if (position < 0 || position >= int(list.size()))
        return;
    state.setByteAt(ScanAddress::Revert, list[position].code);
}

int LowAddress(ScanDelay which)
{
    return which == ScanDelay::Dropout ? ScanAddress::DropoutLow : ScanAddress::DwellLow;
}

const ChoiceList& DelayChoices()
{
    static const ChoiceList list = NumberChoices(0, kDelayLastSeconds, 1);
    return list;
}

int ShownDelaySeconds(const ProgramState& state, ScanDelay which)
{
    const int high = state.byteAt(highAddress(which));
    if (high >= 128)
        return kDelayLastSeconds;
    const int seconds = high * 256 + state.byteAt(LowAddress(which));
    return seconds > kDelayLastSeconds ? kDelayLastSeconds : seconds;
}

void StoreDelaySeconds(ProgramState& state, ScanDelay which, int seconds)
{
    if (seconds < 0 || seconds > kDelayLastSeconds)
        return;
    state.setByteAt(LowAddress(which), seconds % 256);
    state.setByteAt(highAddress(which), seconds / 256);
}

ScanEnabling ScanEnablingFor(PriorityMode mode)
{
    switch (mode) {
    case PriorityMode::None: return {true, false, false};
    case PriorityMode::Fixed: return {false, true, true};
    case PriorityMode::Selected: return {true, false, true};
    }
    return {true, false, false};
}

std::vector<SettingLine> ScanSettings(const ProgramState& state, bool chinese)
{
    using namespace ScanTexts;
    const PriorityMode mode = ShownPriorityMode(state);
    auto pick = [&](const ChoiceList& list, int p) { return list[p].text.pick(chinese); };
    std::vector<SettingLine> lines;
    lines.push_back({Priority.pick(chinese), pick(PriorityModeChoices(), int(mode))});
    // The box shows a channel only in Fixed mode; the other modes empty it.
    lines.push_back({PriorityChannel.pick(chinese), mode == PriorityMode::Fixed ? ShownPriorityChannel(state) : ""});
    lines.push_back({LookBackA.pick(chinese), pick(LookBackChoices(), ShownLookBackPosition(state, LookBack::A))});
    lines.push_back({LookBackB.pick(chinese), pick(LookBackChoices(), ShownLookBackPosition(state, LookBack::B))});
    lines.push_back({Revert.pick(chinese), pick(RevertChoices(mode), ShownRevertPosition(state, mode))});
    lines.push_back({Dropout.pick(chinese), std::to_string(ShownDelaySeconds(state, ScanDelay::Dropout))});
    lines.push_back({Dwell.pick(chinese), std::to_string(ShownDelaySeconds(state, ScanDelay::Dwell))});
    return lines;
}

}  // namespace mx615
