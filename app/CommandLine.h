#pragma once
// The program's own arguments, looked at before Qt starts so that --help works
// without a display. Qt's own options (-platform, -display, ...) pass through.

#include <string>
#include <vector>

namespace mx615 {

struct CommandLine {
    enum class Action { Run, Help, Usage };
    Action action = Action::Run;
    bool service = false;     // --service: the hidden windows are reachable
    std::string file;         // a .chann, .img or .csv file to open once started
    std::string error;        // with Usage: what was wrong
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text --help prints.
std::string UsageText();

}  // namespace mx615
