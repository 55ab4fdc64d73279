#include "link/PortTable.h"

#include <algorithm>
#include <cctype>

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

// The computer's own ports (ttyS*, and any other that is not a USB adapter)
// come first, then USB adapters: ttyUSB*, then ttyACM*. The start-up scan
// runs from COM8 down, so it meets a programming cable before an on-board
// port, as on a PC whose COM1 and COM2 are its own and a cable gets a higher
// number.
int portRank(const std::string& path)
{
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (name.rfind("ttyUSB", 0) == 0)
        return 1;
    if (name.rfind("ttyACM", 0) == 0)
        return 2;
    return 0;
}

}  // namespace

std::vector<std::string> BuildPortTable(const char* overrideList, std::vector<std::string> systemPorts)
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
    std::stable_sort(systemPorts.begin(), systemPorts.end(), [](const std::string& a, const std::string& b) {
        const int ra = portRank(a), rb = portRank(b);
        return ra != rb ? ra < rb : NaturalLess(a, b);
    });
    return systemPorts;
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

const Bilingual& PortDescription(const std::string& path)
{
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (name.rfind("ttyUSB", 0) == 0)
        return kUsbSerial;
    if (name.rfind("ttyACM", 0) == 0)
        return kUsbModem;
    if (name.rfind("ttyS", 0) == 0)
        return kOnBoard;
    if (path.rfind("/dev/pts/", 0) == 0 || name.rfind("pty", 0) == 0)
        return kPseudo;
    return kOther;
}

const Bilingual& PortMissing() { return kMissing; }

std::string PortDeviceText(const std::vector<PortEntry>& table, int n, bool chinese)
{
    if (n < 1 || n > int(table.size()))
        return kNoDevice.pick(chinese);
    const PortEntry& entry = table[n - 1];
    return entry.path + ", " + entry.description.pick(chinese);
}

}  // namespace mx615
