#include "model/Codecs.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace mx615 {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The length in bytes of the UTF-8 character at text[i] and its code point; a
// byte that starts no valid sequence is one character of its own.
std::size_t characterAt(const std::string& text, std::size_t i, char32_t& code)
{
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
        code = c;
        return 1;
    }
    code = length == 1 ? c : c & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            code = c;
            return 1;
        }
        code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and codes beyond Unicode are no characters.
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        code = c;
        return 1;
    }
    return length;
}

std::size_t columnsOf(char32_t code)
{
    const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                      (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                      (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                      (code >= 0xFFE0 && code <= 0xFFE6);
    return wide ? 2 : 1;
}

}  // namespace

std::size_t DisplayWidth(const std::string& text)
{
    std::size_t width = 0;
    char32_t code = 0;
    for (std::size_t i = 0; i < text.size();) {
        i += characterAt(text, i, code);
        width += columnsOf(code);
    }
    return width;
}

std::string PrintableText(const std::string& text)
{
    std::string out;
    char32_t code = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = characterAt(text, i, code);
        if (code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0))
            out += ' ';
        else if (length == 1 && code >= 0x80)   // a Latin-1 byte, as UTF-8
            out += {char(0xC0 | (code >> 6)), char(0x80 | (code & 0x3F))};
        else
            out += text.substr(i, length);
        i += length;
    }
    return out;
}

std::string FitToWidth(const std::string& text, std::size_t width)
{
    if (DisplayWidth(text) <= width)
        return text;
    static const std::string kEllipsis = "\u2026";
    std::size_t used = 0, i = 0;
    char32_t code = 0;
    while (i < text.size()) {
        const std::size_t length = characterAt(text, i, code);
        if (used + columnsOf(code) + 1 > width)
            break;
        used += columnsOf(code);
        i += length;
    }
    return text.substr(0, i) + (width > 0 ? kEllipsis : std::string());
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string ShortestDecimal(double value)
{
    // Fixed notation of the largest double has 309 digits and of the smallest
    // 326 characters: this buffer holds any of them, so to_chars cannot fail.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return "0";
    std::string text(buffer, result.ptr);
    if (text == "-0")
        text = "0";
    return text;
}

std::string SignedNumberText(double value)
{
    const std::string digits = ShortestDecimal(value);
    return digits.front() == '-' ? digits : " " + digits;
}

double LeadingNumber(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    bool point = false;
    bool digits = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            number += text[i];
            digits = true;
        } else if (text[i] == '.' && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    if (number.front() == '+')
        number.erase(0, 1);
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

std::string BcdToFrequencyText(int byte0, int byte1, int byte2, int byte3)
{
    // Work in whole units of 10 Hz so that the text is exact; a nibble above 9
    // simply weighs ten or more times its position, as the radio's own code does.
    const int bytes[4] = {byte0 & 0xFF, byte1 & 0xFF, byte2 & 0xFF, byte3 & 0xFF};
    static constexpr int64_t weights[8] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
    int64_t units = 0;  // units of 0.00001 MHz
    for (int b = 0; b < 4; ++b) {
        units += int64_t(bytes[b] & 0x0F) * weights[2 * b];
        units += int64_t(bytes[b] >> 4) * weights[2 * b + 1];
    }
    std::string text = std::to_string(units / 100000);
    std::string fraction = std::to_string(units % 100000);
    fraction.insert(0, 5 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += "." + fraction;

    if (text.size() < 9) {
        if (text.size() == 2 || text.size() == 3)
            text += ".";
        const std::size_t width = units < 100 * 100000 ? 8 : 9;
        if (text.size() < width)
            text.append(width - text.size(), '0');
    }
    return text;
}

void FrequencyTextToBcd(ProgramState& state, const std::string& text, int line, int firstByte)
{
    std::string s = Trimmed(text);
    if (state.BandLowMHz < 100)
        s = "0" + s;
    auto d = [&s](std::size_t position) {  // 1-based character position
        if (position > s.size() || !isDigit(s[position - 1]))
            return 0;
        return s[position - 1] - '0';
    };
    auto& row = state.RadioImage[line];
    row[firstByte] = int16_t(16 * d(8) + d(9));
    row[firstByte + 1] = int16_t(16 * d(6) + d(7));
    row[firstByte + 2] = int16_t(16 * d(3) + d(5));
    row[firstByte + 3] = int16_t(16 * d(1) + d(2));
}

void ToneTextToCells(ProgramState& state, const std::string& text, int line, int firstByte)
{
    auto& row = state.RadioImage[line];
    if (text == "FF") {
        row[firstByte] = 255;
        row[firstByte + 1] = 255;
        return;
    }
    const double v = LeadingNumber(text);
    if (!(v > 0 && v < 255))
        return;
    // Round the whole value first (ties to even), then split it: rounding the
    // low byte alone would carry into 256 (102.37 Hz is 1024 tenths, not
    // 3 and 256).
    const int tenths = int(std::nearbyint(v * 10));
    row[firstByte] = int16_t(tenths % 256);
    row[firstByte + 1] = int16_t(tenths / 256);
}

std::string CodeToCharacter(int code)
{
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || code == '+' || code == '-' ||
        code == ' ')
        return std::string(1, char(code));
    return {};
}

bool IsFrequencyCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '.';
}

std::vector<std::string> ColumnTitles(const std::string& format)
{
    std::vector<std::string> titles;
    std::size_t start = 0;
    while (true) {
        const auto bar = format.find('|', start);
        std::string title = format.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        if (!title.empty() && (title.front() == '^' || title.front() == '<' || title.front() == '>'))
            title.erase(0, 1);
        titles.push_back(title);
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return titles;
}

}  // namespace mx615
