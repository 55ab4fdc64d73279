#include "adjust/AdjustTable.h"

#include <algorithm>

#include "model/Codecs.h"

namespace mx615 {

namespace {

constexpr int kReplyDataBytes = 64;
constexpr int kReplyLastPosition = 68;   // a reply is stored in positions 0..68
constexpr int kHeaderSearch = 6;         // the 0x58 is looked for in positions 0..5

// Position of the first 0x58 among the first six of a row, or -1.
int headerPosition(const std::array<int16_t, 71>& row)
{
    for (int p = 0; p < kHeaderSearch; ++p)
        if (row[p] == kAdjustReplyCommand)
            return p;
    return -1;
}

}  // namespace

std::array<uint8_t, 8> AdjustLine7Bytes()
{
    return {0x4B, 0x1E, 0x93, 0x27, 0x6D, 0xC5, 0x38, 0xA1};
}

void FillAdjustStartup(ProgramState& state)
{
    for (auto& line : state.AdjustTable)
        line.fill(0);
    const std::array<int16_t, 16> audio{38, 38, 38, 38, 39, 40, 41, 42, 43, 60, 22, 15, 255, 1, 0, 0};
    std::copy(audio.begin(), audio.end(), state.AdjustTable[0].begin());
    std::fill_n(state.AdjustTable[1].begin(), 16, int16_t(90));
    std::fill_n(state.AdjustTable[2].begin(), 16, int16_t(64));
    const auto line7 = AdjustLine7Bytes();
    std::copy(line7.begin(), line7.end(), state.AdjustTable[7].begin());
    const std::array<int16_t, 8> endMarker{0xAA, 0x04, 0x00, 0x04, 0x80, 0x00, 0x00, 0xBB};
    std::copy(endMarker.begin(), endMarker.end(), state.AdjustTable[10].begin());
}

void ResetAdjustLine7Tail(ProgramState& state)
{
    const auto line7 = AdjustLine7Bytes();
    state.AdjustTable[7][6] = line7[6];
    state.AdjustTable[7][7] = line7[7];
}

bool AdjustReplyAnswers(const std::array<int16_t, 71>& row, int address)
{
    const int p = headerPosition(row);
    // Without its header a reply cannot be placed: taking it from a fixed
    // position would store whatever happens to be there.
    if (p < 0)
        return false;
    // Data running past the stored positions were never received.
    if (p + 4 + kReplyDataBytes - 1 > kReplyLastPosition)
        return false;
    return row[p + 1] == ((address >> 8) & 0xFF) && row[p + 2] == (address & 0xFF) && row[p + 3] == 0x40;
}

bool UnpackAdjustBlocks(ProgramState& state)
{
    for (int k = 1; k <= 2; ++k)
        if (!AdjustReplyAnswers(state.LinkBuffer[k], AdjustReadAddress(k)))
            return false;
    for (int k = 1; k <= 2; ++k) {
        const auto& row = state.LinkBuffer[k];
        const int first = headerPosition(row) + 4;
        for (int i = 0; i < kReplyDataBytes; ++i) {
            // A reply byte is a byte; the table cell is wider.
            state.AdjustTable[(k - 1) * 4 + i / 16][i % 16] = int16_t(row[first + i] & 0xFF);
        }
    }
    return true;
}

int ShownListIndex(int value, int entries)
{
    return std::clamp(value, 0, entries - 1);
}

int VolumeCoarse(int byte12) { return byte12 / 16; }
int VolumeFine(int byte12) { return byte12 % 16; }
int WithVolumeCoarse(int byte12, int index) { return index * 16 + byte12 % 16; }
int WithVolumeFine(int byte12, int index) { return (byte12 & ~0x0F) + index; }

bool OptionTicked(int optionsByte, int bit)
{
    return (optionsByte >> bit) & 1;
}

int WithOption(int optionsByte, int bit, bool ticked)
{
    return (optionsByte & ~(1 << bit)) + (ticked ? 1 << bit : 0);
}

int CrystalIndex(int byte13)
{
    return byte13 != 0 ? 1 : 0;
}

std::string AdjustVersionText(const ProgramState& state)
{
    std::string text;
    for (int b = 0; b < 6; ++b)
        text += CodeToCharacter(state.AdjustTable[3][b]);
    return text;
}

}  // namespace mx615
