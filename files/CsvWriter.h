#pragma once
// The one CSV writer: the channel export and the run log write their rows
// through it, so that a name, a message or a path with a comma, a quote or a
// line break reads back as it was written.

#include <string>
#include <vector>

namespace mx615 {

// A field as CSV needs it: quoted when it holds the separator, a quote or a
// line end, quotes doubled.
std::string CsvField(const std::string& text, char separator = ',');

// A row of fields, each through CsvField, parted by the separator (a comma in
// files, a tab on the clipboard) and ended by CR LF, as spreadsheets write them.
std::string CsvRow(const std::vector<std::string>& fields, char separator = ',');

}  // namespace mx615
