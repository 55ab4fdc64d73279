#pragma once
// The tone table (names and codes of the 205 selectable tones and "off") and
// the model table (names and band limits of the three radio models).

#include <optional>
#include <string>

#include "model/ProgramState.h"

namespace mx615 {

constexpr int kCtcssFirst = 1, kCtcssLast = 39;
constexpr int kDcsNormalFirst = 40, kDcsInvertedFirst = 123, kToneLast = 205;

// Fills ToneNames, ToneCodeLow and ToneCodeHigh for indexes 0..205.
void BuildToneTables(ProgramState& state);

// Fills ModelNames and BandTable (rows 0..2), then BandLowMHz / BandHighMHz
// from row ModelIndex.
void BuildModelTable(ProgramState& state);

// The first tone index 0..205 whose code is (low, high), if any.
std::optional<int> ToneIndexOfCode(const ProgramState& state, int low, int high);

// Stores the code of tone index k at RadioImage(line, firstByte) (low) and
// (line, firstByte + 1) (high).
void StoreToneCode(ProgramState& state, int k, int line, int firstByte);

// A tone name without its padding blanks ("D023N", "67.0", "OFF").
std::string ToneNameTrimmed(const ProgramState& state, int k);

// The status-bar band text: " 400-- 480 MHZ" for 400..481.
std::string BandRangeText(double lowMHz, double highMHz);
// The model dialog's band text: " 400 --  481" for 400..481 (the stored upper
// limit, not reduced as in the status bar).
std::string BandLabelText(double lowMHz, double highMHz);

// A model and the band its channels must lie in, the limits as stored:
// "MX-615D-UHF (400 to 481 MHz)", "MX-615D-UHF（400 至 481 MHz）".
std::string ModelBandText(const ProgramState& state, int model, bool chinese = false);

}  // namespace mx615
