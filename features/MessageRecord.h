#pragma once
// The embedded message: two messages of up to 32 characters, one
// character code per byte, 255 = unused. Message 1 is lines 48 and 49
// (0x300..0x31F), message 2 lines 50 and 51 (0x320..0x33F). Texts here are
// byte strings, one byte per character in the radio's 8-bit code page; the
// window converts (Latin-1) and refuses characters that need more
// (IsMessageCharacter).

#include <string>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

enum class Message { First, Second };
inline constexpr Message kMessages[] = {Message::First, Message::Second};
constexpr int kMessageChars = 32;

int FirstLine(Message which);  // 48 or 50; characters 17..32 in the next line
const char* ControlName(Message which);  // "Text_MS1", "Text_MS2"

// A character has a one-byte code.
bool IsMessageCharacter(char32_t c);

// The box text: codes 33..127 in order; any other (the blank 32 included,
// and the unused 255) is skipped wherever it stands.
std::string ShownMessage(const ProgramState& state, Message which);
// Both lines 255, then the trimmed text from the first byte on. Inner blanks
// are stored as 32. Only the first 32 characters of a longer (pasted) text
// are stored.
void StoreMessage(ProgramState& state, Message which, const std::string& text);
// A key may enter the box while the trimmed text holds fewer than 32 characters.
bool MessageKeyAccepted(const std::string& boxText);
// The key-press handler: stores the box text as it is before the key (the
// stored message follows the box one key behind), then tells whether the key
// may enter the box.
bool MessageKeyPress(ProgramState& state, Message which, const std::string& boxText);

std::vector<std::string> ShownMessages(const ProgramState& state);

}  // namespace mx615
