#include "link/PortTable.h"

#include <algorithm>
#include <cctype>
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
int portRank(const std::string& path, const DeviceTree& devices)
{
    if (!IsUsbAdapter(path, devices))
        return 0;
    return startsWith(baseName(path), "ttyACM") ? 2 : 1;
}

}  // namespace

namespace {

// Sysfs decides when it knows the port; the name only where it does not.
bool isUsbAdapter(const std::string& path, const std::optional<DeviceTree::UsbParent>& parent)
{
    if (parent)
        return parent->found;
    const std::string name = baseName(path);
    return startsWith(name, "ttyUSB") || startsWith(name, "ttyACM");
}

}  // namespace

bool IsUsbAdapter(const std::string& path, const DeviceTree& devices)
{
    return isUsbAdapter(path, devices.usbParent(path));
}

std::vector<std::string> BuildPortTable(const char* overrideList, std::vector<std::string> systemPorts,
                                        const DeviceTree& devices)
{
    std::vector<std::string> table;
    if (overrideList && *overrideList) {
        std::string entry;
        for (const char* p = overrideList;; ++p) {
            if (*p == ':' || *p == ',' || *p == '\0') {
                if (!entry.empty())
                    table.push_back(entry);
                entry.clear();
                if (*p == '\0')
                    break;
            } else {
                entry += *p;
            }
        }
        return table;
    }
    std::vector<std::pair<int, std::string>> ranked;
    for (std::string& path : systemPorts)
        ranked.emplace_back(portRank(path, devices), std::move(path));
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : NaturalLess(a.second, b.second);
    });
    for (auto& [rank, path] : ranked)
        table.push_back(std::move(path));
    return table;
}

std::string PortForNumber(const std::vector<std::string>& table, int n)
{
    if (n < 1 || n > int(table.size()))
        return {};
    return table[n - 1];
}

namespace {

const Bilingual kUsbSerial{"USB serial", "USB 串口"};
const Bilingual kUsbModem{"USB serial (modem)", "USB 串口 (调制解调器)"};
const Bilingual kOnBoard{"on-board serial port", "板载串口"};
const Bilingual kPseudo{"pseudo-terminal", "伪终端"};
const Bilingual kOther{"serial device", "串口设备"};
const Bilingual kMissing{"not present", "不存在"};
const Bilingual kNoDevice{"no device", "无设备"};

}  // namespace

namespace {

const Bilingual& describe(const std::string& path, bool usbAdapter)
{
    const std::string name = baseName(path);
    if (usbAdapter)
        return startsWith(name, "ttyACM") ? kUsbModem : kUsbSerial;
    if (startsWith(name, "ttyS"))
        return kOnBoard;
    if (startsWith(path, "/dev/pts/") || startsWith(name, "pty"))
        return kPseudo;
    return kOther;
}

}  // namespace

const Bilingual& PortDescription(const std::string& path)
{
    const std::string name = baseName(path);
    return describe(path, startsWith(name, "ttyUSB") || startsWith(name, "ttyACM"));
}

PortEntry DescribePort(const std::string& path, const DeviceTree& devices)
{
    std::error_code ec;
    if (!std::filesystem::exists(devices.at(path), ec))
        return {path, kMissing, {}, {}};
    // One walk up sysfs tells both whether it is an adapter and its ids.
    const auto parent = devices.usbParent(path);
    PortEntry entry{path, describe(path, isUsbAdapter(path, parent)), {}, parent ? parent->ids : std::nullopt};
    if (entry.usbIds)
        if (const CableChip* chip = FindCableChip(entry.usbIds->first, entry.usbIds->second))
            entry.chip = chip->family;
    return entry;
}

const Bilingual& PortMissing() { return kMissing; }

std::string PortDeviceText(const std::vector<PortEntry>& table, int n, bool chinese)
{
    if (n < 1 || n > int(table.size()))
        return kNoDevice.pick(chinese);
    const PortEntry& entry = table[n - 1];
    return entry.path + ", " + entry.description.pick(chinese) + (entry.chip.empty() ? "" : ", " + entry.chip);
}

}  // namespace mx615
