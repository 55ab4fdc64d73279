#include "files/PlanFile.h"

#include <algorithm>
#include <cctype>

#include "files/ChannFile.h"
#include "files/ChannelCsv.h"
#include "files/ImageFile.h"
#include "model/Tables.h"

namespace mx615 {

namespace {

std::string lowerSuffix(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string suffix = path.substr(dot);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return suffix;
}

PlanFault notOpened(const std::string& path, const Bilingual& reason)
{
    return {{"The file " + path + " was not opened: " + reason.en, "文件 " + path + " 未打开：" + reason.zh}, {}, {}, {}, {}};
}

// A file error that does not name the file yet gets its name in front.
PlanFault fromFileError(const std::string& path, const FileError& fault)
{
    PlanFault plan = fault.text.en.find(path) != std::string::npos ? PlanFault{fault.text, {}, {}, {}, {}}
                                                                    : notOpened(path, fault.text);
    plan.readError = fault;
    return plan;
}

std::optional<PlanFault> loadCsv(ProgramState& state, const std::string& path, bool skipBad, PlanDetails& details)
{
    std::string text;
    if (auto fault = ReadWholeFile(path, kCsvMaxBytes, kCsvKind, text))
        return fromFileError(path, *fault);
    const CsvImport result = ImportChannelCsv(text, state, skipBad);
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (result.applied) {
        details.labels = result.labels;
        details.notes = result.notes;
        details.leftOut = CsvProblemLines(name, result);
        details.channels = result.channels;
        details.notices = result.notices;
        return std::nullopt;
    }
    if (result.unusable) {
        const std::string line = "line " + std::to_string(result.unusable->line) + ": ";
        return notOpened(path, {"it is not a channel CSV; " + line + result.unusable->text,
                                "这不是信道 CSV 文件；第 " + std::to_string(result.unusable->line) + " 行：" +
                                    result.unusable->text});
    }
    if (result.noChannels)
        return notOpened(path, kCsvNoChannels);
    const std::string count = std::to_string(result.refused.size());
    PlanFault fault = notOpened(path, {count + (result.refused.size() == 1 ? " row cannot" : " rows cannot") +
                                           " be stored in the " + state.ModelNames[state.ModelIndex] + ".",
                                       count + " 行无法存入 " + state.ModelNames[state.ModelIndex] + "。"});
    fault.rows = CsvProblemLines(name, result);
    if (const auto model = ModelTakingCsv(text, state)) {
        fault.fittingModel = model;
        const std::string& other = state.ModelNames[*model];
        fault.hint = Bilingual{"The rows fit the band of the " + other + ": choose Model > " + other +
                                   ", then open the file again.",
                               "这些行符合 " + other + " 的频段：请选择 机型 > " + other + "，然后再次打开此文件。"};
    }
    return fault;
}

}  // namespace

PlanKind PlanKindOf(const std::string& path)
{
    const std::string suffix = lowerSuffix(path);
    return suffix == ".chann" ? PlanKind::Chann
           : suffix == ".img" ? PlanKind::Image
           : suffix == ".csv" ? PlanKind::Csv
                              : PlanKind::Unknown;
}

std::optional<PlanFault> LoadPlanFile(ProgramState& state, const std::string& path, bool skipBad,
                                      PlanDetails* details)
{
    PlanDetails ignored;
    PlanDetails& learned = details ? *details : ignored;
    learned = PlanDetails{PlanKindOf(path), {}, {}, {}, {}, {}};
    std::optional<FileError> fault;
    switch (learned.kind) {
    case PlanKind::Chann:
        fault = LoadChannFile(state, path);
        break;
    case PlanKind::Image:
        fault = LoadImageFile(state, path);
        break;
    case PlanKind::Csv:
        return loadCsv(state, path, skipBad, learned);
    case PlanKind::Unknown:
        // A device or a pipe has no suffix: what it is says more than that.
        if (const auto notAFile = RefuseNonRegularFile(path, false))
            return fromFileError(path, *notAFile);
        return notOpened(path, {"the program opens channel parameter files (.chann), radio images (.img) and "
                                "channel lists (.csv).",
                                "本程序只打开信道参数文件 (.chann)、对讲机映像 (.img) 和信道列表 (.csv)。"});
    }
    if (fault)
        return fromFileError(path, *fault);
    return std::nullopt;
}

}  // namespace mx615
