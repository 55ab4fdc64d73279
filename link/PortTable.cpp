#include "link/PortTable.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "link/CableChips.h"

namespace mx615 {

bool NaturalLess(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit((unsigned char)a[i]) && std::isdigit((unsigned char)b[j])) {
            std::size_t ie = i, je = j;
            while (ie < a.size() && std::isdigit((unsigned char)a[ie]))
                ++ie;
            while (je < b.size() && std::isdigit((unsigned char)b[je]))
                ++je;
            const std::string na = a.substr(i, ie - i), nb = b.substr(j, je - j);
            const std::string ta = na.substr(std::min(na.find_first_not_of('0'), na.size()));
            const std::string tb = nb.substr(std::min(nb.find_first_not_of('0'), nb.size()));
            if (ta.size() != tb.size())
                return ta.size() < tb.size();
            if (ta != tb)
                return ta < tb;
            i = ie;
            j = je;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

namespace {

std::string baseName(const std::string& path)
{
    return path.substr(path.find_last_of('/') + 1);
}

bool startsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// The computer's own ports (ttyS*, and any other that is not a USB adapter)
// come first, then USB adapters, ttyACM* last. The start-up scan runs from
// COM8 down, so it meets a programming cable before an on-board port, as on
// a PC whose COM1 and COM2 are its own and a cable gets a higher number.
int portRank(const PortEntry& entry)
{
    if (!entry.usbAdapter)
        return 0;
    return startsWith(baseName(entry.path), "ttyACM") ? 2 : 1;
}

}  // namespace

std::vector<PortEntry> BuildPortTable(const char* overrideList, std::vector<std::string> systemPorts,
                                      const DeviceTree& devices)
{
    std::vector<PortEntry> table;
    if (overrideList && *overrideList) {
        std::string entry;
        for (const char* p = overrideList;; ++p) {
            if (*p == ':' || *p == ',' || *p == '\0') {
                if (!entry.empty())
                    table.push_back(DescribePort(entry, devices));
                entry.clear();
                if (*p == '\0')
                    break;
            } else {
                entry += *p;
            }
        }
        return table;
    }
    for (const std::string& path : systemPorts)
        table.push_back(DescribePort(path, devices));
    std::stable_sort(table.begin(), table.end(), [](const PortEntry& a, const PortEntry& b) {
        const int ra = portRank(a), rb = portRank(b);
        return ra != rb ? ra < rb : NaturalLess(a.path, b.path);
    });
    return table;
}

std::vector<PortEntry> MachinePortTable(const DeviceTree& devices)
{
    // Walking sysfs for the machine's ports is not needed when the user
    // named them.
    const char* listed = std::getenv("MX615_PORTS");
    if (listed && *listed)
        return BuildPortTable(listed, {}, devices);
    return BuildPortTable(nullptr, devices.serialPorts(), devices);
}

std::vector<std::string> PortPaths(const std::vector<PortEntry>& table)
{
    std::vector<std::string> paths;
    for (const PortEntry& entry : table)
        paths.push_back(entry.path);
    return paths;
}

std::string PortForNumber(const std::vector<std::string>& table, int n)
{
    if (n < 1 || n > int(table.size()))
        return {};
    return table[n - 1];
}

namespace {

// What the port dialog and the doctor call a port.
enum Kind { UsbSerial, UsbModem, OnBoard, Pseudo, Other, Missing, NoDevice };
const Bilingual kKinds[] = {
    {"USB serial", "USB 串口"},   {"USB serial (modem)", "USB 串口 (调制解调器)"},
    {"on-board serial port", "板载串口"}, {"pseudo-terminal", "伪终端"},
    {"serial device", "串口设备"}, {"not present", "不存在"},
    {"no device", "无设备"},
};

}  // namespace

const Bilingual& PortKind(const std::string& path, bool usbAdapter)
{
    const std::string name = baseName(path);
    if (usbAdapter)
        return kKinds[startsWith(name, "ttyACM") ? UsbModem : UsbSerial];
    if (startsWith(name, "ttyS"))
        return kKinds[OnBoard];
    if (startsWith(path, "/dev/pts/") || startsWith(name, "pty"))
        return kKinds[Pseudo];
    return kKinds[Other];
}

PortEntry DescribePort(const std::string& path, const DeviceTree& devices)
{
    // One walk up sysfs tells both whether it is an adapter and its ids; a
    // port sysfs knows nothing of is judged by its name.
    const auto parent = devices.usbParent(path);
    const std::string name = baseName(path);
    PortEntry entry{.path = path,
                    .usbAdapter = parent ? parent->found : startsWith(name, "ttyUSB") || startsWith(name, "ttyACM")};
    std::error_code ec;
    entry.present = std::filesystem::exists(devices.at(path), ec);
    if (!entry.present) {
        entry.description = kKinds[Missing];
        return entry;
    }
    entry.description = PortKind(path, entry.usbAdapter);
    entry.usbIds = parent ? parent->ids : std::nullopt;
    if (entry.usbIds)
        if (const CableChip* chip = FindCableChip(entry.usbIds->first, entry.usbIds->second))
            entry.chip = chip->family;
    return entry;
}

const Bilingual& PortMissing() { return kKinds[Missing]; }

std::string PortDeviceText(const std::vector<PortEntry>& table, int n, bool chinese)
{
    if (n < 1 || n > int(table.size()))
        return kKinds[NoDevice].pick(chinese);
    const PortEntry& entry = table[n - 1];
    return entry.path + ", " + entry.description.pick(chinese) + (entry.chip.empty() ? "" : ", " + entry.chip);
}

}  // namespace mx615
