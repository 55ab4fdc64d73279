#pragma once
// The scan information: bytes 0..8 of line 22 (0x160..0x168). Reading
// never writes; a window stores back what it shows, which normalises the
// stored value. Every store writes only its own byte(s).

#include <string>
#include <vector>

#include "features/Choices.h"

namespace mx615 {

namespace ScanAddress {
constexpr int PriorityMode = 0x160, PriorityChannel = 0x161, LookBackA = 0x162, LookBackB = 0x163;
constexpr int Revert = 0x164;
constexpr int DropoutLow = 0x165, DropoutHigh = 0x166, DwellLow = 0x167, DwellHigh = 0x168;
}  // namespace ScanAddress

enum class PriorityMode { None = 0, Fixed = 1, Selected = 2 };

// Priority mode: "None", "Fixed", "Selected", stored as the position.
const ChoiceList& PriorityModeChoices();
// The stored code limited to the last entry (Selected).
PriorityMode ShownPriorityMode(const ProgramState& state);
void StorePriorityMode(ProgramState& state, int position);

// Priority channel 1..16 (255 = none).
constexpr int kPriorityChannelFirst = 1, kPriorityChannelLast = 16;
// The box text: the stored number when it is 1..16, otherwise empty.
std::string ShownPriorityChannel(const ProgramState& state);
// The key filter: only "0".."9", and only while the trimmed text holds fewer
// than 2 characters. Backspace is swallowed too.
bool PriorityChannelKeyAccepted(const std::string& boxText, char32_t key);
enum class PriorityChannelEntry {
    Ignored,   // not Fixed: nothing stored, the stored channel survives
    Stored,    // 1..16 stored in 0x161
    Rejected,  // warn (ScanTexts::PriorityChannelRange) and empty the box
};
// The change rule: only in Fixed mode, the text's number (empty or
// non-numeric counts as 0) is stored when it is 1..16, otherwise rejected
// without storing.
PriorityChannelEntry PriorityChannelChanged(ProgramState& state, PriorityMode mode, const std::string& text);

// Look-back times A and B: 91 entries "0.50" .. "5.00"; entry 0 stores 0,
// entry k >= 1 stores k + 1.
enum class LookBack { A, B };
int Address(LookBack which);
const ChoiceList& LookBackChoices();
// Codes 0 and 1 show entry 0, c in 2..91 entry c - 1, above 91 the last.
int ShownLookBackPosition(const ProgramState& state, LookBack which);
void StoreLookBackPosition(ProgramState& state, LookBack which, int position);

// Revert channel. The list depends on the priority mode: None "Selected",
// "Selected+Talk Back" (codes 0, 1); Fixed all four (0..3); Selected
// "Priority", "Priority+Talk Back" (codes 2, 3).
ChoiceList RevertChoices(PriorityMode mode);
// The entry shown for the stored code in that mode: the code itself (in
// Selected the code - 2 when it is above 1), limited to the last entry.
int ShownRevertPosition(const ProgramState& state, PriorityMode mode);
// Stores the entry's code (position + 2 in Selected); a position outside
// the list stores nothing.
void StoreRevertPosition(ProgramState& state, PriorityMode mode, int position);

// Dropout delay and TX dwell time: 0..300 s over two bytes, low byte first.
enum class ScanDelay { Dropout, Dwell };
constexpr int kDelayLastSeconds = 300;
int LowAddress(ScanDelay which);
// Entries "0" .. "300"; the position is the number of seconds.
const ChoiceList& DelayChoices();
// high x 256 + low, limited to 300. A high byte of 128 or more (a negative
// 16-bit number in the radio) shows the last entry, 300.
int ShownDelaySeconds(const ProgramState& state, ScanDelay which);
// Stores seconds (0..300) as low = s mod 256 and high = s div 256; any
// other value stores nothing.
void StoreDelaySeconds(ProgramState& state, ScanDelay which, int seconds);

// The enabling rule of the priority mode. The revert, dropout and dwell
// lists are always enabled.
struct ScanEnabling {
    bool emptyPriorityChannel;     // the box is emptied (None, Selected)
    bool priorityChannelEnabled;   // Fixed only; otherwise greyed
    bool lookBackEnabled;          // Fixed and Selected; greyed in None
};
ScanEnabling ScanEnablingFor(PriorityMode mode);

std::vector<SettingLine> ScanSettings(const ProgramState& state, bool chinese);

}  // namespace mx615
