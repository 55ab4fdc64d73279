#include "files/ChannFile.h"

#include <vector>

namespace mx615 {

namespace {

const NumberFileFormat& channFormat()
{
    static const NumberFileFormat format{kChannFileLines, kChannFileValues, kChannFileRadioValues,
                                         {"a channel parameter file", "信道参数文件"}};
    return format;
}

void toTable(const std::vector<int16_t>& values, ChannTable& table)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        table[i / kChannFileValues][i % kChannFileValues] = values[i];
}

}  // namespace

std::string ChannFileText(const ProgramState& state)
{
    return NumberFileText(channFormat(), [&state](int line, int e) { return int(state.RadioImage[line][e]); });
}

std::optional<FileError> ParseChannText(std::string_view text, ChannTable& table)
{
    std::vector<int16_t> values;
    if (auto fault = ParseNumberText(text, channFormat(), values))
        return fault;
    toTable(values, table);
    return std::nullopt;
}

void ApplyChannTable(ProgramState& state, const ChannTable& table)
{
    for (int line = 0; line < kChannFileLines; ++line)
        for (int e = 0; e < kChannFileValues; ++e)
            state.RadioImage[line][e] = table[line][e];
}

std::optional<FileError> LoadChannFile(ProgramState& state, const std::string& path)
{
    std::vector<int16_t> values;
    if (auto fault = ReadNumberFile(path, channFormat(), values))
        return fault;
    ChannTable table{};
    toTable(values, table);
    ApplyChannTable(state, table);
    return std::nullopt;
}

std::optional<FileError> SaveChannFile(const ProgramState& state, const std::string& path)
{
    return WriteFileReplacing(path, ChannFileText(state));
}

NameCheck CheckChannName(const std::string& name)
{
    return CheckFileName(name, ".chann", ".CHANN");
}

FolderListing ListChannFolder(const std::string& path)
{
    return ListFolder(path, ".chann", ".CHANN");
}

}  // namespace mx615
