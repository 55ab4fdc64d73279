#pragma once
// The raw radio image: the radio's 1024 bytes of memory, address 0x000 first,
// as the simulated radio keeps them. Beside the channel parameter file it lets
// a whole read be kept, including lines 54..63 that a ".chann" file leaves out.
// Which of the two a path holds is told by its suffix: ".img" (or ".IMG") is
// the raw image, anything else a channel parameter file.

#include <optional>
#include <string>

#include "files/SafeFile.h"
#include "model/ProgramState.h"

namespace mx615 {

constexpr int kImageFileBytes = kRadioLines * 16;   // 1024

bool IsRawImageName(const std::string& path);

// The image lines a file of this name carries: 64 for a raw image, 54 for a
// channel parameter file.
int LinesCarried(const std::string& path);

// Reads a raw image into RadioImage lines 0..63, bytes 0..15; a file of any
// other size is refused and the image is unchanged.
std::optional<FileError> LoadImageFile(ProgramState& state, const std::string& path);
// RadioImage lines 0..63 as the file's 1024 bytes.
std::string ImageFileBytes(const ProgramState& state);
// Writes RadioImage lines 0..63 as 1024 bytes, replacing any file there.
std::optional<FileError> SaveImageFile(const ProgramState& state, const std::string& path);

// A raw image or a channel parameter file, by the name's suffix.
std::optional<FileError> LoadRadioFile(ProgramState& state, const std::string& path);
std::optional<FileError> SaveRadioFile(const ProgramState& state, const std::string& path);

}  // namespace mx615
