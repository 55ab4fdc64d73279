#include "files/ImageDiff.h"

#include <cstdio>

#include "channels/ChannelGrid.h"
#include "channels/ChannelRecord.h"
#include "features/FeatureSummary.h"
#include "files/ChannFile.h"
#include "model/Codecs.h"

namespace mx615 {

namespace {

// Every shown value with its label, in the order the windows show them.
struct Shown {
    std::string label;
    std::string value;
    int channel = 0;   // the channel that has this field only while in use; 0 for RX and the settings
    bool operator==(const Shown&) const = default;
};
using View = std::vector<Shown>;

View viewOf(const ProgramState& state, bool chinese)
{
    View view;
    const auto titles = ChannelGrid::ColumnTitles(ChannelGrid::kColumnFormat.pick(chinese));
    for (int n = 1; n <= kChannels; ++n) {
        const auto texts = ChannelGrid::RowTexts(state, n, chinese);
        const std::string channel = Trimmed(titles[ChannelGrid::ColNumber]) + " " + std::to_string(n) + " ";
        for (int c = ChannelGrid::ColRx; c < ChannelGrid::kColumns; ++c)
            view.push_back({channel + Trimmed(titles[std::size_t(c)]), texts[std::size_t(c)], c == ChannelGrid::ColRx ? 0 : n});
    }
    bool first = true;   // the optional features speak for themselves
    for (const SettingSection& section : FeatureSections(state, chinese)) {
        for (const SettingLine& line : section.lines)
            view.push_back({first ? line.label : section.title + " " + line.label, line.value, 0});
        first = false;
    }
    return view;
}

std::string hex(int value, int digits)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%0*X", digits, unsigned(value) & 0xFFFu);
    return text;
}

std::string addressLine(int address, int before, int after, bool chinese)
{
    std::string where;
    const int line = address / 16, byte = address % 16;
    if (line >= 1 && line <= kChannels)
        where = chinese ? " (信道 " + std::to_string(line) + "，字节 " + std::to_string(byte) + ")"
                        : " (channel " + std::to_string(line) + ", byte " + std::to_string(byte) + ")";
    else if (address == kScanBitsLow || address == kScanBitsHigh)
        where = chinese ? std::string(" (扫描添加)") : std::string(" (scan add bits)");
    return (chinese ? "地址 " : "address ") + hex(address, 3) + where + ": " + hex(before, 2) + " -> " + hex(after, 2);
}

std::string shown(const std::string& value, bool chinese)
{
    return value.empty() ? (chinese ? "(空)" : "(empty)") : value;
}

// The spare cells of the channel parameter file, which no window shows.
void spareChanges(const ProgramState& before, const ProgramState& after, bool chinese, std::vector<std::string>& out)
{
    for (int line = 0; line < kChannFileLines; ++line)
        for (int cell = kChannFileRadioValues; cell < kChannFileValues; ++cell) {
            const int a = before.RadioImage[line][cell], b = after.RadioImage[line][cell];
            if (a != b)
                out.push_back((chinese ? "行 " : "line ") + std::to_string(line) + (chinese ? " 备用单元 " : " spare cell ") +
                              std::to_string(cell) + ": " + std::to_string(a) + " -> " + std::to_string(b));
        }
}

}  // namespace

std::vector<std::string> DescribeChanges(const ProgramState& before, const ProgramState& after, DiffScope scope,
                                         bool chinese)
{
    std::vector<std::string> out;
    // A channel that is cleared is told by its RX frequency alone: its other
    // fields and bytes no longer mean anything.
    auto cleared = [&](int n) { return n >= 1 && n <= kChannels && !ChannelInUse(after, n); };
    const View was = viewOf(before, chinese);
    const View is = viewOf(after, chinese);
    for (std::size_t i = 0; i < was.size() && i < is.size(); ++i)
        if (was[i].value != is[i].value && !cleared(was[i].channel))
            out.push_back(was[i].label + ": " + shown(was[i].value, chinese) + " -> " + shown(is[i].value, chinese));

    // A changed bit that leaves every window as it was (a bit no editor
    // knows, a byte no window shows) would be lost in words: list its byte.
    ProgramState probe = before;
    for (int a = 0; a < scope.lines * 16; ++a) {
        const int x = before.byteAt(a), y = after.byteAt(a);
        if (x == y || cleared(a / 16))
            continue;
        bool hidden = false;
        for (int bit = 0; bit < 8 && !hidden; ++bit) {
            if (!(((x ^ y) >> bit) & 1))
                continue;
            probe.setByteAt(a, x ^ (1 << bit));
            hidden = viewOf(probe, chinese) == was;
            probe.setByteAt(a, x);
        }
        if (hidden)
            out.push_back(addressLine(a, x, y, chinese));
    }
    if (scope.spareCells)
        spareChanges(before, after, chinese, out);
    return out;
}

std::vector<std::string> RawChanges(const ProgramState& before, const ProgramState& after, DiffScope scope,
                                    bool chinese)
{
    std::vector<std::string> out;
    for (int a = 0; a < scope.lines * 16; ++a)
        if (before.byteAt(a) != after.byteAt(a))
            out.push_back(addressLine(a, before.byteAt(a), after.byteAt(a), chinese));
    if (scope.spareCells)
        spareChanges(before, after, chinese, out);
    return out;
}

}  // namespace mx615
