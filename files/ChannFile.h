#pragma once
// The channel parameter file: lines 0..53 of RadioImage as 54 text lines of 22
// decimal numbers. Reading takes the numbers in any layout, but only a whole,
// valid file ever reaches the image: it is parsed into a temporary table first.
// Saving writes a temporary file beside the target and renames it over it, so
// a failed save leaves the previous file as it was.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

constexpr int kChannFileLines = 54;
constexpr int kChannFileValues = 22;   // per line: 16 radio bytes, 6 spare cells
constexpr int kChannFileRadioValues = 16;
constexpr int kChannFileCount = kChannFileLines * kChannFileValues;   // 1188
// Far more than any layout of 1188 numbers needs; a bigger file is not ours.
constexpr std::size_t kChannFileMaxBytes = 1 << 20;

using ChannTable = std::array<std::array<int16_t, kChannFileValues>, kChannFileLines>;

// Why a file could not be read or written, in both languages. line is the
// file line as the user counts it (from 1), 0 when no line is concerned.
struct ChannFileError {
    Bilingual text;
    int line = 0;
};

// The file text of lines 0..53: " 255  255 ... 0 " and CR LF, 54 times.
std::string ChannFileText(const ProgramState& state);

// Parses a whole file into table; on any fault table may be partly filled and
// the error names the line and the value.
std::optional<ChannFileError> ParseChannText(std::string_view text, ChannTable& table);

// Copies a parsed table into RadioImage lines 0..53, cells 0..21.
void ApplyChannTable(ProgramState& state, const ChannTable& table);

// Reads the file at path into RadioImage; on any fault the image is unchanged.
std::optional<ChannFileError> LoadChannFile(ProgramState& state, const std::string& path);

// Writes text to path through a temporary file in the same folder. On failure
// the previous file (if any) is untouched and no temporary file is left.
std::optional<ChannFileError> WriteFileReplacing(const std::string& path, const std::string& text);

// Saves RadioImage lines 0..53 to path.
std::optional<ChannFileError> SaveChannFile(const ProgramState& state, const std::string& path);

// The two checks of a typed file name, in the order the dialogs make them.
enum class ChannNameCheck { Ok, ForbiddenCharacter, WrongSuffix };
ChannNameCheck CheckChannName(const std::string& name);

// A folder's content for the file dialogs: sub-folders and the files ending
// exactly in ".chann" or ".CHANN", each sorted by name, hidden entries left out.
struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> files;
    std::optional<std::string> error;   // the system's reason when unreadable
};
FolderListing ListChannFolder(const std::string& path);

}  // namespace mx615
