#pragma once
// The adjustment table: the radio's calibration values at 0x340..0x3EF, kept
// apart from RadioImage. Here are its start-up values, where each value of
// the service window lives and how its controls read and change it, and the
// unpacking of the adjustment read replies.

#include <array>
#include <cstdint>
#include <string>

#include "model/ProgramState.h"

namespace mx615 {

constexpr int kAdjustBase = 0x340;         // radio address of line 0, byte 0
constexpr int kAdjustLines = 11;           // lines 0..10: 0x340..0x3EF
constexpr int kAdjustReadBlocks = 3;       // 64-byte requests for 0x340, 0x380, 0x3C0
constexpr int kAdjustLastWriteFrame = 10;  // 16-byte frames 0..10, one per line
constexpr int16_t kAdjustReplyCommand = 0x58;   // 'X', the first byte of a read reply

// Radio address of read request k (1..3) and of write frame n (0..10).
constexpr int AdjustReadAddress(int k) { return kAdjustBase + 64 * (k - 1); }
constexpr int AdjustFrameAddress(int n) { return kAdjustBase + 16 * n; }

// The eight bytes line 7 starts with, built byte by byte.
std::array<uint8_t, 8> AdjustLine7Bytes();

// The start-up table: the audio and squelch line, the power lines, line 7 and
// the end marker of line 10; every other cell 0.
void FillAdjustStartup(ProgramState& state);

// Bytes 6 and 7 of line 7 back to their start-up values, before every write.
void ResetAdjustLine7Tail(ProgramState& state);

// Whether a stored read reply (a LinkBuffer row) answers the request for
// address: the first 0x58 among positions 0..5 is followed by the address
// (high byte first) and the length 0x40, and the 64 data bytes after it lie
// within the 69 positions (0..68) a reply is stored in.
bool AdjustReplyAnswers(const std::array<int16_t, 71>& row, int address);

// LinkBuffer rows 1 and 2 (0x340..0x3BF) into AdjustTable lines 0..7. Only
// when both rows answer their requests; otherwise nothing changes and the
// result is false. Row 3 is fetched but not used: lines 8..10 stay.
[[nodiscard]] bool UnpackAdjustBlocks(ProgramState& state);

// A value control: the cell it shows and edits, and its list 0..entries-1
// (list index = value).
struct AdjustValue {
    int line;
    int byte;
    int entries;
};
constexpr int kSquelchLevels = 9;     // levels 1..9
constexpr int kFrequencyPoints = 10;  // points 0..9
constexpr AdjustValue kVoiceDeviation{0, 9, 128};
constexpr AdjustValue kCtcssDeviation{0, 10, 64};
constexpr AdjustValue kDcsDeviation{0, 11, 64};
// Squelch opening value of level 1..9: line 0, byte level - 1.
constexpr AdjustValue SquelchOpenValue(int level) { return {0, level - 1, 128}; }
// Transmit power at frequency point 0..9: line 1 (high) or 2 (low), byte point.
constexpr AdjustValue TxPowerValue(bool high, int point) { return {high ? 1 : 2, point, 128}; }
// The frequency in MHz that point 0..9 stands for and is labelled with.
constexpr int FrequencyPointMHz(int point) { return 400 + 10 * point; }

// The list entry a stored value shows: a value at or beyond the end of the
// list shows the last entry, one below 0 the first. The cell is not changed.
int ShownListIndex(int value, int entries);

// Byte 12 of line 0, the receive volume trim: coarse in the high 4 bits,
// fine in the low 4 bits, each a list of 16 entries.
constexpr int kVolumeByte = 12;
constexpr int kVolumeEntries = 16;
int VolumeCoarse(int byte12);
int VolumeFine(int byte12);
int WithVolumeCoarse(int byte12, int index);
int WithVolumeFine(int byte12, int index);

// Bytes 13 (transmit) and 14 (receive) of line 0: one audio option a bit.
constexpr int kTxOptionsByte = 13;
constexpr int kRxOptionsByte = 14;
constexpr int kWideBandBit = 0;
constexpr int kEmphasisBit = 1;       // pre-emphasis on transmit, de-emphasis on receive
constexpr int kVoiceHighPassBit = 2;
constexpr int kVoiceLowPassBit = 3;
bool OptionTicked(int optionsByte, int bit);
int WithOption(int optionsByte, int bit, bool ticked);

// The crystal list ("26 M", "13 M") works on the whole of byte 13: it shows
// "13 M" when the byte is not zero, and a choice stores its list index.
int CrystalIndex(int byte13);

// The firmware version of line 3, bytes 0..5, as characters; codes the
// character codec does not know are left out.
std::string AdjustVersionText(const ProgramState& state);

}  // namespace mx615
