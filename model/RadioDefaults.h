#pragma once
// The values RadioImage holds after start-up, and the factory channel set.

#include <array>
#include <cstdint>

#include "model/ProgramState.h"

namespace mx615 {

// The seven identification bytes carried at 0x1B8..0x1BE, built byte by byte.
std::array<uint8_t, 7> IdentificationBytes();

// Start-up fill: every radio byte 0xFF, the fixed default lines, then the
// factory channels.
void FillStartupImage(ProgramState& state);

// Bytes 8..15 of a channel as the factory and every new channel have them:
// both tones off, no signalling, wide, high power, memory 1.
void StoreChannelDefaultFlags(ProgramState& state, int n);

// Overwrites lines 1..16 with the 16 factory channels; touches nothing else.
void LoadDefaultChannels(ProgramState& state);

}  // namespace mx615
