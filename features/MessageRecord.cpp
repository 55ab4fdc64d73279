#include "features/MessageRecord.h"

#include "model/Codecs.h"

namespace mx615 {

namespace {

constexpr int kLineChars = 16;

int16_t& cellOf(ProgramState& state, Message which, int i)  // character i, 0-based
{
    return state.RadioImage[FirstLine(which) + i / kLineChars][i % kLineChars];
}

}  // namespace

int FirstLine(Message which) { return which == Message::First ? 48 : 50; }
const char* ControlName(Message which) { return which == Message::First ? "Text_MS1" : "Text_MS2"; }

bool IsMessageCharacter(char32_t c) { return c <= 0xFF; }

std::string ShownMessage(const ProgramState& state, Message which)
{
    std::string text;
    for (int i = 0; i < kMessageChars; ++i) {
        const int code = state.RadioImage[FirstLine(which) + i / kLineChars][i % kLineChars] & 0xFF;
        if (code >= 33 && code <= 127)
            text += char(code);
    }
    return text;
}

void StoreMessage(ProgramState& state, Message which, const std::string& text)
{
    const std::string t = Trimmed(text);
    for (int i = 0; i < kMessageChars; ++i)
        cellOf(state, which, i) = int16_t(i < int(t.size()) ? uint8_t(t[i]) : 255);
}

bool MessageKeyAccepted(const std::string& boxText) { return Trimmed(boxText).size() < std::size_t(kMessageChars); }

bool MessageKeyPress(ProgramState& state, Message which, const std::string& boxText)
{
    StoreMessage(state, which, boxText);
    return MessageKeyAccepted(boxText);
}

std::vector<std::string> ShownMessages(const ProgramState& state)
{
    return {ShownMessage(state, Message::First), ShownMessage(state, Message::Second)};
}

}  // namespace mx615
