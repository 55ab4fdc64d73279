#include "link/CommControl.h"

#include <charconv>
#include <sstream>
#include <vector>

namespace mx615 {

std::optional<LineSettings> ParseSettings(const std::string& settings)
{
    std::vector<std::string> parts;
    std::stringstream stream(settings);
    for (std::string part; std::getline(stream, part, ',');)
        parts.push_back(part);
    if (parts.size() != 4)
        return std::nullopt;
    auto number = [](const std::string& text, int& out) {
        const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
        return r.ec == std::errc() && r.ptr == text.data() + text.size();
    };
    LineSettings s;
    if (!number(parts[0], s.baud) || s.baud <= 0)
        return std::nullopt;
    if (parts[1].size() != 1 || std::string("NEOMS").find(char(toupper(parts[1][0]))) == std::string::npos)
        return std::nullopt;
    s.parity = char(toupper(parts[1][0]));
    if (!number(parts[2], s.dataBits) || s.dataBits < 5 || s.dataBits > 8)
        return std::nullopt;
    if (!number(parts[3], s.stopBits) || (s.stopBits != 1 && s.stopBits != 2))
        return std::nullopt;
    return s;
}

bool OpenWithRadioSettings(CommControl& comm, int commPort)
{
    comm.CommPort = commPort;
    comm.Settings = "9600,N,8,1";
    comm.InBufferSize = 1024;
    comm.InputLen = 1;
    comm.RThreshold = 1;
    comm.BinaryInput = true;
    if (!comm.open())
        return false;
    comm.discardInput();
    return true;
}

}  // namespace mx615
