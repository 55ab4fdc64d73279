#pragma once
// Port numbers: CommPort n stands for the port named "COMn". Off Windows, COMn
// is entry n of the port table built here.

#include <optional>
#include <string>
#include <vector>

#include "link/DeviceTree.h"
#include "model/ProgramState.h"

namespace mx615 {

// One entry of the port table as the port dialog and the doctor show it: the
// device and what kind of device it is ("USB serial"), or that it is not
// there, and the chip family of a known programming cable ("CH340").
struct PortEntry {
    std::string path = {};
    Bilingual description = {};
    std::string chip = {};
    std::optional<UsbIds> usbIds = std::nullopt;   // of a USB adapter, where sysfs gives them
    // Whether it is a USB adapter: sysfs finds a USB interface among the
    // device's parents, whatever its driver names it (ttyUSB0, ttyCH341USB0,
    // ttyXRUSB0). Only where sysfs knows nothing of the device does its name
    // decide (ttyUSB*, ttyACM*).
    bool usbAdapter = false;
    bool present = true;
};

// A port as the port dialog and the doctor show it, from one walk up sysfs:
// its kind, or that it is not there, and for a USB adapter its ids and the
// chip family from the table of cable chips.
PortEntry DescribePort(const std::string& path, const DeviceTree& devices);

// The kind of device a path names, given whether it is a USB adapter: USB
// serial, USB modem (ACM), on-board serial port, pseudo-terminal, or any
// other serial device.
const Bilingual& PortKind(const std::string& path, bool usbAdapter);
// The description of a listed path that does not exist on this machine.
const Bilingual& PortMissing();

// What the port dialog shows beside COMn: "/dev/ttyUSB0, USB serial, CH340",
// or that no device stands for COMn.
std::string PortDeviceText(const std::vector<PortEntry>& table, int n, bool chinese);

// The port table, each entry described: the device paths listed in
// MX615_PORTS (separated by ':' or ','), in the order given, when that
// variable is set and not empty; otherwise the machine's serial ports,
// on-board ports first (ttyS0, ttyS1, ...), then USB adapters, each in
// natural order, ttyACM after the others.
std::vector<PortEntry> BuildPortTable(const char* overrideList, std::vector<std::string> systemPorts,
                                      const DeviceTree& devices);
// The table every part of the program numbers its ports by: MX615_PORTS, or
// the serial ports sysfs lists below the tree's root.
std::vector<PortEntry> MachinePortTable(const DeviceTree& devices);
// The paths of the table, COM1 first.
std::vector<std::string> PortPaths(const std::vector<PortEntry>& table);

// Entry n (1-based) of the table, or an empty string.
std::string PortForNumber(const std::vector<std::string>& table, int n);

// "a < b" in natural order: ttyUSB2 before ttyUSB10.
bool NaturalLess(const std::string& a, const std::string& b);

}  // namespace mx615
