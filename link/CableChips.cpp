#include "link/CableChips.h"

#include <cstdio>

namespace mx615 {

const std::vector<CableChip>& CableChips()
{
    static const std::vector<CableChip> chips{
        {0x067b, 0x2303, "PL2303", "pl2303"}, {0x067b, 0x23a3, "PL2303", "pl2303"},
        {0x1a86, 0x7523, "CH340", "ch341"},   {0x1a86, 0x5523, "CH341", "ch341"},
        {0x0403, 0x6001, "FTDI", "ftdi_sio"}, {0x0403, 0x6015, "FTDI", "ftdi_sio"},
        {0x10c4, 0xea60, "CP210x", "cp210x"}, {0x10c4, 0xea70, "CP210x", "cp210x"},
    };
    return chips;
}

const CableChip* FindCableChip(uint16_t vendor, uint16_t product)
{
    for (const CableChip& chip : CableChips())
        if (chip.vendor == vendor && chip.product == product)
            return &chip;
    return nullptr;
}

std::string UsbIdText(uint16_t vendor, uint16_t product)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", unsigned(vendor), unsigned(product));
    return text;
}

bool BrailleDriverClaims(const std::string& family)
{
    return family == "CH340" || family == "CH341" || family == "CP210x";
}

}  // namespace mx615
