#include "channels/ChannelRecord.h"

#include "model/Codecs.h"
#include "model/RadioDefaults.h"
#include "model/Tables.h"

namespace mx615 {

namespace {

int cell(const ProgramState& state, int n, int b) { return state.RadioImage[n][b] & 0xFF; }

int field(const ProgramState& state, int n, int byte, int mask, int shift)
{
    return (cell(state, n, byte) & mask) >> shift;
}

void setField(ProgramState& state, int n, int byte, int mask, int shift, int value)
{
    auto& c = state.RadioImage[n][byte];
    c = int16_t((c & ~mask) | ((value << shift) & mask));
}

int scanAddress(int n) { return n <= 8 ? kScanBitsLow : kScanBitsHigh; }
int scanBit(int n) { return n <= 8 ? n - 1 : n - 9; }
// Only channels 1..16 have a scan bit; anything else would shift by a negative
// count or touch a neighbouring bitmap.
bool isChannel(int n) { return n >= 1 && n <= kChannels; }

}  // namespace

bool ChannelInUse(const ProgramState& state, int n) { return cell(state, n, 0) != 0xFF; }
bool HasTx(const ProgramState& state, int n) { return cell(state, n, 4) != 0xFF; }

bool FrequencyInBand(const ProgramState& state, const std::string& text)
{
    const double value = LeadingNumber(text);
    return value >= state.BandLowMHz && value <= state.BandHighMHz;
}

std::string BandLowText(const ProgramState& state)
{
    std::string text = ShortestDecimal(state.BandLowMHz);
    if (text.size() == 3) {
        text += ".0";
        text.append(9 - text.size(), '0');
    } else if (text.size() == 2) {
        text += ".0";
        text.append(8 - text.size(), '0');
    }
    return text;
}

std::string FrequencyText(const ProgramState& state, int n, int first)
{
    return BcdToFrequencyText(cell(state, n, first), cell(state, n, first + 1), cell(state, n, first + 2),
                              cell(state, n, first + 3));
}

void StoreFrequency(ProgramState& state, const std::string& text, int n, int first)
{
    FrequencyTextToBcd(state, text, n, first);
}

std::string ToneText(const ProgramState& state, int n, int first, bool chinese)
{
    const int low = cell(state, n, first);
    const int high = cell(state, n, first + 1);
    if (low == 0xFF && high == 0xFF)
        return ChannelTexts::ToneOffGrid.pick(chinese);
    if (high < 10) {
        // Any CTCSS code is shown by its value, listed or not.
        std::string text = ShortestDecimal((high * 256 + low) / 10.0);
        if (text.find('.') == std::string::npos)
            text += ".0";
        return text;
    }
    for (int k = 1; k <= kToneLast; ++k)
        if (state.ToneCodeLow[k] == low && state.ToneCodeHigh[k] == high)
            return ToneNameTrimmed(state, k);
    return {};
}

std::optional<int> ToneIndex(const ProgramState& state, int n, int first)
{
    const int low = cell(state, n, first);
    if (low == 0xFF)
        return 0;
    return ToneIndexOfCode(state, low, cell(state, n, first + 1));
}

void StoreTone(ProgramState& state, int n, int first, int k)
{
    // A position outside the list (nothing chosen) must not store the zeros of
    // the unused table slots as a tone.
    if (k < 0 || k > kToneLast)
        return;
    StoreToneCode(state, k, n, first);
}

int Compander(const ProgramState& s, int n) { return field(s, n, 12, 0x01, 0); }
int OptionalSignal(const ProgramState& s, int n) { return field(s, n, 12, 0x06, 1); }
int BusyLockout(const ProgramState& s, int n) { return field(s, n, 12, 0x18, 3); }
int SpUnmute(const ProgramState& s, int n) { return field(s, n, 12, 0x60, 5); }
int Wide(const ProgramState& s, int n) { return field(s, n, 13, 0x10, 4); }
int HighPower(const ProgramState& s, int n) { return field(s, n, 13, 0x20, 5); }
int BeatShift(const ProgramState& s, int n) { return field(s, n, 13, 0x40, 6); }
int PttId(const ProgramState& s, int n) { return field(s, n, 14, 0x01, 0); }
int AutodialMemory(const ProgramState& s, int n) { return field(s, n, 15, 0x07, 0); }

bool ScanAdd(const ProgramState& state, int n)
{
    if (!isChannel(n))
        return false;
    return (state.byteAt(scanAddress(n)) >> scanBit(n)) & 1;
}

void SetCompander(ProgramState& s, int n, int v) { setField(s, n, 12, 0x01, 0, v); }
void SetOptionalSignal(ProgramState& s, int n, int v) { setField(s, n, 12, 0x06, 1, v); }
void SetBusyLockout(ProgramState& s, int n, int v) { setField(s, n, 12, 0x18, 3, v); }
void SetSpUnmute(ProgramState& s, int n, int v) { setField(s, n, 12, 0x60, 5, v); }
void SetWide(ProgramState& s, int n, int v) { setField(s, n, 13, 0x10, 4, v); }
void SetHighPower(ProgramState& s, int n, int v) { setField(s, n, 13, 0x20, 5, v); }
void SetBeatShift(ProgramState& s, int n, int v) { setField(s, n, 13, 0x40, 6, v); }
void SetPttId(ProgramState& s, int n, int v) { setField(s, n, 14, 0x01, 0, v); }
void SetAutodialMemory(ProgramState& s, int n, int v) { setField(s, n, 15, 0x07, 0, v); }

void SetScanAdd(ProgramState& state, int n, bool on)
{
    if (!isChannel(n))
        return;
    const int address = scanAddress(n);
    const int bit = 1 << scanBit(n);
    const int value = state.byteAt(address);
    state.setByteAt(address, on ? (value | bit) : (value & ~bit));
}

void SetChannelDefaults(ProgramState& state, int n)
{
    StoreChannelDefaultFlags(state, n);
    SetScanAdd(state, n, true);
}

void ClearChannel(ProgramState& state, int n)
{
    for (int b = 0; b < 16; ++b)
        state.RadioImage[n][b] = 0xFF;
}

}  // namespace mx615
