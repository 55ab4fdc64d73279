#include "files/CsvWriter.h"

namespace mx615 {

std::string CsvField(const std::string& text, char separator)
{
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    if (text.find_first_of(special) == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string CsvRow(const std::vector<std::string>& fields, char separator)
{
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            row += separator;
        row += CsvField(fields[i], separator);
    }
    return row + "\r\n";
}

}  // namespace mx615
