#include "app/CommandLine.h"

#include <algorithm>
#include <array>

namespace mx615 {

namespace {

// Qt's own options, which QApplication takes out of the arguments itself.
constexpr std::array<const char*, 13> kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "display", "geometry", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "style", "stylesheet", "session", "fontengine"};
constexpr std::array<const char*, 5> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <std::size_t N>
bool listed(const std::array<const char*, N>& names, const std::string& name)
{
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

}  // namespace

std::string UsageText()
{
    return "Usage: mx615 [--service] [FILE] [Qt options]\n"
           "\n"
           "The programming software of the MX-615 series radios: read a radio's memory over\n"
           "its programming cable, edit the channels and the radio-wide features, keep them\n"
           "as .chann files and write them back.\n"
           "\n"
           "  FILE        open this file once the program has started, told by its suffix in\n"
           "              any letter case: a channel parameter file (.chann), a raw radio\n"
           "              image of 1024 bytes (.img) or a channel list (.csv, the 16 channels\n"
           "              for the model of the moment); a file dropped on the window opens\n"
           "              the same way\n"
           "  --service   show the service technician's menu items as well: the hidden\n"
           "              editors and the interface language\n"
           "  --help      show this text and exit\n"
           "\n"
           "Qt's own options, such as -platform NAME or -display DISPLAY, are accepted too.\n"
           "Serial ports: COMn is entry n of the port table; MX615_PORTS=/dev/ttyUSB0:/dev/ttyS0\n"
           "names the table's entries in order.\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine result;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty())
            continue;
        if (arg == "--help" || arg == "-h") {
            result.action = CommandLine::Action::Help;
            return result;
        }
        if (arg == "--service") {
            result.service = true;
            continue;
        }
        // An argument without a dash, or the one after "--", is the file to open.
        if (arg == "--" || arg.front() != '-') {
            if (arg == "--" && ++i >= args.size())
                break;
            if (!result.file.empty()) {
                result.action = CommandLine::Action::Usage;
                result.error = "only one file can be opened at a time (" + result.file + ", " + args[i] + ")";
                return result;
            }
            result.file = args[i];
            continue;
        }
        // Qt takes its options with one dash or two.
        std::string name = arg;
        if (name.rfind("--", 0) == 0)
            name.erase(0, 2);
        else if (name.rfind('-', 0) == 0)
            name.erase(0, 1);
        else
            name.clear();
        const std::size_t equals = name.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue)
            name.erase(equals);
        if (listed(kQtFlags, name) && !inlineValue)
            continue;
        if (listed(kQtOptionsWithValue, name)) {
            if (!inlineValue && ++i >= args.size()) {
                result.action = CommandLine::Action::Usage;
                result.error = "option " + arg + " needs a value";
                return result;
            }
            continue;
        }
        result.action = CommandLine::Action::Usage;
        result.error = "unknown argument " + arg;
        return result;
    }
    return result;
}

}  // namespace mx615
