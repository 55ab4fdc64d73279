#pragma once
// The channel plan as a generic channel CSV, the layout that many programming
// tools of other radios export and import: a header row naming the columns
// (Location, Name, Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq,
// DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode, Mode, TStep, Skip, Power,
// Comment, URCALL, RPT1CALL, RPT2CALL, DVCODE), then one row per channel.
//
// Frequencies are handled as whole numbers of 10 Hz, the radio's own step;
// tones are matched against the radio's tone list by their names.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

// A fault of the file, or of one row: the line it starts on (from 1) and what
// is wrong, naming the value.
struct CsvProblem {
    int line = 0;
    std::string text;
};

// What the radio cannot keep but a printed sheet shows: the Name and Comment
// of each channel (index n - 1) that received a row, as the file has them.
struct ChannelLabels {
    std::array<std::string, kChannels> names, comments;
};

struct CsvImport {
    // The file as a whole cannot be taken (no header row, no Frequency column).
    std::optional<CsvProblem> unusable;
    // Rows that cannot be stored, in file order.
    std::vector<CsvProblem> refused;
    // What the user should know although nothing is wrong.
    std::vector<std::string> notes;
    // The same, in both languages, naming rows: where the Location column was
    // not followed, which row went to which channel; a frequency on no
    // channel raster, with the nearest channel. The windows show these in the
    // one message of the open.
    std::vector<Bilingual> notices;
    // The channels that received a row, ascending.
    std::vector<int> channels;
    // Rows skipped because their Frequency is empty or 0.
    int skipped = 0;
    // The names and comments of the stored rows.
    ChannelLabels labels;
    // No row holds a channel (a header alone, or only rows without a
    // frequency): taken, it would clear all 16 channels, so it is refused.
    bool noChannels = false;
    // Whether state was changed.
    bool applied = false;
};

// Takes the CSV text as the channel plan of state: channels 1..16 and their
// scan bits (0x17E, 0x17F); every other byte keeps what state holds. Rows go to
// their Location when every row has a distinct Location 1..16, otherwise to
// channels 1..16 in file order (and the notices say row by row where each
// went). Channels without a row are cleared. A refused row is reported with
// every fault it has. The band
// is that of state.ModelIndex (BuildModelTable and BuildToneTables must have
// run). Nothing changes when any row is refused, unless skipBad is set: then
// the rows that fit are stored and the others are reported. Nothing changes
// either when no row holds a channel (noChannels).
//
// Read as leniently as the tools that write such files: the separator is the
// one of ",", ";" or a tab the header row uses, and with ";" a decimal comma
// is read as a point ("446,00625"), and so with a tab; a line whose first field starts with "#"
// is a comment; a row whose Frequency is empty or 0 is skipped; frequencies
// may carry their unit ("446.00625 MHz", "446006.25 kHz"); the words of the
// fixed-choice columns are taken in any letter case.
CsvImport ImportChannelCsv(std::string_view text, ProgramState& state, bool skipBad);

// Why a CSV without a channel row is refused, to follow "The file X was not
// opened: " or the file's name.
inline const Bilingual kCsvNoChannels{
    "it holds no channels (no row under the header row has a frequency), and taking it would clear all 16 "
    "channels. Check that this is the channel list you meant: each channel needs a row with its Frequency.",
    "其中没有信道（表头行之下没有一行填有频率），调入它会清空全部 16 个信道。请确认这是您要的信道列表：每个信道需要一行并填写频率。"};

// The note of an import whose rows name or comment channels.
inline const std::string kCsvLabelsNotStored =
    "The radio keeps no channel names or comments: the Name and Comment columns were not stored.";

// Above the notices of a CSV that was opened.
inline const Bilingual kCsvOpenedWithNotices{"The channel list was opened. Check these rows:",
                                             "信道列表已打开。请核对以下各行："};

// What a file that is read as a channel CSV may hold, and its name in messages.
constexpr std::size_t kCsvMaxBytes = 1 << 20;
inline const Bilingual kCsvKind{"a channel CSV", "信道 CSV"};

// The refused rows as the user reads them, "name line N: what is wrong", the
// first 40 of them and then how many more.
std::vector<std::string> CsvProblemLines(const std::string& name, const CsvImport& result);

// Another model (index into ModelNames) whose band takes every row of the
// text that the model of state refuses, or none.
std::optional<int> ModelTakingCsv(std::string_view text, const ProgramState& state);

struct CsvExport {
    std::string text;
    // Tones the CSV cannot carry (codes outside the radio's tone list).
    std::vector<std::string> notes;
};

// Every used channel as one row, Location = the channel number, with a valid
// value in every numeric column, and the Name and Comment of labels where
// given (a plan read from a CSV keeps them). Importing the text again gives
// back the same channel fields, byte for byte, and the same labels.
// The fields are parted by separator: a comma for files, a tab for the
// clipboard, which spreadsheets paste as a table.
CsvExport ExportChannelCsv(const ProgramState& state, const ChannelLabels* labels = nullptr, char separator = ',');

// The separator a CSV text uses (",", ";" or a tab), as the import finds it.
char CsvSeparatorOf(std::string_view text);

}  // namespace mx615
