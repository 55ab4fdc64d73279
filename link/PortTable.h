#pragma once
// Port numbers: CommPort n stands for the port named "COMn". Off Windows, COMn
// is entry n of the port table built here.

#include <string>
#include <vector>

namespace mx615 {

// The device paths listed in MX615_PORTS (separated by ':' or ','), when that
// variable is set and not empty; otherwise the machine's serial ports, USB
// adapters first (ttyUSB in natural order, then ttyACM), then on-board ports.
std::vector<std::string> BuildPortTable(const char* overrideList, std::vector<std::string> systemPorts);

// Entry n (1-based) of the table, or an empty string.
std::string PortForNumber(const std::vector<std::string>& table, int n);

// "a < b" in natural order: ttyUSB2 before ttyUSB10.
bool NaturalLess(const std::string& a, const std::string& b);

}  // namespace mx615
