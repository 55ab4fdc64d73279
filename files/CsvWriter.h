#pragma once
// The one CSV writer: the channel export and the run log write their rows
// through it, so that a name, a message or a path with a comma, a quote or a
// line break reads back as it was written.

#include <string>
#include <vector>

namespace mx615 {

// A field as CSV needs it: quoted when it holds a separator, a quote or a
// line end, quotes doubled.
std::string CsvField(const std::string& text);

// A row of fields, each through CsvField, separated by commas and ended by
// CR LF, as spreadsheets write them.
std::string CsvRow(const std::vector<std::string>& fields);

}  // namespace mx615
