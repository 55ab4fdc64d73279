#include "link/SystemChecks.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "link/CableChips.h"
#include "link/PortTable.h"
#include "link/SystemFiles.h"

namespace fs = std::filesystem;

namespace mx615 {

namespace {

// Before its rename the rule sorted after 73-seat-late.rules, where
// TAG+="uaccess" no longer takes effect.
const char* const kOldUdevRuleName = "99-mx615.rules";

const char* const kRuleFolders[] = {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d",
                                    "/lib/udev/rules.d", "/usr/local/lib/udev/rules.d"};

std::string baseName(const std::string& path)
{
    return path.substr(path.find_last_of('/') + 1);
}

std::string modeText(unsigned mode)
{
    std::string text = "rwxrwxrwx";
    for (int i = 0; i < 9; ++i)
        if (!(mode & (0400u >> i)))
            text[std::size_t(i)] = '-';
    return text;
}

}  // namespace

std::string Finding::line() const
{
    static const char* const kLevels[] = {"ok: ", "warning: ", "problem: "};
    return kLevels[level] + text;
}

SystemChecks::SystemChecks(std::string root, UserIdentity user) : devices_(std::move(root)), user_(std::move(user)) {}

std::string SystemChecks::at(const std::string& absolute) const
{
    return devices_.at(absolute);
}

std::vector<Finding> SystemChecks::portTable(const std::vector<PortEntry>& table) const
{
    std::vector<Finding> out;
    if (table.empty()) {
        out.push_back({Finding::Problem, "no serial port found. Plug in the programming cable and run the doctor "
                                         "again, or name the device in MX615_PORTS (MX615_PORTS=/dev/ttyUSB0)."});
        return out;
    }
    for (std::size_t n = 1; n <= table.size(); ++n) {
        const PortEntry& entry = table[n - 1];
        std::string text = "COM" + std::to_string(n) + " is " + entry.path;
        if (!entry.present) {
            out.push_back({Finding::Warning, text + ", which is not present. Plug in its cable, or drop it from "
                                                    "MX615_PORTS."});
            continue;
        }
        text += ", " + entry.description.en;
        if (const auto ids = entry.usbIds)
            text += !entry.chip.empty() ? ", " + entry.chip + " (" + UsbIdText(ids->first, ids->second) + ")"
                                        : " " + UsbIdText(ids->first, ids->second) +
                                              " (not a chip known from programming cables)";
        out.push_back({Finding::Ok, text + "."});
    }
    return out;
}

std::string SystemChecks::groupName(unsigned gid) const
{
    std::ifstream in(at("/etc/group"));
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string name, password, id;
        if (std::getline(fields, name, ':') && std::getline(fields, password, ':') && std::getline(fields, id, ':') &&
            id == std::to_string(gid))
            return name;
    }
    return "group " + std::to_string(gid);
}

bool SystemChecks::listedInGroup(const std::string& group) const
{
    std::ifstream in(at("/etc/group"));
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string name, password, id, members;
        if (!std::getline(fields, name, ':') || name != group)
            continue;
        std::getline(fields, password, ':');
        std::getline(fields, id, ':');
        std::getline(fields, members);
        std::istringstream list(members);
        for (std::string member; std::getline(list, member, ',');)
            if (member == user_.name)
                return true;
    }
    return false;
}

std::string SystemChecks::serialGroup() const
{
    std::ifstream in(at("/etc/group"));
    bool uucp = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("dialout:", 0) == 0)
            return "dialout";
        uucp = uucp || line.rfind("uucp:", 0) == 0;
    }
    return uucp ? "uucp" : kUsualSerialGroup;
}

std::optional<std::string> SystemChecks::groupThatOpens(const std::string& device) const
{
    struct stat info {};
    if (::stat(at(device).c_str(), &info) != 0)
        return std::nullopt;
    return (info.st_mode & 0060u) == 0060u ? groupName(info.st_gid) : std::string();
}

// What the device is when it is no serial port: a file, a folder, or a
// device of another kind (/dev/null); nothing for a terminal device.
std::optional<std::string> SystemChecks::notSerialPort(const std::string& device) const
{
    struct stat info {};
    if (::stat(at(device).c_str(), &info) != 0)
        return std::nullopt;
    if (S_ISREG(info.st_mode))
        return "a regular file";
    if (S_ISDIR(info.st_mode))
        return "a folder";
    if (S_ISFIFO(info.st_mode))
        return "a named pipe";
    if (!S_ISCHR(info.st_mode))
        return "no character device";
    // sysfs names the kind of most devices (mem for /dev/null, tty for serial
    // ports); pseudo-terminals have no entry there and pass.
    std::error_code ec;
    const fs::path subsystem = fs::read_symlink(
        at("/sys/dev/char/" + std::to_string(major(info.st_rdev)) + ":" + std::to_string(minor(info.st_rdev)) +
           "/subsystem"),
        ec);
    if (ec || subsystem.filename() == "tty")
        return std::nullopt;
    return "a device of another kind (" + subsystem.filename().string() + ")";
}

bool SystemChecks::ruleInstalled(const std::string& name) const
{
    std::error_code ec;
    for (const char* folder : kRuleFolders)
        if (fs::exists(at(std::string(folder) + "/" + name), ec))
            return true;
    return false;
}

std::vector<std::pair<int, std::string>> SystemChecks::processes() const
{
    std::vector<std::pair<int, std::string>> list;
    std::error_code ec;
    for (fs::directory_iterator it(at("/proc"), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos || name.size() > 9)
            continue;
        list.emplace_back(std::stoi(name), FirstLineOf((it->path() / "comm").string()));
    }
    std::sort(list.begin(), list.end());
    return list;
}

std::vector<Finding> SystemChecks::port(const std::string& device) const
{
    std::vector<Finding> out;
    struct stat info {};
    if (::stat(at(device).c_str(), &info) != 0) {
        out.push_back({Finding::Problem, device + " is not there. Plug the programming cable in fully and check the "
                                                  "port ('mx615-cli ports' lists them)."});
        return out;
    }
    if (const auto kind = notSerialPort(device)) {
        out.push_back({Finding::Problem, device + " is not a serial port: it is " + *kind + ". Give the programming "
                                                  "cable's port, such as /dev/ttyUSB0 ('mx615-cli ports' lists them)."});
        return out;
    }
    out.push_back({Finding::Ok, device + " is present."});
    access(device, out);
    holders(device, out);
    lockFiles(device, out);
    return out;
}

void SystemChecks::access(const std::string& device, std::vector<Finding>& out) const
{
    struct stat info {};
    ::stat(at(device).c_str(), &info);
    const unsigned mode = info.st_mode & 0777u;
    const bool inGroup = std::find(user_.groups.begin(), user_.groups.end(), unsigned(info.st_gid)) != user_.groups.end();
    const std::string group = groupName(info.st_gid);
    const std::string shown = modeText(mode) + ", group " + group;
    const bool allowed = user_.uid == 0 || (user_.uid == info.st_uid ? (mode & 0600u) == 0600u
                                            : inGroup                 ? (mode & 0060u) == 0060u
                                                                      : (mode & 0006u) == 0006u);
    if (allowed) {
        out.push_back({Finding::Ok, "you may open " + device + " (" + shown + ")."});
        return;
    }
    const std::string facts = "you may not open " + device + " (" + shown + ")";
    if ((mode & 0060u) == 0060u && listedInGroup(group))
        out.push_back({Finding::Problem, facts + ". You are in the group " + group + ", but this login started before "
                                         "you joined it: log out and in again (or run 'newgrp " + group +
                                         "' in this shell)."});
    else if ((mode & 0060u) == 0060u)
        out.push_back({Finding::Problem, facts + ". " + NotPermittedRemedy(device, group, serialGroup()).en});
    else
        out.push_back({Finding::Problem, facts + ", and neither may its group, so joining a group does not help. " +
                                             NotPermittedRemedy(device, "", serialGroup()).en});
    if (ruleInstalled(kUdevRuleName))
        out.push_back({Finding::Ok, std::string("the udev rule ") + kUdevRuleName + " is installed; if the cable was "
                                    "plugged in before, unplug and replug it so that the rule takes effect."});
    else
        out.push_back({Finding::Warning, std::string("the udev rule ") + kUdevRuleName + " is not installed. It lets "
                                         "the user at the console open programming cables: " + UdevRuleSteps()});
    if (ruleInstalled(kOldUdevRuleName))
        out.push_back({Finding::Warning, std::string("an old udev rule ") + kOldUdevRuleName + " is installed; its "
                                         "name sorts too late for the console user's access to take effect. Remove it "
                                         "and install " + kUdevRuleName + " instead."});
}

void SystemChecks::holders(const std::string& device, std::vector<Finding>& out) const
{
    std::error_code ec;
    std::set<std::string> names{device};
    const fs::path real = fs::canonical(at(device), ec);
    const std::string& root = devices_.root();
    if (!ec && real.string().rfind(root, 0) == 0)
        names.insert(real.string().substr(root.size()));
    int unseen = 0;
    bool held = false;
    for (const auto& [pid, command] : processes()) {
        // The doctor itself may hold the device as its standard input or
        // output: it is not what keeps the port from the radio.
        if (pid == int(::getpid()))
            continue;
        std::error_code fdError;
        fs::directory_iterator fds(at("/proc/" + std::to_string(pid) + "/fd"), fdError);
        if (fdError) {
            ++unseen;
            continue;
        }
        for (fs::directory_iterator end; fds != end; fds.increment(fdError)) {
            std::error_code linkError;
            const fs::path target = fs::read_symlink(fds->path(), linkError);
            if (!linkError && names.count(target.string())) {
                out.push_back({Finding::Warning, device + " is open in process " + std::to_string(pid) + " (" +
                                                     command + "); while it reads the port it takes the radio's "
                                                     "replies. Close that program."});
                held = true;
                break;
            }
            if (fdError)
                break;
        }
    }
    if (held)
        return;
    std::string text = "no process of yours holds " + device + " open";
    if (unseen > 0)
        text += "; other users' processes cannot be looked at without root (sudo fuser " + device + " names them)";
    out.push_back({Finding::Ok, text + "."});
}

void SystemChecks::lockFiles(const std::string& device, std::vector<Finding>& out) const
{
    std::set<std::string> seen;
    for (const char* folder : {"/run/lock", "/var/lock"}) {
        const std::string lock = std::string(folder) + "/LCK.." + baseName(device);
        std::error_code ec;
        const fs::path real = fs::canonical(at(lock), ec);
        if (ec || !seen.insert(real.string()).second)
            continue;
        const std::string text = FirstLineOf(at(lock));
        const auto digits = text.find_first_of("0123456789");
        const int pid = digits == std::string::npos ? 0 : std::atoi(text.c_str() + digits);
        if (pid > 0 && fs::exists(at("/proc/" + std::to_string(pid)), ec))
            out.push_back({Finding::Problem, "the lock file " + lock + " says process " + std::to_string(pid) + " (" +
                                                 FirstLineOf(at("/proc/" + std::to_string(pid) + "/comm")) +
                                                 ") uses " + device + ". Close that program."});
        else
            out.push_back({Finding::Warning, "the lock file " + lock + " names a process that no longer runs; "
                                             "remove it: sudo rm " + lock});
    }
}

std::string SystemChecks::brlttyState() const
{
    for (const auto& entry : processes())
        if (entry.second == "brltty")
            return "running";
    std::error_code ec;
    for (const char* path : {"/usr/bin/brltty", "/bin/brltty", "/usr/sbin/brltty"})
        if (fs::exists(at(path), ec))
            return "installed";
    return {};
}

BrlttyFacts SystemChecks::brlttyFacts(const std::optional<UsbIds>& ids) const
{
    BrlttyFacts facts{.ids = ids};
    if (!ids)
        return facts;
    // brltty's udev rules name the chips of braille displays by their ids,
    // "1a86/7523/*" or idVendor=="1a86" with idProduct=="7523". A rule file
    // in an earlier folder takes the place of one of the same name later.
    const std::string both = UsbIdText(ids->first, ids->second);
    const std::string vendor = both.substr(0, 4), product = both.substr(5);
    const std::string pair = vendor + "/" + product + "/";
    std::set<std::string> seen;
    for (const char* folder : kRuleFolders) {
        std::error_code ec;
        std::vector<std::string> names;
        for (fs::directory_iterator it(at(folder), ec), end; !ec && it != end; it.increment(ec))
            names.push_back(it->path().filename().string());
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            if (name.find("brltty") == std::string::npos || !seen.insert(name).second)
                continue;
            const std::string file = std::string(folder) + "/" + name;
            std::ifstream in(at(file));
            BrlttyFacts::RuleLines rule{.file = file};
            int number = 0;
            for (std::string line; std::getline(in, line);) {
                ++number;
                std::transform(line.begin(), line.end(), line.begin(), [](unsigned char c) { return char(std::tolower(c)); });
                if (line.find_first_not_of(" \t") != std::string::npos && line[line.find_first_not_of(" \t")] == '#')
                    continue;
                if (line.find(pair) != std::string::npos ||
                    (line.find("idvendor}==\"" + vendor + "\"") != std::string::npos &&
                     line.find("idproduct}==\"" + product + "\"") != std::string::npos))
                    rule.lines.push_back(number);
            }
            if (!rule.lines.empty())
                facts.rules.push_back(rule);
        }
    }
    return facts;
}

std::vector<Finding> SystemChecks::services(const std::vector<PortEntry>& adapters) const
{
    std::vector<Finding> out;
    std::set<std::string> running;
    for (const auto& entry : processes())
        running.insert(entry.second);
    const std::string brltty = brlttyState();
    if (brltty.empty()) {
        out.push_back({Finding::Ok, "brltty is neither installed nor running."});
    } else {
        std::string claimed;
        bool anyAdapter = false;
        std::optional<UsbIds> taken;
        for (const PortEntry& entry : adapters) {
            const std::string& family = entry.chip;
            anyAdapter = anyAdapter || entry.usbIds.has_value();
            if (!BrailleDriverClaims(family))
                continue;
            taken = taken ? taken : entry.usbIds;
            if (claimed.find(family) == std::string::npos)
                claimed += (claimed.empty() ? "" : " and ") + family;
        }
        const std::string what = "brltty is " + brltty;
        if (!claimed.empty())
            out.push_back({Finding::Problem, what + "; it takes " + claimed + " adapters for braille displays, and "
                                                    "the cable's port may disappear. " +
                                                    BrlttyRemedy(brlttyFacts(taken))});
        else if (!anyAdapter)
            out.push_back({Finding::Warning, what + "; it takes " + ChipFamilies(true) + " adapters for braille "
                                                    "displays, so a cable with one of those chips may find no port. " +
                                                    BrlttyRemedy({})});
        else
            out.push_back({Finding::Ok, what + "; it leaves the adapters plugged in now alone."});
    }
    if (running.count("ModemManager") == 0)
        out.push_back({Finding::Ok, "ModemManager is not running."});
    else
        out.push_back({Finding::Warning, ModemManagerRemedy(ruleInstalled(kUdevRuleName))});
    return out;
}

}  // namespace mx615
