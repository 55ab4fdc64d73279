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

PlanFault refusal(const std::string& path, PlanFault::Reason reason)
{
    return {.reason = reason, .path = path};
}

PlanFault unreadable(const std::string& path, const FileError& error)
{
    PlanFault plan = refusal(path, PlanFault::Reason::Unreadable);
    plan.fileError = error;
    return plan;
}

std::optional<PlanFault> loadCsv(ProgramState& state, const std::string& path, bool skipBad, PlanDetails& details)
{
    std::string text;
    if (auto error = ReadWholeFile(path, kCsvMaxBytes, kCsvKind, text))
        return unreadable(path, *error);
    const CsvImport result = ImportChannelCsv(text, state, skipBad);
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (result.applied) {
        details.labels = result.labels;
        details.notes = result.notes;
        details.leftOut = CsvProblemLines(name, result);
        details.channels = result.channels;
        details.notices = result.notices;
        details.skipped = result.skipped;
        return std::nullopt;
    }
    if (result.unusable) {
        PlanFault plan = refusal(path, PlanFault::Reason::NotACsv);
        plan.unusable = result.unusable;
        return plan;
    }
    if (result.noChannels)
        return refusal(path, PlanFault::Reason::NoChannels);
    PlanFault plan = refusal(path, PlanFault::Reason::RowsRefused);
    plan.rows = CsvProblemLines(name, result);
    plan.refusedCount = result.refused.size();
    plan.model = state.ModelIndex;
    plan.fittingModel = ModelTakingCsv(text, state);
    return plan;
}

Bilingual notOpened(const std::string& path, const Bilingual& reason)
{
    return {"The file " + path + " was not opened: " + reason.en, "文件 " + path + " 未打开：" + reason.zh};
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
    learned = PlanDetails{.kind = PlanKindOf(path)};
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
            return unreadable(path, *notAFile);
        return refusal(path, PlanFault::Reason::UnknownSuffix);
    }
    if (fault)
        return unreadable(path, *fault);
    return std::nullopt;
}

Bilingual PlanFaultText(const PlanFault& fault, const ProgramState& state)
{
    const std::string& path = fault.path;
    switch (fault.reason) {
    case PlanFault::Reason::Unreadable:
        // A file error that does not name the file yet gets its name in front.
        if (!fault.fileError)
            break;
        return fault.fileError->text.en.find(path) != std::string::npos ? fault.fileError->text
                                                                        : notOpened(path, fault.fileError->text);
    case PlanFault::Reason::UnknownSuffix:
        return notOpened(path, {"the program opens channel parameter files (.chann), radio images (.img) and "
                                "channel lists (.csv).",
                                "本程序只打开信道参数文件 (.chann)、对讲机映像 (.img) 和信道列表 (.csv)。"});
    case PlanFault::Reason::NotACsv: {
        const std::string line = fault.unusable ? std::to_string(fault.unusable->line) : "?";
        const std::string what = fault.unusable ? fault.unusable->text : std::string();
        return notOpened(path, {"it is not a channel CSV; line " + line + ": " + what,
                                "这不是信道 CSV 文件；第 " + line + " 行：" + what});
    }
    case PlanFault::Reason::NoChannels:
        return notOpened(path, kCsvNoChannels);
    case PlanFault::Reason::RowsRefused: {
        const std::string count = std::to_string(fault.refusedCount);
        const std::string& model = state.ModelNames[fault.model];
        return notOpened(path, {count + (fault.refusedCount == 1 ? " row cannot" : " rows cannot") +
                                    " be stored in the " + model + ".",
                                count + " 行无法存入 " + model + "。"});
    }
    }
    return notOpened(path, {"it could not be read.", "无法读取。"});
}

}  // namespace mx615
