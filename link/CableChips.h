#pragma once
// The USB-serial chips found in programming cables, by USB vendor and product
// id. One table serves the udev rule in dist/ (a test holds the rule to it),
// the port dialog's device label and mx615-cli doctor (which names the kernel
// module of a chip that no port came of).

#include <cstdint>
#include <string>
#include <vector>

namespace mx615 {

struct CableChip {
    uint16_t vendor = 0;
    uint16_t product = 0;
    std::string family;   // "CH340", "PL2303", ...
    std::string module;   // the kernel module that makes its port: "ch341", ...
};

const std::vector<CableChip>& CableChips();

// The chip with these ids, or nullptr.
const CableChip* FindCableChip(uint16_t vendor, uint16_t product);

// "1a86:7523": the ids as lsusb and the udev rule write them.
std::string UsbIdText(uint16_t vendor, uint16_t product);

// Whether brltty, where it is installed, takes adapters of this family for a
// braille display.
bool BrailleDriverClaims(const std::string& family);

}  // namespace mx615
