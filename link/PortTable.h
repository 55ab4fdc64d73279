#pragma once
// Port numbers: CommPort n stands for the port named "COMn". Off Windows, COMn
// is entry n of the port table built here.

#include <string>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

// One entry of the port table as the port dialog shows it: the device and
// what kind of device it is ("USB serial"), or that it is not there.
struct PortEntry {
    std::string path;
    Bilingual description;
};

// The kind of device a path names, from its name: USB serial, USB modem
// (ACM), on-board serial port, pseudo-terminal, or any other serial device.
const Bilingual& PortDescription(const std::string& path);
// The description of a listed path that does not exist on this machine.
const Bilingual& PortMissing();

// What the port dialog shows beside COMn: "/dev/ttyUSB0, USB serial", or
// that no device stands for COMn.
std::string PortDeviceText(const std::vector<PortEntry>& table, int n, bool chinese);

// The device paths listed in MX615_PORTS (separated by ':' or ','), in the
// order given, when that variable is set and not empty; otherwise the
// machine's serial ports, on-board ports first (ttyS0, ttyS1, ...), then USB
// adapters (ttyUSB in natural order, then ttyACM).
std::vector<std::string> BuildPortTable(const char* overrideList, std::vector<std::string> systemPorts);

// Entry n (1-based) of the table, or an empty string.
std::string PortForNumber(const std::vector<std::string>& table, int n);

// "a < b" in natural order: ttyUSB2 before ttyUSB10.
bool NaturalLess(const std::string& a, const std::string& b);

}  // namespace mx615
