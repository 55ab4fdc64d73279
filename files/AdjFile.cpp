#include "files/AdjFile.h"

#include <vector>

namespace mx615 {

namespace {

// Every value of the file is an adjustment byte of the radio.
const NumberFileFormat& adjFormat()
{
    static const NumberFileFormat format{kAdjFileLines, kAdjFileValues, kAdjFileValues,
                                         {"an adjustment parameter file", "调整参数文件"}};
    return format;
}

void storeValues(ProgramState& state, const std::vector<int16_t>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        state.AdjustTable[i / kAdjFileValues][i % kAdjFileValues] = values[i];
}

}  // namespace

std::string AdjFileText(const ProgramState& state)
{
    return NumberFileText(adjFormat(), [&state](int line, int b) { return int(state.AdjustTable[line][b]); });
}

std::optional<FileError> LoadAdjustText(ProgramState& state, std::string_view text)
{
    std::vector<int16_t> values;
    if (auto fault = ParseNumberText(text, adjFormat(), values))
        return fault;
    storeValues(state, values);
    return std::nullopt;
}

std::optional<FileError> LoadAdjustFile(ProgramState& state, const std::string& path)
{
    std::vector<int16_t> values;
    if (auto fault = ReadNumberFile(path, adjFormat(), values))
        return fault;
    storeValues(state, values);
    return std::nullopt;
}

std::optional<FileError> SaveAdjustFile(const ProgramState& state, const std::string& path)
{
    return WriteFileReplacing(path, AdjFileText(state));
}

NameCheck CheckAdjName(const std::string& name)
{
    return CheckFileName(name, ".adj", ".ADJ");
}

FolderListing ListAdjFolder(const std::string& path)
{
    return ListFolder(path, ".adj", ".ADJ");
}

}  // namespace mx615
