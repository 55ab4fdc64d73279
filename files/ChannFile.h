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

#include "files/NumberFile.h"
#include "model/ProgramState.h"

namespace mx615 {

constexpr int kChannFileLines = 54;
constexpr int kChannFileValues = 22;   // per line: 16 radio bytes, 6 spare cells
constexpr int kChannFileRadioValues = 16;
constexpr int kChannFileCount = kChannFileLines * kChannFileValues;   // 1188
constexpr std::size_t kChannFileMaxBytes = kNumberFileMaxBytes;

using ChannTable = std::array<std::array<int16_t, kChannFileValues>, kChannFileLines>;
using ChannFileError = FileError;
using ChannNameCheck = NameCheck;

// The file text of lines 0..53: " 255  255 ... 0 " and CR LF, 54 times.
std::string ChannFileText(const ProgramState& state);

// Parses a whole file into table; on any fault table may be partly filled and
// the error names the line and the value.
std::optional<FileError> ParseChannText(std::string_view text, ChannTable& table);

// Copies a parsed table into RadioImage lines 0..53, cells 0..21.
void ApplyChannTable(ProgramState& state, const ChannTable& table);

// Reads the file at path into RadioImage; on any fault the image is unchanged.
std::optional<FileError> LoadChannFile(ProgramState& state, const std::string& path);

// Saves RadioImage lines 0..53 to path.
std::optional<FileError> SaveChannFile(const ProgramState& state, const std::string& path);

// ".chann" or ".CHANN", nothing else.
NameCheck CheckChannName(const std::string& name);
FolderListing ListChannFolder(const std::string& path);

}  // namespace mx615
