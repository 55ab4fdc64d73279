#pragma once
// What the channel and the adjustment parameter files share: both are text
// files of whole numbers, written as " v " per value with CR LF line ends and
// read back in any layout (blanks, commas, any line breaks). Here are the
// reader, the writer, the check of a typed file name and the folder listing
// of the file dialogs; files/SafeFile.h reads and replaces the files.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/SafeFile.h"
#include "model/ProgramState.h"

namespace mx615 {

// Far more than any layout of our files needs; a bigger file is not ours.
constexpr std::size_t kNumberFileMaxBytes = 1 << 20;

// The shape of a file: lines of perLine values, of which the first
// byteValues of each line are radio bytes (0..255) and the rest any 16-bit
// value. kind names the file in messages ("a channel parameter file").
struct NumberFileFormat {
    int lines = 0;
    int perLine = 0;
    int byteValues = 0;
    Bilingual kind;
    int count() const { return lines * perLine; }
};

// The file text: for each line, " v " per value (a minus sign takes the
// place of the leading blank), then CR LF.
std::string NumberFileText(const NumberFileFormat& format, const std::function<int(int line, int index)>& value);

// Parses a whole file: exactly format.count() numbers, in file order, into
// values. On any fault the error names the line and the value, and values
// must not be used.
std::optional<FileError> ParseNumberText(std::string_view text, const NumberFileFormat& format,
                                         std::vector<int16_t>& values);

// Reads the file at path as ReadWholeFile does and parses it.
std::optional<FileError> ReadNumberFile(const std::string& path, const NumberFileFormat& format,
                                        std::vector<int16_t>& values);

// A value from a file as a message shows it: at most 24 characters, control
// and non-ASCII bytes escaped, so a damaged or binary file cannot garble the
// message box or the terminal.
std::string ShownValue(std::string_view token);

// The two checks of a typed file name, in the order the dialogs make them:
// no "*", "$", "\", "/" or "#", then a suffix exactly as lower or as upper.
enum class NameCheck { Ok, ForbiddenCharacter, WrongSuffix };
NameCheck CheckFileName(const std::string& name, std::string_view lower, std::string_view upper);

// A folder's content for the file dialogs: sub-folders and the files ending
// exactly in lower or upper, each sorted by name, hidden entries left out.
struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> files;
    std::optional<std::string> error;   // the system's reason when unreadable
};
FolderListing ListFolder(const std::string& path, std::string_view lower, std::string_view upper);

}  // namespace mx615
