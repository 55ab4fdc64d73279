#pragma once
// The optional features: where each option lives in RadioImage (lines
// 18..21), what its control shows for a stored value, what a choice stores,
// and which controls are enabled. Reading never writes: a window normalises by
// storing back what it shows, as the Part says ("showing a stored value also
// normalises it"); each store writes only the byte of its own option.

#include <optional>
#include <string>
#include <vector>

#include "features/Choices.h"

namespace mx615 {

namespace OptionAddress {
constexpr int Tot = 0x130, Toa = 0x131, PttId = 0x132, PttType = 0x133, Squelch = 0x134;
constexpr int BatterySave = 0x135, Beep = 0x136, Voice = 0x137, VoxReceive = 0x138, Vox = 0x139;
constexpr int VoxGain = 0x13A, VoxDelay = 0x13B, VoxTone = 0x13C, Mic = 0x13D, Clone = 0x13E;
constexpr int ScramblerActivation = 0x12C, ScramblerBackup = 0x12D;
constexpr int DtmfBeginLine = 20, DtmfEndLine = 21;  // 0x140..0x14F, 0x150..0x15F
}  // namespace OptionAddress

// The lists of the window, in the order ShowStoredOptions shows them.
enum class OptionList { Tot, Toa, Squelch, Mic, Voice, PttType, PttId, VoxGain, VoxDelay };
// The check boxes that have a byte ("Cancel Operation" has none).
enum class OptionCheck { BatterySave, Beep, ScramblerActivation, ScramblerBackup, Vox, VoxTone, VoxReceive, Clone };

inline constexpr OptionList kOptionLists[] = {OptionList::Tot,     OptionList::Toa,   OptionList::Squelch,
                                              OptionList::Mic,     OptionList::Voice, OptionList::PttType,
                                              OptionList::PttId,   OptionList::VoxGain, OptionList::VoxDelay};
inline constexpr OptionCheck kOptionChecks[] = {
    OptionCheck::BatterySave, OptionCheck::Beep, OptionCheck::ScramblerActivation, OptionCheck::ScramblerBackup,
    OptionCheck::Vox,         OptionCheck::VoxTone, OptionCheck::VoxReceive,       OptionCheck::Clone};

// PTT ID positions.
constexpr int kPttBot = 0, kPttEot = 1, kPttBoth = 2;

int Address(OptionList list);
int Address(OptionCheck check);
const Bilingual& Label(OptionList list);
const Bilingual& Label(OptionCheck check);
// The control's name in the window ("Combo_TOT", "Check_Save").
const char* ControlName(OptionList list);
const char* ControlName(OptionCheck check);

// The entries of a list with their stored codes: TOT 15..600 s stores
// position + 1; every other list stores its position.
const ChoiceList& Choices(OptionList list);

// The position a list shows for its stored code: a TOT code of 0 counts as 1
// (15 s); a code beyond the list shows the last entry.
int ShownPosition(const ProgramState& state, OptionList list);
// Stores the code of the entry at position; a position outside the list (no
// selection) stores nothing.
void StorePosition(ProgramState& state, OptionList list, int position);

// A check box is checked when its byte is not 0; it stores 1 or 0.
bool ShownCheck(const ProgramState& state, OptionCheck check);
void StoreCheck(ProgramState& state, OptionCheck check, bool checked);

// Enabling rules.
struct DtmfBoxesEnabled {
    bool begin;
    bool end;
};
// BOT: begin only; EOT: end only; Both: both. A disabled box is greyed.
DtmfBoxesEnabled DtmfBoxesFor(int pttIdPosition);
// VOX checked enables Combo_VOX_g, Combo_VOX_t, Check_vox_Operation,
// Check_vox_Tone and Check_vox_Receive (kVoxSubControls); applied before the
// VOX state is stored. Unchecking leaves their stored values alone.
bool VoxSubControlsEnabled(bool voxChecked);
inline constexpr const char* kVoxSubControls[] = {"Combo_VOX_g", "Combo_VOX_t", "Check_vox_Operation",
                                                  "Check_vox_Tone", "Check_vox_Receive"};
// Scrambler backup is enabled exactly while activation is unchecked.
bool ScramblerBackupEnabled(bool activationChecked);

// The DTMF strings: 16 positions, one character code per byte, 255 = unused.
enum class DtmfString { Begin, End };
constexpr int kDtmfPositions = 16;
int DtmfLine(DtmfString which);

// "0".."9", "A".."D", "a".."d".
bool IsDtmfKey(char32_t key);
// The box text for the stored string: codes of "0".."9" and "A".."D" in
// order; any other code (255 included) is skipped wherever it stands.
std::string ShownDtmf(const ProgramState& state, DtmfString which);
// The key filter: what a key press puts into the box (a lower-case "a".."d"
// turned upper-case), or nothing when the key is swallowed: any other key
// (Backspace included) and any key once the trimmed box text holds 16
// characters.
std::optional<char> FilteredDtmfKey(const std::string& boxText, char32_t key);
// Rewrites the whole field: all 16 positions 255, then the codes of the
// characters of text from position 0 (at most 16).
void StoreDtmf(ProgramState& state, DtmfString which, const std::string& text);
// The key-press handler: filters the key and, when it is accepted, stores
// the trimmed box text followed by the key. Returns what the box receives.
std::optional<char> DtmfKeyPress(ProgramState& state, DtmfString which, const std::string& boxText, char32_t key);
// The change handler's clean-up of text that arrives other than by typing:
// the trimmed text is cut at its first character that is not a DTMF key; a
// first "a".."d" becomes upper-case and ends the text there ("12X34" -> "12",
// "1b3" -> "1B"). Text with nothing to clean comes back unchanged. Stores
// nothing.
std::string CleanedDtmfText(const std::string& text);

// Every option as the window shows it, label and value, in the window's order.
std::vector<SettingLine> OptionSettings(const ProgramState& state, bool chinese);

}  // namespace mx615
