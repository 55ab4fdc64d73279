#pragma once
// The adjustment parameter file: lines 0..6 of AdjustTable as 7 text lines of
// 16 decimal numbers. Lines 7..10 of the table are neither written nor read.
// As with the channel file, only a whole, valid file reaches the table, and a
// save replaces the previous file only once the new one is complete.

#include <optional>
#include <string>
#include <string_view>

#include "files/NumberFile.h"
#include "model/ProgramState.h"

namespace mx615 {

constexpr int kAdjFileLines = 7;
constexpr int kAdjFileValues = 16;
constexpr int kAdjFileCount = kAdjFileLines * kAdjFileValues;   // 112

// The file text: " 38  38 ... 0 " and CR LF, 7 times.
std::string AdjFileText(const ProgramState& state);

// Takes the 112 numbers of text, in any layout, into AdjustTable lines 0..6.
// On any fault (not a number, not a byte, too few, too many) the table is
// unchanged and the error names the line and the value.
std::optional<FileError> LoadAdjustText(ProgramState& state, std::string_view text);

// Reads the file at path into AdjustTable lines 0..6; on any fault, including
// a file that cannot be opened, the table is unchanged.
std::optional<FileError> LoadAdjustFile(ProgramState& state, const std::string& path);

// Writes AdjustTable lines 0..6 to path, replacing any file there.
std::optional<FileError> SaveAdjustFile(const ProgramState& state, const std::string& path);

// ".adj" or ".ADJ", nothing else, after the forbidden-character check.
NameCheck CheckAdjName(const std::string& name);
FolderListing ListAdjFolder(const std::string& path);

}  // namespace mx615
