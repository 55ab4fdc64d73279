#pragma once
// The commands of mx615-cli. Each returns the program's exit status (Exit).

#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "files/SafeFile.h"
#include "files/PlanFile.h"
#include "link/DeviceTree.h"
#include "model/ProgramState.h"

namespace mx615::cli {

// read, write, verify, adjust-read, adjust-write, ports.
int RunTransferCommand(const CliArgs& args);
// ports: the port table as the windows, the transfers and the doctor number
// it, from the system below the tree's root.
int ListPorts(const DeviceTree& devices);
// doctor, looking at the system below root.
int RunDoctor(const CliArgs& args, const std::string& root = "/");
// show, diff, export-csv, import-csv.
int RunFileCommand(const CliArgs& args);
// print (needs a QGuiApplication for a PDF).
int RunPrint(const CliArgs& args);

// "mx615-cli: " and the text, on standard error.
void Complain(const std::string& text);
// A file fault, naming the file unless the text already does.
void ComplainAbout(const std::string& path, const FileError& fault);

// A state with the tone and model tables of --model, holding the plan at
// path (.chann, .img or .csv, by its suffix) as the windows' loader takes it.
// A CSV's channels go over under when it is given, else over --base, else over
// the start-up image; --skip-bad leaves out the rows that cannot be stored,
// and says which. Complains and returns false when the plan cannot be taken.
bool LoadPlanForCommand(ProgramState& state, const std::string& path, const CliArgs& args,
                        PlanDetails* details = nullptr, const ProgramState* under = nullptr);

// Channel numbers as ranges: "1-4, 7, 9-16"; "none" for none.
std::string ChannelRanges(const std::vector<int>& channels);

// What a file written by a command holds: the name must say so, so that a
// mistyped name never replaces a file of another kind.
enum class OutputKind { Radio, Adjustment, Csv, Sheet };
// Whether the name ends in a suffix of its kind; if not, says so (a usage error).
bool OutputNamed(const std::string& path, OutputKind kind);

}  // namespace mx615::cli
