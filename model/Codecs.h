#pragma once
// Conversions between the radio's stored byte formats and the texts the
// windows show: frequencies (4 bytes packed BCD), tones (2 bytes) and the
// one-byte character code.

#include <string>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

// Display text of a stored frequency, "450.02500" style (nine characters for
// 100 MHz and above, eight below). Nibbles above 9 are taken as they are.
std::string BcdToFrequencyText(int byte0, int byte1, int byte2, int byte3);

// Stores the 4-byte code of a frequency text at RadioImage(line, firstByte..+3).
// The text is read by character position (three digits, point, five digits);
// a missing position or a non-digit counts as 0.
void FrequencyTextToBcd(ProgramState& state, const std::string& text, int line, int firstByte);

// Stores the 2-byte code (low byte first) of a CTCSS tone text, or FF FF for
// the text "FF". Values outside 0 < v < 255 store nothing.
void ToneTextToCells(ProgramState& state, const std::string& text, int line, int firstByte);

// One display character for a byte, or an empty string.
std::string CodeToCharacter(int code);

// The value of the number a text starts with (blanks skipped, then an optional
// sign, digits and one decimal point); 0 when it does not start with a number.
double LeadingNumber(const std::string& text);

// The shortest decimal text that reads back as the same double ("460.04375",
// "136", "76.7"), without exponent.
std::string ShortestDecimal(double value);

// A number with the sign position in front: " 400" for 400, "-3" for -3.
std::string SignedNumberText(double value);

std::string Trimmed(const std::string& text);

// The columns a UTF-8 text takes in a terminal or a table of fixed-width
// cells: CJK characters and full-width forms take two, others one. A byte
// that is not valid UTF-8 counts as one character.
std::size_t DisplayWidth(const std::string& text);

// The text as valid UTF-8 without control characters, for a page or a
// terminal: a byte that starts no valid UTF-8 sequence is read as the Latin-1
// character of its value (a file saved in a Western 8-bit code page), and a
// control character becomes a blank.
std::string PrintableText(const std::string& text);

// The text unchanged when it takes at most width columns; otherwise cut at a
// character boundary and ended with "…" so that the whole takes at most width.
std::string FitToWidth(const std::string& text, std::size_t width);

// The longest frequency text an editor lets the user type: "450.02500".
constexpr int kFrequencyMaxChars = 9;

// The characters a frequency editor lets through: digits and the point.
bool IsFrequencyCharacter(char c);

// The titles of a grid's column-format string ("^ Channel |^RX Frequency"),
// split at "|" and without their alignment marks ("^", "<", ">").
std::vector<std::string> ColumnTitles(const std::string& format);

}  // namespace mx615
