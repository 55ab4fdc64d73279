#pragma once
// What the frequency editors accept before a text reaches the record. The
// stored code is read by character position (three digits, a point, five
// digits), so a text of any other shape would silently store a different
// frequency; such texts are brought to that shape here or refused.

#include <optional>
#include <string>

#include "model/ProgramState.h"

namespace mx615 {

// The longest text the editor lets the user type: "450.02500".
constexpr int kFrequencyMaxChars = 9;

// The characters the frequency editor lets through.
bool IsFrequencyCharacter(char c);

// An in-band entry in the display form "450.02500" (eight characters below
// 100 MHz): leading zeros before the MHz digits are dropped and the decimals
// padded to five. Nothing is returned for a text that cannot be stored as
// typed: anything but digits and one point, more than five significant
// decimals, or a whole-MHz part the record cannot hold.
std::optional<std::string> NormalisedFrequencyText(const ProgramState& state, const std::string& text);

}  // namespace mx615
