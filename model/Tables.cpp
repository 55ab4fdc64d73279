#include "model/Tables.h"

#include "model/Codecs.h"

namespace mx615 {

namespace {

// CTCSS tones in tenths of a hertz, indexes 1..39.
constexpr int kCtcssTenths[39] = {670,  693,  719,  744,  770,  797,  825,  854,  885,  915,
                                  948,  974,  1000, 1035, 1072, 1109, 1148, 1188, 1230, 1273,
                                  1318, 1365, 1413, 1462, 1514, 1567, 1622, 1679, 1738, 1799,
                                  1862, 1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503};

// DCS codes as written (octal digits), the same list for both polarities.
constexpr const char* kDcsCodes[83] = {
    "023", "025", "026", "031", "032", "043", "047", "051", "054", "065", "071", "072", "073", "074",
    "114", "115", "116", "125", "131", "132", "134", "143", "152", "155", "156", "162", "165", "172",
    "174", "205", "223", "226", "243", "244", "245", "251", "261", "263", "265", "271", "306", "311",
    "315", "331", "343", "346", "351", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "464", "465", "466", "503", "506", "516", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

std::string padded(int leading, const std::string& text, int trailing)
{
    return std::string(leading, ' ') + text + std::string(trailing, ' ');
}

// The blanks around a display name depend on its index, as the radio's lists
// have always shown them.
std::string toneDisplayName(int index, const std::string& text)
{
    if (index == 0)
        return padded(1, text, 5);
    if (index <= 9)
        return padded(1, text, 4);
    if (index <= 99)
        return padded(4, text, 3 + (text.size() == 4 ? 1 : 0));
    return padded(3, text, 3);
}

}  // namespace

void BuildToneTables(ProgramState& state)
{
    state.ToneNames[0] = toneDisplayName(0, "OFF");
    state.ToneCodeLow[0] = 0xFF;
    state.ToneCodeHigh[0] = 0xFF;

    for (int i = 0; i < 39; ++i) {
        const int index = kCtcssFirst + i;
        const int tenths = kCtcssTenths[i];
        const std::string text = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
        state.ToneNames[index] = toneDisplayName(index, text);
        state.ToneCodeLow[index] = int16_t(tenths % 256);
        state.ToneCodeHigh[index] = int16_t(tenths / 256);
    }

    for (int i = 0; i < 83; ++i) {
        const std::string digits = kDcsCodes[i];
        const int code = std::stoi(digits, nullptr, 8);
        for (const bool inverted : {false, true}) {
            const int index = (inverted ? kDcsInvertedFirst : kDcsNormalFirst) + i;
            state.ToneNames[index] = toneDisplayName(index, "D" + digits + (inverted ? "I" : "N"));
            state.ToneCodeLow[index] = int16_t(code % 256);
            state.ToneCodeHigh[index] = int16_t((inverted ? 0xA8 : 0x28) + code / 256);
        }
    }
}

void BuildModelTable(ProgramState& state)
{
    state.ModelNames[0] = "MX-615D-VHF";
    state.BandTable[0] = {136, 175};
    state.ModelNames[1] = "MX-615D-UHF";
    state.BandTable[1] = {400, 481};
    state.ModelNames[2] = "MX-615D-FULL";
    state.BandTable[2] = {100, 601};
    const int row = (state.ModelIndex >= 0 && state.ModelIndex < kModelCount) ? state.ModelIndex : 1;
    state.BandLowMHz = state.BandTable[row][0];
    state.BandHighMHz = state.BandTable[row][1];
}

std::optional<int> ToneIndexOfCode(const ProgramState& state, int low, int high)
{
    for (int k = 0; k <= kToneLast; ++k)
        if (state.ToneCodeLow[k] == low && state.ToneCodeHigh[k] == high)
            return k;
    return std::nullopt;
}

void StoreToneCode(ProgramState& state, int k, int line, int firstByte)
{
    state.RadioImage[line][firstByte] = state.ToneCodeLow[k];
    state.RadioImage[line][firstByte + 1] = state.ToneCodeHigh[k];
}

std::string ToneNameTrimmed(const ProgramState& state, int k)
{
    return Trimmed(state.ToneNames[k]);
}

std::string BandRangeText(double lowMHz, double highMHz)
{
    return SignedNumberText(lowMHz) + "--" + SignedNumberText(highMHz - 1) + " MHZ";
}

std::string BandLabelText(double lowMHz, double highMHz)
{
    return " " + ShortestDecimal(lowMHz) + " -- " + SignedNumberText(highMHz);
}

std::string ModelBandText(const ProgramState& state, int model, bool chinese)
{
    const std::string low = std::to_string(state.BandTable[model][0]);
    const std::string high = std::to_string(state.BandTable[model][1]);
    return state.ModelNames[model] +
           (chinese ? "（" + low + " 至 " + high + " MHz）" : " (" + low + " to " + high + " MHz)");
}

}  // namespace mx615
