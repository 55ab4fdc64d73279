#pragma once
// A plan's fingerprint: the CRC-32 of the bytes a clone write sends, radio
// addresses 0x000..0x30F. A printed channel sheet, `show`, `read` and `verify`
// give it as eight hex digits, so that a radio read later can be matched with
// the sheet it was programmed from. CRC-32 is the checksum of zip, PNG and
// Ethernet (polynomial 0x04C11DB7, reflected, start and final XOR 0xFFFFFFFF),
// so any tool can compute it from the first 784 bytes of a radio image.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/ProgramState.h"

namespace mx615 {

constexpr int kWrittenLines = 49;                  // a clone write sends lines 0..48
constexpr int kWrittenBytes = kWrittenLines * 16;  // 0x310

uint32_t Crc32(std::string_view bytes);

// The CRC-32 of the image's bytes 0x000..0x30F.
uint32_t PlanFingerprint(const ProgramState& state);

inline const Bilingual kFingerprintLabel{"Fingerprint", "指纹"};

// "1A2B3C4D (CRC-32 of 0x000..0x30F)", in the language asked for.
std::string FingerprintValue(const ProgramState& state, bool chinese);

// "Fingerprint 1A2B3C4D (CRC-32 of 0x000..0x30F)".
std::string FingerprintLine(const ProgramState& state, bool chinese);

}  // namespace mx615
