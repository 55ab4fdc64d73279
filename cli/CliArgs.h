#pragma once
// The command line of mx615-cli: a command, its options and its files, and the
// help text of every command. Parsing knows nothing of ports or files beyond
// their names; the commands check those.

#include <string>
#include <vector>

namespace mx615::cli {

// What the program's exit status says.
enum Exit {
    kDone = 0,
    kRadioFailed = 1,   // a radio or a port failed
    kUsage = 2,         // the command line is wrong
    kFileFailed = 3,    // a file could not be read or written
    kDifferent = 4,     // a verify or a diff found differences
};

struct CliArgs {
    std::string command;              // "read", "write", ...; empty for the general help
    std::vector<std::string> ports;   // --port, in the order given
    std::string output;               // -o
    std::vector<std::string> files;   // the files named without an option
    std::string base;                 // --base
    std::string model = "UHF";        // --model
    bool modelGiven = false;          // --model was on the command line
    bool verify = true;               // write: read back and compare (--no-verify clears)
    bool quiet = false;               // -q
    bool chinese = false;             // --chinese
    bool raw = false;                 // --raw
    bool skipBad = false;             // --skip-bad
    bool repeat = false;              // write --repeat: radio after radio on one port
    std::string backup;               // write --backup DIR
    std::string log;                  // --log FILE (write, read)
    std::string title;                // print --title
    std::string paper = "a4";         // print --paper: a4 or letter
    bool check = false;               // read --check: read twice and compare
    bool help = false;                // --help, or the help command
    bool version = false;             // --version
};

struct ParsedArgs {
    CliArgs args;
    std::string error;   // not empty: a usage error, to be shown with the command's synopsis
    std::string hint;    // with an error: the nearest command or option ("did you mean verify?")
};

// argv without the program name.
ParsedArgs ParseCliArgs(const std::vector<std::string>& argv);

// The help of a command, or the general help for an empty or unknown name.
std::string HelpText(const std::string& command);
// The names of the commands, in the order the general help lists them.
std::vector<std::string> CommandNames();
// Of the words, the one nearest to typed, when it is near enough to be a slip
// of the keyboard (a letter wrong, missing, added or two swapped); else empty.
std::string NearestWord(const std::string& typed, const std::vector<std::string>& words);
// The command's one-line synopsis ("usage: mx615-cli read --port PORT -o FILE [-q]").
std::string Synopsis(const std::string& command);

// The model index (0 VHF, 1 UHF, 2 FULL) of a --model value, or -1.
int ModelIndexOf(const std::string& model);

}  // namespace mx615::cli
