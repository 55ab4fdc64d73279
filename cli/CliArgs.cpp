#include "cli/CliArgs.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "files/PlanFile.h"

namespace mx615::cli {

namespace {

enum Option : unsigned {
    kPort = 1u << 0,
    kOutput = 1u << 1,
    kNoVerify = 1u << 2,
    kChinese = 1u << 3,
    kRaw = 1u << 4,
    kBase = 1u << 5,
    kModel = 1u << 6,
    kSkipBad = 1u << 7,
    kManyPorts = 1u << 8,
    kRepeat = 1u << 9,
    kBackup = 1u << 10,
    kLog = 1u << 11,
    kPortOptional = 1u << 12,   // --port may be left out
    kTitle = 1u << 13,
    kPaper = 1u << 14,
    kCheck = 1u << 16,
    // Takes plans: a CSV among them takes --model, --base and --skip-bad.
    kPlan = kModel | kBase | kSkipBad | (1u << 15),
};

struct Command {
    const char* name;
    unsigned options;
    int files;            // how many files it names without an option
    const char* usage;    // after "mx615-cli "
    const char* help;
};

const std::array<Command, 13> kCommands{{
    {"read", kPort | kOutput | kLog | kCheck, 0, "read --port PORT -o FILE [--check] [--log LOG.csv] [-q]",
     "Reads the radio's memory (0x000..0x3FF) and saves it: a .chann file holds lines 0..53\n"
     "as the program's File > Save does; a .img file holds the raw 1024 bytes. Prints the\n"
     "fingerprint of what was read (see print).\n"
     "The protocol carries no checksum. A read refuses a reply that is missing, short, too\n"
     "long, out of step or for another address, but a noisy line that changes data bytes\n"
     "and nothing else goes unseen. --check reads the radio twice and saves nothing when\n"
     "the two reads differ (a line that garbles the same bytes twice still goes unseen).\n"
     "--log appends a row for the radio to a CSV file (see write).\n"},
    {"write", kPort | kManyPorts | kNoVerify | kRepeat | kBackup | kLog | kPlan, 1,
     "write --port PORT [--port PORT ...] [--repeat] [--backup DIR] [--log LOG.csv] [--no-verify] [-q]\n"
     "[--model M] [--base FILE] [--skip-bad] FILE",
     "Writes the plan FILE to the radio (0x000..0x30F), then reads the radio back\n"
     "and compares, unless --no-verify is given. A difference is listed as diff words it,\n"
     "then by address, the file's value and the radio's, and the exit status is 4.\n"
     "A CSV without --base is written over what the radio holds: the radio is read first\n"
     "(with --backup that read is the backup), the CSV's channels go over it, and the\n"
     "radio keeps its own settings.\n"
     "A failure says how far the transfer got and what the radio now holds: nothing\n"
     "changed (no answer, another device), partly written (after frame N of 49: write it\n"
     "again, or write its backup back), or written but not verified.\n"
     "Given --port more than once, writes every radio at the same time; a radio that\n"
     "fails does not stop the others, and the summary says which succeeded.\n"
     "--repeat (one --port) programs one radio after another on the same cable: after\n"
     "each radio, Enter starts the next, q and Enter (or the end of input) finishes.\n"
     "Ctrl+C ends the run; the summary counts the radios written, differing and failed.\n"
     "--backup DIR first reads each radio's whole memory (0x000..0x3FF) and saves it in\n"
     "DIR as a new .img file named by date, time, port and the radio's number in the run;\n"
     "a radio whose backup cannot be read is not written. Writing that file back\n"
     "restores the radio.\n"
     "--log appends one CSV row per radio to LOG.csv (header when new): time, port,\n"
     "device, ident, file, result (written, read, differs, failed), backup, message,\n"
     "station (this machine's name). A row that cannot be written is reported and the\n"
     "radios go on; the run then ends with exit status 1. A --log file is one this tool\n"
     "began (its first line is the log's header) or a new one; any other file is refused.\n"
     "Ctrl+C, SIGTERM or SIGHUP (a closed terminal) stops the radio in hand, logs it and\n"
     "ends the run. In a --repeat run, Enter with no radio on the cable (no answer) says\n"
     "so and asks again without counting a radio.\n"},
    {"verify", kPort | kPlan, 1, "verify --port PORT [-q] [--model M] [--base FILE] [--skip-bad] FILE",
     "Reads the radio and compares 0x000..0x30F (what a write sends) with the plan FILE,\n"
     "and prints the fingerprint of what the radio holds (see print). Differences are\n"
     "named as diff names them (channel and field, file -> radio), then by address.\n"
     "A CSV without --base is compared by its channels only.\n"
     "Exit status 4 when they differ.\n"},
    {"adjust-read", kPort | kOutput, 0, "adjust-read --port PORT -o FILE.adj [-q]",
     "Reads the radio's power and deviation adjustment (0x340..0x3FF), as the service\n"
     "window does, and saves lines 0..6 of the adjustment table as a .adj file.\n"},
    {"adjust-write", kPort, 1, "adjust-write --port PORT [-q] FILE.adj",
     "Writes the adjustment table of FILE.adj to the radio (0x340..0x3EF), as the\n"
     "service window does.\n"},
    {"show", kChinese | kPlan, 1, "show [--chinese] [--model M] [--base FILE] [--skip-bad] FILE",
     "Prints the 16 channels as the channel table shows them, then the optional\n"
     "features, the keys, the scan information, the test frequencies, the messages and\n"
     "the plan's fingerprint (see print). A CSV without --base shows its channels only:\n"
     "the other settings are those of the radio it is written to.\n"},
    {"diff", kChinese | kRaw | kPlan, 2, "diff [--raw] [--chinese] [--model M] [--base FILE] [--skip-bad] FILE1 FILE2",
     "Lists what differs between two plans in the words of the windows\n"
     "(\"Channel 3 RX Frequency: 446.00625 -> 446.01875\"); bytes that no window shows are\n"
     "listed by address. --raw lists every differing address and its bytes.\n"
     "A CSV without --base takes the rest of the radio's settings from the other file, so\n"
     "that only the channels are compared.\n"
     "Exit status 4 when anything differs, 0 when nothing does.\n"},
    {"export-csv", kOutput | kPlan, 1, "export-csv FILE -o CHANNELS.csv [--model M] [--base FILE] [--skip-bad]",
     "Writes the used channels as a generic channel CSV (Location, Name, Frequency,\n"
     "Duplex, Offset, Tone, ...), the layout other programming tools import; Power is\n"
     "written as watts (5.0W high, 1.0W low).\n"},
    {"print", kOutput | kChinese | kTitle | kPaper | kPlan, 1,
     "print FILE -o SHEET.pdf|SHEET.html [--chinese] [--title TEXT] [--paper a4|letter]\n"
     "[--model M] [--base FILE] [--skip-bad]",
     "Prints the plan as a channel sheet of one page, for the radios' users: the title\n"
     "(default: the file's name), the model and its band, the date and the fingerprint;\n"
     "the 16 channels as the channel table shows them, with the Name and Comment columns\n"
     "of a CSV; the optional features, keys, scan information and messages as show prints\n"
     "them. -o SHEET.pdf makes a PDF with its fonts embedded; -o SHEET.html the same page\n"
     "for a browser, with its print style. --chinese prints it in Chinese, with a Chinese\n"
     "font (Debian: fonts-wqy-microhei). --paper is a4 (default) or letter. A name or\n"
     "comment longer than 16 characters is cut and ends in an ellipsis. A channel outside\n"
     "the band of the model that the sheet names is reported on standard error.\n"
     "A CSV without --base prints its channels and says that the settings are the radio's.\n"
     "The fingerprint is the CRC-32 (as zip and PNG compute it) of the bytes a write sends,\n"
     "0x000..0x30F; show, read and verify print it too, so that a radio read later can be\n"
     "matched with its sheet.\n"},
    {"import-csv", kOutput | kBase | kModel | kSkipBad, 1,
     "import-csv CHANNELS.csv -o FILE [--base FILE] [--model VHF|UHF|FULL] [--skip-bad]",
     "Takes a generic channel CSV as the channel plan and saves it as FILE (.chann or\n"
     ".img). Rows go to their Location when every row has its own Location 1..16,\n"
     "otherwise to channels 1..16 in file order, and then each row is named with the\n"
     "channel it went to; channels without a row are cleared. A frequency on no channel\n"
     "raster (not a multiple of 2.5 or 6.25 kHz) is named with the nearest channel.\n"
     "Everything else (options, keys, scan, test frequencies, messages) comes from\n"
     "--base, or from the program's start-up image. Frequencies must lie in the band of\n"
     "--model (default UHF). A row that cannot be stored is reported with its line, and\n"
     "nothing is written, unless --skip-bad is given: then the rows that fit are saved.\n"
     "Read as those tools write it: lines starting with # are comments, rows whose\n"
     "Frequency is empty or 0 are skipped (and counted), frequencies may end in MHz or\n"
     "kHz; the separator (, ; or tab) is the header row's, and with ; a decimal comma\n"
     "is read as a point (446,00625).\n"},
    {"ports", 0, 0, "ports", "Lists the port table: what COM1, COM2, ... stand for on this machine.\n"},
    {"doctor", kPort | kPortOptional, 0, "doctor [--port PORT]",
     "Looks at what stands between you and the radio, without changing anything: the port\n"
     "table and the cable chips, whether you may open each port (mode, owner, group, your\n"
     "groups, the udev rule), programs that hold a port, brltty and ModemManager. Without\n"
     "--port it looks for the programming cable: a cable chip on the USB bus that no port\n"
     "came of is named with the kernel module that makes its port and the kernel's last\n"
     "line about it (read from /dev/kmsg or /var/log/kern.log; where only root may read\n"
     "them, run it with sudo to see that line). With --port it also opens the port and\n"
     "asks the radio for its first block (a read, no write). Each finding is a line\n"
     "starting with ok:, warning: or problem:.\n"},
    {"help", 0, -1, "help [COMMAND]", "Shows the help of a command.\n"},
}};

const Command* find(const std::string& name)
{
    const auto it = std::find_if(kCommands.begin(), kCommands.end(), [&](const Command& c) { return name == c.name; });
    return it == kCommands.end() ? nullptr : &*it;
}

// Every option's spellings and the bit that allows it.
struct OptionName {
    const char* name;
    unsigned bit;   // 0: every command takes it
};
const std::array<OptionName, 20> kOptionNames{{
    {"--port", kPort},      {"-p", kPort},          {"--output", kOutput},  {"-o", kOutput},
    {"--no-verify", kNoVerify}, {"--chinese", kChinese}, {"--raw", kRaw},  {"--base", kBase},
    {"--model", kModel},    {"--skip-bad", kSkipBad}, {"--repeat", kRepeat}, {"--backup", kBackup},
    {"--log", kLog},        {"--title", kTitle},    {"--paper", kPaper},    {"--check", kCheck},
    {"--quiet", 0},         {"-q", 0},              {"--help", 0},          {"-h", 0},
}};

// Letters to change, drop, add or swap (next to each other) to make a into b.
std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

const char* kPortHelp =
    "PORT is COMn, entry n of the port table (the paths in MX615_PORTS, or the machine's\n"
    "serial ports, on-board ports first, then USB adapters: see 'mx615-cli ports'), or a\n"
    "device path such as /dev/ttyUSB0.\n";

const char* kPlanHelp =
    "A plan is a channel parameter file (.chann), a raw radio image (.img) or a channel\n"
    "CSV (.csv), told by its suffix in any letter case. A CSV holds the channels only:\n"
    "its rows must lie in the band of --model (VHF, UHF or FULL; default UHF), and the\n"
    "rest of the radio's settings come from --base FILE (.chann or .img). Without it,\n"
    "write puts the channels over what each radio holds (read first), verify compares\n"
    "the channels only, show and print show the channels alone, diff takes the other\n"
    "file's settings and export-csv the program's start-up image. --model, --base and\n"
    "--skip-bad are refused beside a .chann or .img, which carry their own channels.\n"
    "A CSV with a row that cannot be stored is refused whole, unless --skip-bad is\n"
    "given: then the rows that fit are used. Rows go to their Location when every row\n"
    "has its own 1..16, otherwise in file order, and each row is then named with the\n"
    "channel it went to.\n";

const char* kExitHelp =
    "Exit status: 0 done, 1 a radio or a port failed (or rows of --log were lost), 2 wrong\n"
    "usage, 3 a file could not be read or written, 4 a verify or a diff found differences.\n";

// --base and --skip-bad tell how a CSV is taken; --base names the plan that
// the CSV's channels go over.
std::string csvOptionsFault(const CliArgs& a, const Command& command)
{
    const bool csvOnly = (command.options & kPlan) == kPlan;
    const bool csv = std::any_of(a.files.begin(), a.files.end(),
                                 [](const std::string& f) { return PlanKindOf(f) == PlanKind::Csv; });
    if (csvOnly && !csv && (!a.base.empty() || a.skipBad || a.modelGiven)) {
        std::string named;
        for (const std::string& f : a.files)
            named += (named.empty() ? "" : " and ") + f;
        // A .chann or .img carries its own channels: a model given beside it
        // would be ignored without a word.
        return std::string(a.skipBad ? "--skip-bad" : !a.base.empty() ? "--base" : "--model") +
               " is for a plan kept as CSV (.csv); " + named +
               (a.files.size() == 1 ? " holds" : " hold") + " the whole radio.";
    }
    const PlanKind base = PlanKindOf(a.base);
    if (!a.base.empty() && base != PlanKind::Chann && base != PlanKind::Image)
        return "--base names a .chann or .img file, which holds the settings a CSV leaves out; not " + a.base + ".";
    return {};
}

// A usage after its prefix; the further lines of a long usage start under the
// first option.
std::string usageAfter(const std::string& prefix, const std::string& usage)
{
    const std::string indent(prefix.size() + usage.find(' ') + 1, ' ');
    std::string text = prefix;
    for (const char c : usage)
        text += c == '\n' ? "\n" + indent : std::string(1, c);
    return text;
}

}  // namespace

std::string Synopsis(const std::string& command)
{
    const Command* c = find(command);
    return usageAfter("usage: mx615-cli ", c ? c->usage : "COMMAND [OPTIONS] [FILES]");
}

std::string HelpText(const std::string& command)
{
    const Command* c = find(command);
    if (!c || command == "help") {
        std::string text =
            "usage: mx615-cli COMMAND [OPTIONS] [FILES]\n\n"
            "Programs MX-615 radios from a shell: the clone read and write of the program's\n"
            "windows, verification, several radios at once, channel plans kept as CSV, and\n"
            "a printed channel sheet for the radios' users.\n\n"
            "Commands:\n";
        for (const Command& k : kCommands)
            text += usageAfter("  mx615-cli ", k.usage) + "\n";
        text += "\nEvery command takes --help. Transfers show a progress line on standard error\n"
                "when it is a terminal; -q silences it.\n\n";
        return text + kPortHelp + "\n" + kPlanHelp + "\n" + kExitHelp;
    }
    std::string text = Synopsis(command) + "\n\n" + c->help;
    if (c->options & kPort)
        text.append("\n").append(kPortHelp);
    if ((c->options & kPlan) == kPlan)
        text.append("\n").append(kPlanHelp);
    // The doctor finds problems rather than failing at a task.
    if (command == "doctor")
        return text + "\nExit status: 0 when no problem was found, 1 otherwise, 2 wrong usage.\n";
    return text + "\n" + kExitHelp;
}

std::vector<std::string> CommandNames()
{
    std::vector<std::string> names;
    for (const Command& c : kCommands)
        names.push_back(c.name);
    return names;
}

std::string NearestWord(const std::string& typed, const std::vector<std::string>& words)
{
    std::string lower = typed;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return char(std::tolower(ch)); });
    // The letters of the word itself, not its dashes, say how much may be wrong.
    const std::size_t letters = lower.size() - std::min(lower.find_first_not_of('-'), lower.size());
    const std::size_t allowed = letters <= 2 ? 0 : letters <= 5 ? 1 : 2;
    std::string best;
    std::size_t bestDistance = allowed + 1;
    for (const std::string& word : words) {
        const std::size_t distance = editDistance(lower, word);
        if (distance < bestDistance) {
            best = word;
            bestDistance = distance;
        }
    }
    return best;
}

int ModelIndexOf(const std::string& model)
{
    std::string m = model;
    std::transform(m.begin(), m.end(), m.begin(), [](unsigned char ch) { return char(std::toupper(ch)); });
    if (m == "VHF")
        return 0;
    if (m == "UHF")
        return 1;
    if (m == "FULL")
        return 2;
    return -1;
}

ParsedArgs ParseCliArgs(const std::vector<std::string>& argv)
{
    ParsedArgs parsed;
    CliArgs& a = parsed.args;
    if (argv.empty()) {
        a.help = true;
        parsed.error = "no command given.";
        return parsed;
    }
    std::size_t i = 0;
    if (argv[0] == "--help" || argv[0] == "-h") {
        a.help = true;
        return parsed;
    }
    if (argv[0] == "--version") {
        a.version = true;
        return parsed;
    }
    a.command = argv[i++];
    const Command* command = find(a.command);
    auto unknownCommand = [&](const std::string& word) {
        parsed.error = "unknown command \"" + word + "\".";
        if (const std::string near = NearestWord(word, CommandNames()); !near.empty())
            parsed.hint = "did you mean " + near + "?";
        a.command.clear();
    };
    if (!command) {
        unknownCommand(a.command);
        return parsed;
    }
    if (a.command == "help") {
        a.help = true;
        a.command = i < argv.size() ? argv[i] : std::string();
        if (a.command == "--help" || a.command == "-h")
            a.command.clear();
        if (!a.command.empty() && !find(a.command))
            unknownCommand(a.command);
        else if (i + 1 < argv.size())
            parsed.error = "help takes one command name, not " + std::to_string(argv.size() - i) + ".";
        return parsed;
    }

    bool optionsEnded = false;
    for (; i < argv.size(); ++i) {
        std::string arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            a.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        bool inlineValue = false;
        if (const auto equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.erase(equals);
            inlineValue = true;
        }
        // The option's value: after "=" or the next argument.
        auto takeValue = [&](unsigned option, std::string& out) {
            if (!(command->options & option)) {
                parsed.error = "the " + a.command + " command has no option " + arg + ".";
                return false;
            }
            if (!inlineValue) {
                if (i + 1 >= argv.size()) {
                    parsed.error = "the option " + arg + " needs a value.";
                    return false;
                }
                value = argv[++i];
            }
            if (value.empty()) {
                parsed.error = "the option " + arg + " needs a value.";
                return false;
            }
            out = value;
            return true;
        };
        auto flag = [&](unsigned option, bool& out, bool set) {
            if (option && !(command->options & option)) {
                parsed.error = "the " + a.command + " command has no option " + arg + ".";
                return false;
            }
            if (inlineValue) {
                parsed.error = "the option " + arg + " takes no value.";
                return false;
            }
            out = set;
            return true;
        };
        bool ok = true;
        if (arg == "--help" || arg == "-h") {
            a.help = true;
            return parsed;
        } else if (arg == "--port" || arg == "-p") {
            std::string port;
            ok = takeValue(kPort, port);
            if (ok)
                a.ports.push_back(port);
        } else if (arg == "-o" || arg == "--output") {
            ok = takeValue(kOutput, a.output);
        } else if (arg == "--base") {
            ok = takeValue(kBase, a.base);
        } else if (arg == "--model") {
            ok = takeValue(kModel, a.model);
            a.modelGiven = true;
            if (ok && ModelIndexOf(a.model) < 0) {
                parsed.error = "the model \"" + a.model + "\" is not one of VHF, UHF, FULL.";
                ok = false;
            }
        } else if (arg == "--no-verify") {
            ok = flag(kNoVerify, a.verify, false);
        } else if (arg == "-q" || arg == "--quiet") {
            ok = flag(0, a.quiet, true);
        } else if (arg == "--chinese") {
            ok = flag(kChinese, a.chinese, true);
        } else if (arg == "--raw") {
            ok = flag(kRaw, a.raw, true);
        } else if (arg == "--check") {
            ok = flag(kCheck, a.check, true);
        } else if (arg == "--skip-bad") {
            ok = flag(kSkipBad, a.skipBad, true);
        } else if (arg == "--repeat") {
            ok = flag(kRepeat, a.repeat, true);
        } else if (arg == "--backup") {
            ok = takeValue(kBackup, a.backup);
        } else if (arg == "--log") {
            ok = takeValue(kLog, a.log);
        } else if (arg == "--title") {
            ok = takeValue(kTitle, a.title);
        } else if (arg == "--paper") {
            ok = takeValue(kPaper, a.paper);
            std::transform(a.paper.begin(), a.paper.end(), a.paper.begin(),
                           [](unsigned char ch) { return char(std::tolower(ch)); });
            if (ok && a.paper != "a4" && a.paper != "letter") {
                parsed.error = "the paper \"" + value + "\" is not a4 or letter.";
                ok = false;
            }
        } else {
            parsed.error = "unknown option " + arg + ".";
            std::vector<std::string> taken;
            for (const OptionName& option : kOptionNames)
                if (!option.bit || (command->options & option.bit))
                    taken.push_back(option.name);
            if (const std::string near = NearestWord(arg, taken); !near.empty())
                parsed.hint = "did you mean " + near + "?";
            ok = false;
        }
        if (!ok)
            return parsed;
    }

    if ((command->options & kPort) && !(command->options & kPortOptional) && a.ports.empty())
        parsed.error = "the " + a.command + " command needs --port.";
    else if (a.repeat && a.ports.size() > 1)
        parsed.error = "--repeat programs radios one after another on one --port; give it once.";
    else if (a.ports.size() > 1 && !(command->options & kManyPorts))
        parsed.error = "the " + a.command + " command takes one --port; only write programs several radios.";
    else if ((command->options & kOutput) && a.output.empty())
        parsed.error = "the " + a.command + " command needs -o FILE.";
    else if (int(a.files.size()) != command->files)
        parsed.error = "the " + a.command + " command takes " +
                       (command->files == 0   ? std::string("no file names")
                        : command->files == 1 ? std::string("one file name")
                                              : std::to_string(command->files) + " file names") +
                       ", not " + std::to_string(a.files.size()) + ".";
    else
        parsed.error = csvOptionsFault(a, *command);
    return parsed;
}

}  // namespace mx615::cli
