// The doctor's look for a programming cable when no port is named: the USB
// bus as sysfs lists it, and what the kernel said about a cable chip that
// gave no port.

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "link/CableChecks.h"
#include "link/CableChips.h"

namespace fs = std::filesystem;

namespace mx615 {

namespace {

constexpr std::size_t kLogLimit = 16u << 20;

// Lines of /dev/kmsg: one record a read, "6,1234,5678,-;text", with
// " KEY=value" lines after some; the end is EAGAIN. A plain file (a fake
// tree) reads the same way.
std::optional<std::vector<std::string>> readKmsg(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;   // EPERM where dmesg is kept for root
    std::string text;
    char buffer[8192];
    while (text.size() < kLogLimit) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            text.append(buffer, std::size_t(n));
        else if (n < 0 && (errno == EINTR || errno == EPIPE))
            continue;   // EPIPE: records were overwritten meanwhile
        else
            break;
    }
    ::close(fd);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const std::size_t semicolon = line.find(';');
        if (!line.empty() && line[0] != ' ' && semicolon != std::string::npos)
            lines.push_back(line.substr(semicolon + 1));
    }
    return lines;
}

// Lines of a syslog file with the kernel's messages ("... kernel: [ 12.3] text").
std::optional<std::vector<std::string>> readSyslog(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        const std::size_t kernel = line.find(" kernel: ");
        if (kernel == std::string::npos)
            continue;
        std::string text = line.substr(kernel + 9);
        if (text.rfind('[', 0) == 0 && text.find("] ") != std::string::npos)
            text = text.substr(text.find("] ") + 2);
        lines.push_back(text);
    }
    return lines;
}

// The last message about a USB device: its name ("1-2") heads its own lines
// ("usb 1-2: ...") and its interfaces' ("ch341 1-2:1.0: ...").
std::string lastLineAbout(const std::vector<std::string>& lines, const std::string& name)
{
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        if (it->rfind(name + ":", 0) == 0 || it->find(" " + name + ":") != std::string::npos)
            return *it;
    return {};
}

}  // namespace

CableChecks::CableChecks(const SystemChecks& system) : system_(system) {}

std::optional<std::vector<std::string>> CableChecks::kernelMessages() const
{
    if (auto lines = readKmsg(system_.at("/dev/kmsg")))
        return lines;
    return readSyslog(system_.at("/var/log/kern.log"));
}

std::vector<Finding> CableChecks::cables(const std::vector<PortEntry>& table) const
{
    std::vector<UsbDevice> portless;
    for (const UsbDevice& usb : system_.devices().usbDevices())
        if (!usb.hasPort && FindCableChip(usb.ids.first, usb.ids.second))
            portless.push_back(usb);
    std::error_code ec;
    if (portless.empty()) {
        const bool adapter = std::any_of(table.begin(), table.end(),
                                         [](const PortEntry& entry) { return entry.present && entry.usbAdapter; });
        if (adapter)
            return {};
        return {{Finding::Warning,
                 "no programming cable is plugged in: the port table holds no USB adapter. Plug the cable into the "
                 "computer and into the radio, then run the doctor again. If it is still not found, try another USB "
                 "socket or cable, and see whether 'lsusb' lists it (" + ChipFamilies(false) + " chips are known) "
                 "and what 'sudo dmesg' says when you plug it in."}};
    }
    std::vector<Finding> out;
    const auto log = kernelMessages();
    const std::string brltty = system_.brlttyState();
    for (const UsbDevice& usb : portless) {
        const CableChip& chip = *FindCableChip(usb.ids.first, usb.ids.second);
        std::string text = "the cable chip " + chip.family + " (" + UsbIdText(usb.ids.first, usb.ids.second) +
                           ") is on the USB bus at " + usb.name + ", but no serial port came of it. ";
        if (fs::exists(system_.at("/sys/module/" + chip.module), ec))
            text += "The kernel module " + chip.module + ", which makes its port, is loaded but did not take it.";
        else
            text += "The kernel module " + chip.module + ", which makes its port, is not loaded: sudo modprobe " +
                    chip.module + ", then unplug and replug the cable.";
        if (BrailleDriverClaims(chip.family) && !brltty.empty())
            text += " brltty is " + brltty + " and takes " + chip.family + " adapters for braille displays. " +
                    BrlttyRemedy(system_.brlttyFacts(usb.ids));
        if (!log)
            text += " The kernel log cannot be read here (it may be kept for root): 'sudo dmesg | grep " + usb.name +
                    ":' shows what the kernel said about it.";
        else if (const std::string said = lastLineAbout(*log, usb.name); !said.empty())
            text += " The kernel's last line about it: \"" + said + "\"";
        out.push_back({Finding::Problem, text});
    }
    return out;
}

}  // namespace mx615
