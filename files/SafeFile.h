#pragma once
// Whole files read and written safely: only regular files are read (a pipe,
// a terminal or a device is refused before it is opened), and a file is
// replaced through a temporary file beside it, so a failed save never leaves
// half a file. Every file of the program goes through here.

#include <cstddef>
#include <optional>
#include <string>

#include "model/ProgramState.h"

namespace mx615 {

// Why a file could not be read or written, in both languages. line is the
// file line as the user counts it (from 1), 0 when no line is concerned.
struct FileError {
    Bilingual text;
    int line = 0;
};

// Reads the whole file at path into text. Only a regular file (or a link to
// one) is read: a folder, a pipe or a device is refused at once, without
// waiting on it. An unreadable file is refused with the system's reason, one
// larger than maxBytes with kind naming what it should have been ("a channel
// parameter file").
std::optional<FileError> ReadWholeFile(const std::string& path, std::size_t maxBytes, const Bilingual& kind,
                                       std::string& text);

// Writes text to path through a temporary file in the same folder. On failure
// the previous file (if any) is untouched and no temporary file is left. A
// name that is not a regular file (a folder, a pipe, a device) is refused and
// left as it is.
std::optional<FileError> WriteFileReplacing(const std::string& path, const std::string& text);
// The refusal of a name that exists but is not a regular file (or a link to
// one): a folder, a pipe, a device. A name that does not exist passes.
std::optional<FileError> RefuseNonRegularFile(const std::string& path, bool writing);
// Writes a file that must not exist yet, whole or not at all; existed tells
// that a file of that name was there (and is untouched).
std::optional<FileError> WriteNewFile(const std::string& path, const std::string& text, bool& existed);

}  // namespace mx615
