#include "files/NumberFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace mx615 {

namespace fs = std::filesystem;

namespace {

std::string number(long long value) { return std::to_string(value); }

FileError lineError(int line, std::string en, std::string zh)
{
    return {{"Line " + number(line) + ": " + en, "第 " + number(line) + " 行：" + zh}, line};
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isSeparator(char c) { return isBlank(c) || isLineEnd(c) || c == ','; }

// Whole numbers only: an optional sign and digits. Sets value when the text
// is one; overflow beyond what any cell holds is reported as out of range.
enum class Token { Number, NotANumber, TooLarge };
Token readInteger(std::string_view token, long long& value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
        negative = token[i++] == '-';
    if (i == token.size())
        return Token::NotANumber;
    value = 0;
    bool tooLarge = false;
    for (; i < token.size(); ++i) {
        if (token[i] < '0' || token[i] > '9')
            return Token::NotANumber;
        if (value < 1'000'000'000)
            value = value * 10 + (token[i] - '0');
        else
            tooLarge = true;
    }
    if (negative)
        value = -value;
    return tooLarge ? Token::TooLarge : Token::Number;
}


bool endsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace

std::string NumberFileText(const NumberFileFormat& format, const std::function<int(int line, int index)>& value)
{
    std::string text;
    text.reserve(std::size_t(format.count()) * 5 + std::size_t(format.lines) * 2);
    for (int line = 0; line < format.lines; ++line) {
        for (int e = 0; e < format.perLine; ++e) {
            const int v = value(line, e);
            if (v >= 0)
                text += ' ';
            text += number(v);
            text += ' ';
        }
        text += "\r\n";
    }
    return text;
}

std::optional<FileError> ParseNumberText(std::string_view text, const NumberFileFormat& format,
                                         std::vector<int16_t>& values)
{
    const int total = format.count();
    values.assign(std::size_t(total), 0);
    std::size_t pos = 0;
    // A byte-order mark, as some editors put at the start of a text file.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        pos = 3;
    int line = 1;
    int lastValueLine = 1;
    int count = 0;
    bool afterComma = false;   // a comma was seen and no value since
    bool anyValue = false;
    while (pos < text.size()) {
        const char c = text[pos];
        if (isBlank(c)) {
            ++pos;
            continue;
        }
        if (isLineEnd(c)) {
            // CR LF, a lone CR and a lone LF each end one line.
            if (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
                ++pos;
            ++pos;
            ++line;
            continue;
        }
        if (c == ',') {
            // Between two commas a value is missing: reading on would shift
            // every later value into the wrong cell.
            if (afterComma || !anyValue)
                return lineError(line, "an empty field between two commas; a number is missing.",
                                 "两个逗号之间缺少数值。");
            afterComma = true;
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        const std::string_view token = text.substr(pos, end - pos);
        pos = end;
        afterComma = false;
        anyValue = true;
        lastValueLine = line;

        long long value = 0;
        const Token kind = readInteger(token, value);
        const std::string shown = ShownValue(token);
        if (kind == Token::NotANumber)
            return lineError(line, "\"" + shown + "\" is not a whole number.", "“" + shown + "” 不是整数。");
        if (count >= total)
            return lineError(line,
                             "the value " + shown + " comes after the " + number(total) + " numbers " +
                                 format.kind.en + " holds.",
                             "数值 " + shown + " 多于" + format.kind.zh + "的 " + number(total) + " 个数值。");
        const bool radioByte = count % format.perLine < format.byteValues;
        if (radioByte && (kind == Token::TooLarge || value < 0 || value > 255))
            return lineError(line,
                             "the value " + shown +
                                 " is a radio byte and must lie within 0 to 255; the radio could never take it.",
                             "数值 " + shown + " 是对讲机字节，必须在 0 至 255 之间。");
        if (kind == Token::TooLarge || value < -32768 || value > 32767)
            return lineError(line, "the value " + shown + " is outside the range -32768 to 32767.",
                             "数值 " + shown + " 超出 -32768 至 32767 的范围。");
        values[std::size_t(count)] = int16_t(value);
        ++count;
    }
    if (count < total)
        return FileError{{"The file ends early: line " + number(lastValueLine) + " is its last, and it holds " +
                              number(count) + " of the " + number(total) + " numbers needed.",
                          "文件提前结束：最后一行是第 " + number(lastValueLine) + " 行，只有 " + number(count) +
                              " 个数值（需要 " + number(total) + " 个）。"},
                         lastValueLine};
    return std::nullopt;
}


std::optional<FileError> ReadNumberFile(const std::string& path, const NumberFileFormat& format,
                                        std::vector<int16_t>& values)
{
    std::string text;
    if (auto fault = ReadWholeFile(path, kNumberFileMaxBytes, format.kind, text))
        return fault;
    return ParseNumberText(text, format, values);
}


std::string ShownValue(std::string_view token)
{
    std::string out;
    for (std::size_t i = 0; i < token.size() && i < 24; ++i) {
        const auto c = static_cast<unsigned char>(token[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    if (token.size() > 24)
        out += "...";
    return out;
}

NameCheck CheckFileName(const std::string& name, std::string_view lower, std::string_view upper)
{
    if (name.find_first_of("*$\\/#") != std::string::npos)
        return NameCheck::ForbiddenCharacter;
    return endsWith(name, lower) || endsWith(name, upper) ? NameCheck::Ok : NameCheck::WrongSuffix;
}

FolderListing ListFolder(const std::string& path, std::string_view lower, std::string_view upper)
{
    FolderListing listing;
    std::error_code ec;
    fs::directory_iterator it(path, ec);
    if (ec) {
        listing.error = ec.message();
        return listing;
    }
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code kindError;
        if (it->is_directory(kindError))
            listing.folders.push_back(name);
        else if (it->is_regular_file(kindError) && (endsWith(name, lower) || endsWith(name, upper)))
            listing.files.push_back(name);
    }
    const auto byName = [](const std::string& a, const std::string& b) {
        const auto folded = [](std::string s) {
            std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
            return s;
        };
        const std::string la = folded(a), lb = folded(b);
        return la != lb ? la < lb : a < b;
    };
    std::sort(listing.folders.begin(), listing.folders.end(), byName);
    std::sort(listing.files.begin(), listing.files.end(), byName);
    return listing;
}

}  // namespace mx615
