// The commands that work on files only: show, diff and the CSV exchange.

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "cli/Commands.h"
#include "features/FeatureSummary.h"
#include "files/ChannelCsv.h"
#include "files/ChannFile.h"
#include "files/ImageDiff.h"
#include "files/ImageFile.h"
#include "files/PlanFile.h"
#include "files/PlanSheet.h"
#include "model/Codecs.h"
#include "model/Fingerprint.h"
#include "model/StartupState.h"

namespace mx615::cli {

namespace {

constexpr const char* kNoRowFits = "No row fits: is the model right (--model)?";

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string padded(const std::string& text, std::size_t width)
{
    const std::size_t shown = DisplayWidth(text);
    return text + std::string(width > shown ? width - shown : 0, ' ');
}

// The words of the command line for a CSV that another model's band takes.
std::string modelHint(const ProgramState& state, int model)
{
    const std::string& name = state.ModelNames[model];
    return "The rows fit the band of the " + name + ": give --model " + name.substr(name.rfind('-') + 1) + ".";
}

int show(const CliArgs& args)
{
    ProgramState state;
    if (!LoadPlanForCommand(state, args.files.front(), args))
        return kFileFailed;
    const bool zh = args.chinese;
    const ChannelTableTexts table = ChannelTableOf(state, zh);
    std::vector<std::vector<std::string>> rows{table.columns};
    rows.insert(rows.end(), table.rows.begin(), table.rows.end());
    std::vector<std::size_t> widths(table.columns.size(), 0);
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c)
            line += padded(row[c], widths[c] + 2);
        std::printf("%s\n", Trimmed(line).c_str());
    }
    // A CSV without --base holds the channels only: the start-up settings
    // under it are nobody's plan.
    if (PlanKindOf(args.files.front()) == PlanKind::Csv && args.base.empty()) {
        std::printf("\n%s\n", zh ? "其他设置：各对讲机自身的设置（本文件只含信道；--base FILE 给出设置）。"
                                  : "Other settings: each radio's own (this file holds the channels only; --base "
                                    "FILE gives them).");
        return kDone;
    }
    for (const SettingSection& section : FeatureSections(state, zh)) {
        std::size_t width = 0;
        for (const SettingLine& line : section.lines)
            width = std::max(width, DisplayWidth(line.label));
        std::printf("\n%s\n", section.title.c_str());
        for (const SettingLine& line : section.lines)
            std::printf("  %s\n", line.value.empty() ? line.label.c_str()
                                                     : (padded(line.label, width) + "  " + line.value).c_str());
    }
    std::printf("\n%s\n", FingerprintLine(state, zh).c_str());
    return kDone;
}

// What a plan of this name carries: a raw image all 64 lines, a channel
// parameter file lines 0..53 and its spare cells.
DiffScope carriedBy(const std::string& path)
{
    return PlanKindOf(path) == PlanKind::Image ? DiffScope{kRadioLines, false} : DiffScope{kChannFileLines, true};
}

int diff(const CliArgs& args)
{
    const std::vector<std::string>& files = args.files;
    const bool csv[2] = {PlanKindOf(files[0]) == PlanKind::Csv, PlanKindOf(files[1]) == PlanKind::Csv};
    ProgramState plans[2];
    DiffScope scopes[2] = {carriedBy(files[0]), carriedBy(files[1])};
    for (int i : {0, 1})
        if (!csv[i] && !LoadPlanForCommand(plans[i], files[i], args))
            return kFileFailed;
    // A CSV holds the channels only. Without --base it takes the rest from the
    // other plan, so that only the channels are compared.
    for (int i : {0, 1}) {
        if (!csv[i])
            continue;
        const bool overOther = args.base.empty() && !csv[1 - i];
        scopes[i] = overOther ? scopes[1 - i] : !args.base.empty() ? carriedBy(args.base) : DiffScope{kRadioLines, true};
        if (!LoadPlanForCommand(plans[i], files[i], args, nullptr, overOther ? &plans[1 - i] : nullptr))
            return kFileFailed;
    }
    // Only what both files carry is compared.
    const DiffScope scope{std::min(scopes[0].lines, scopes[1].lines), scopes[0].spareCells && scopes[1].spareCells};
    const auto changes = args.raw ? RawChanges(plans[0], plans[1], scope, args.chinese)
                                  : DescribeChanges(plans[0], plans[1], scope, args.chinese);
    for (const std::string& line : changes)
        std::printf("%s\n", line.c_str());
    return changes.empty() ? kDone : kDifferent;
}

bool save(const std::string& path, const std::string& text)
{
    if (auto fault = WriteFileReplacing(path, text)) {
        ComplainAbout(path, *fault);
        return false;
    }
    return true;
}

int exportCsv(const CliArgs& args)
{
    if (!OutputNamed(args.output, OutputKind::Csv))
        return kUsage;
    // A CSV read and written again loses what this tool does not read (the
    // columns of other radios, its comment lines): never over its source.
    std::error_code ec;
    if (std::filesystem::equivalent(args.files.front(), args.output, ec)) {
        Complain(args.output + " is the plan itself; the export would replace the file it reads. Name another file.");
        return kUsage;
    }
    ProgramState state;
    PlanDetails details;
    if (!LoadPlanForCommand(state, args.files.front(), args, &details))
        return kFileFailed;
    // The names and comments a CSV brought go out with its channels.
    for (const std::string& note : details.notes)
        if (note != kCsvLabelsNotStored)
            Complain(args.files.front() + ": " + note);
    const CsvExport csv = ExportChannelCsv(state, &details.labels);
    for (const std::string& note : csv.notes)
        Complain(args.files.front() + ": " + note);
    if (!save(args.output, csv.text))
        return kFileFailed;
    const auto rows = std::count(csv.text.begin(), csv.text.end(), '\n') - 1;
    std::printf("Wrote %ld channel%s to %s.\n", long(rows), rows == 1 ? "" : "s", args.output.c_str());
    return kDone;
}

int importCsv(const CliArgs& args)
{
    if (!OutputNamed(args.output, OutputKind::Radio))
        return kUsage;
    // The CSV is read as every plan is; without a base its channels go into
    // the start-up image.
    const std::string& path = args.files.front();
    PlanDetails details;
    ProgramState state;
    if (!LoadPlanForCommand(state, path, args, &details)) {
        Complain("Nothing was written.");
        return kFileFailed;
    }
    for (const std::string& note : details.notes)
        Complain(path + ": " + note);
    if (auto fault = SaveRadioFile(state, args.output)) {
        ComplainAbout(args.output, *fault);
        return kFileFailed;
    }
    const std::string skipped =
        details.skipped == 0 ? std::string()
                             : "; " + std::to_string(details.skipped) +
                                   (details.skipped == 1 ? " row without a frequency was" : " rows without a frequency were") +
                                   " skipped";
    std::vector<int> empty;
    for (int n = 1; n <= kChannels; ++n)
        if (!std::binary_search(details.channels.begin(), details.channels.end(), n))
            empty.push_back(n);
    const std::string left =
        empty.empty() ? std::string() : (empty.size() == 1 ? "; channel " : "; channels ") + ChannelRanges(empty) + " left empty";
    std::printf("Stored %zu channel%s (%s) for the %s in %s%s%s%s.\n", details.channels.size(),
                details.channels.size() == 1 ? "" : "s", ChannelRanges(details.channels).c_str(),
                state.ModelNames[state.ModelIndex].c_str(), args.output.c_str(),
                details.leftOut.empty() ? "" : "; the refused rows were left out", skipped.c_str(), left.c_str());
    return kDone;
}

}  // namespace

void Complain(const std::string& text)
{
    std::fprintf(stderr, "mx615-cli: %s\n", text.c_str());
}

void ComplainAbout(const std::string& path, const FileError& fault)
{
    Complain(fault.text.en.find(path) == std::string::npos ? path + ": " + fault.text.en : fault.text.en);
}

bool LoadPlanForCommand(ProgramState& state, const std::string& path, const CliArgs& args, PlanDetails* details,
                        const ProgramState* under)
{
    const bool csv = PlanKindOf(path) == PlanKind::Csv;
    const bool overBase = csv && !under && !args.base.empty();
    FillStartupState(state, {.model = ModelIndexOf(args.model), .image = csv && !under && !overBase,
                             .adjustment = false});
    if (under)
        state.RadioImage = under->RadioImage;
    if (overBase && !LoadPlanForCommand(state, args.base, args))
        return false;
    PlanDetails learned;
    if (const auto fault = LoadPlanFile(state, path, args.skipBad, details ? details : &learned)) {
        switch (fault->reason) {
        case PlanFault::Reason::Unreadable:
            ComplainAbout(path, *fault->fileError);
            break;
        case PlanFault::Reason::NotACsv:
            Complain(path + " line " + std::to_string(fault->unusable->line) + ": " + fault->unusable->text);
            break;
        case PlanFault::Reason::NoChannels:
            Complain(path + ": " + kCsvNoChannels.en);
            break;
        case PlanFault::Reason::RowsRefused:
            for (const std::string& row : fault->rows)
                Complain(row);
            Complain(PlanFaultText(*fault, state).en);
            if (fault->fittingModel)
                Complain(modelHint(state, *fault->fittingModel));
            Complain(args.skipBad ? kNoRowFits : "Mend the rows, or give --skip-bad to leave them out.");
            break;
        case PlanFault::Reason::UnknownSuffix:
            Complain(PlanFaultText(*fault, state).en);
            break;
        }
        return false;
    }
    const PlanDetails& loaded = details ? *details : learned;
    for (const Bilingual& notice : loaded.notices)
        Complain(path + ": " + notice.en);
    for (const std::string& row : loaded.leftOut)
        Complain(row);
    if (!loaded.leftOut.empty())
        Complain(path + ": the rows that cannot be stored were left out (--skip-bad).");
    return true;
}

bool OutputNamed(const std::string& path, OutputKind kind)
{
    switch (kind) {
    case OutputKind::Radio:
        if (endsWith(path, ".chann") || endsWith(path, ".CHANN") || IsRawImageName(path))
            return true;
        Complain(path + ": name the file *.chann (a channel parameter file) or *.img (the raw 1024-byte image).");
        return false;
    case OutputKind::Adjustment:
        if (endsWith(path, ".adj") || endsWith(path, ".ADJ"))
            return true;
        Complain(path + ": name the file *.adj (an adjustment parameter file).");
        return false;
    case OutputKind::Csv:
        if (endsWith(path, ".csv") || endsWith(path, ".CSV"))
            return true;
        Complain(path + ": name the file *.csv.");
        return false;
    case OutputKind::Sheet:
        if (endsWith(path, ".pdf") || endsWith(path, ".PDF") || endsWith(path, ".html") || endsWith(path, ".HTML"))
            return true;
        Complain(path + ": name the file *.pdf (a PDF) or *.html (a page for a browser).");
        return false;
    }
    return false;
}

std::string ChannelRanges(const std::vector<int>& channels)
{
    std::string text;
    for (std::size_t i = 0; i < channels.size();) {
        std::size_t j = i;
        while (j + 1 < channels.size() && channels[j + 1] == channels[j] + 1)
            ++j;
        text += (text.empty() ? "" : ", ") + std::to_string(channels[i]) +
                (j > i ? "-" + std::to_string(channels[j]) : std::string());
        i = j + 1;
    }
    return text.empty() ? "none" : text;
}

int RunFileCommand(const CliArgs& args)
{
    if (args.command == "show")
        return show(args);
    if (args.command == "diff")
        return diff(args);
    if (args.command == "export-csv")
        return exportCsv(args);
    return importCsv(args);
}

}  // namespace mx615::cli
