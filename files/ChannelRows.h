#pragma once
// Channels as rows, as the channel table copies, pastes, moves and sorts them.
// On the clipboard a run of channels is the channel CSV the program writes,
// tab-separated with its header row, so that a spreadsheet pastes it as a
// table; text pasted back is read by the same rules as an opened CSV. Beside
// that text the program keeps the channels' own bytes, which carry the fields
// the CSV has no column for (PTT-ID, busy lockout, ...): a paste inside the
// program is exact.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

// What the clipboard receives for channels first..last: the CSV text of the
// used ones among them (Location = the channel number), and the exact bytes.
struct CopiedChannels {
    std::string text;
    std::string bytes;
    // Values the CSV text cannot carry (the bytes do).
    std::vector<std::string> notes;
    // Whether any channel of the run is in use; nothing is copied otherwise.
    bool any = false;
};
CopiedChannels CopyChannels(const ProgramState& state, int first, int last);

// Why a paste was refused, and the rows at fault ("Line 3: ...").
struct PasteFault {
    Bilingual text;
    std::vector<std::string> rows;
};

struct PasteResult {
    std::optional<PasteFault> fault;  // set: nothing changed
    std::vector<int> channels;        // the channels that received a row
    std::vector<std::string> notes;
};

// Puts the rows of text on channels from at on: the rows keep their distances
// when each has its own Location 1..16 (a run copied with a gap pastes with
// the gap), otherwise they follow one another. The text may come without its
// header row (then its columns are the program's), parted by commas,
// semicolons or tabs, with decimal commas. Any row that cannot be stored, or
// that would land past channel 16, refuses the whole paste and nothing
// changes. bytes, when given and made together with exactly this text, gives
// the channels' exact records instead.
PasteResult PasteChannels(std::string_view text, ProgramState& state, int at, std::string_view bytes = {});

// Empties channels first..last and takes them out of the scan list.
void ClearChannels(ProgramState& state, int first, int last);

// Swaps channel n with channel m (record and scan bit).
void SwapChannels(ProgramState& state, int n, int m);

// Puts the used channels in order of their receive frequency, in the places
// used channels hold; empty channels stay where they are. Returns whether
// anything moved.
bool SortChannelsByRx(ProgramState& state);

namespace ChannelRowTexts {
inline const Bilingual NothingToCopy{"The selected channels are empty: nothing was copied.",
                                     "所选信道都是空的，没有复制任何内容。"};
inline const Bilingual NotPasted{"The channels were not pasted: ", "信道未粘贴："};
inline const Bilingual NoRows{"the clipboard holds no channel rows (each row needs its Frequency).",
                              "剪贴板中没有信道行（每一行都需要填写频率）。"};
inline const Bilingual Unusable{"the clipboard's text is not a channel table: ", "剪贴板中的文字不是信道表："};
inline const Bilingual Refused{"some rows cannot be stored; nothing was changed.", "有些行无法存储，未做任何改动。"};
inline const Bilingual PastSixteen{"the rows would reach past channel 16.", "这些行会超出第 16 信道。"};
}  // namespace ChannelRowTexts

}  // namespace mx615
