#include "model/Fingerprint.h"

#include <array>
#include <cstdio>

namespace mx615 {

uint32_t Crc32(std::string_view bytes)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (const char b : bytes)
        crc = table[(crc ^ static_cast<unsigned char>(b)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

uint32_t PlanFingerprint(const ProgramState& state)
{
    std::string bytes(std::size_t(kWrittenBytes), '\0');
    for (int a = 0; a < kWrittenBytes; ++a)
        bytes[std::size_t(a)] = char(state.byteAt(a));
    return Crc32(bytes);
}

std::string FingerprintValue(const ProgramState& state, bool chinese)
{
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", unsigned(PlanFingerprint(state)));
    return chinese ? std::string(digits) + "（0x000..0x30F 的 CRC-32）" : std::string(digits) + " (CRC-32 of 0x000..0x30F)";
}

std::string FingerprintLine(const ProgramState& state, bool chinese)
{
    return kFingerprintLabel.pick(chinese) + " " + FingerprintValue(state, chinese);
}

}  // namespace mx615
