#pragma once
// The commands of mx615-cli. Each returns the program's exit status (Exit).

#include <string>

#include "cli/CliArgs.h"
#include "files/NumberFile.h"
#include "model/ProgramState.h"

namespace mx615::cli {

// read, write, verify, adjust-read, adjust-write, ports.
int RunTransferCommand(const CliArgs& args);
// doctor.
int RunDoctor(const CliArgs& args);
// show, diff, export-csv, import-csv.
int RunFileCommand(const CliArgs& args);

// "mx615-cli: " and the text, on standard error.
void Complain(const std::string& text);
// A file fault, naming the file unless the text already does.
void ComplainAbout(const std::string& path, const FileError& fault);

// A state with the tone and model tables, holding a .chann or .img file;
// complains and returns false when the file cannot be read.
bool LoadForCommand(ProgramState& state, const std::string& path);

// What a file written by a command holds: the name must say so, so that a
// mistyped name never replaces a file of another kind.
enum class OutputKind { Radio, Adjustment, Csv };
// Whether the name ends in a suffix of its kind; if not, says so (a usage error).
bool OutputNamed(const std::string& path, OutputKind kind);

}  // namespace mx615::cli
