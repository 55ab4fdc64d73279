// The commands that work on files only: show, diff and the CSV exchange.

#include <algorithm>
#include <cstdio>

#include "channels/ChannelGrid.h"
#include "cli/Commands.h"
#include "features/FeatureSummary.h"
#include "files/ChannelCsv.h"
#include "files/ImageDiff.h"
#include "files/ImageFile.h"
#include "model/Codecs.h"
#include "model/StartupState.h"

namespace mx615::cli {

namespace {

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void prepareTables(ProgramState& state, int model = 1)
{
    FillStartupState(state, {.model = model, .image = false, .adjustment = false});
}

// Columns a terminal draws two cells wide (CJK), so that the table lines up.
std::size_t displayWidth(const std::string& text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? c : c & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + std::size_t(k) < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + std::size_t(k)]) & 0x3F);
        const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                          (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                          (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                          (code >= 0xFFE0 && code <= 0xFFE6);
        width += wide ? 2 : 1;
        i += std::size_t(length);
    }
    return width;
}

std::string padded(const std::string& text, std::size_t width)
{
    const std::size_t shown = displayWidth(text);
    return text + std::string(width > shown ? width - shown : 0, ' ');
}

int show(const CliArgs& args)
{
    ProgramState state;
    if (!LoadForCommand(state, args.files.front()))
        return kFileFailed;
    const bool zh = args.chinese;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> titles;
    for (const std::string& title : ChannelGrid::ColumnTitles(ChannelGrid::kColumnFormat.pick(zh)))
        titles.push_back(Trimmed(title));
    rows.push_back(titles);
    for (int n = 1; n <= kChannels; ++n) {
        const auto texts = ChannelGrid::RowTexts(state, n, zh);
        rows.emplace_back(texts.begin(), texts.end());
    }
    std::vector<std::size_t> widths(titles.size(), 0);
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(row[c]));
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c)
            line += padded(row[c], widths[c] + 2);
        std::printf("%s\n", Trimmed(line).c_str());
    }
    for (const SettingSection& section : FeatureSections(state, zh)) {
        std::size_t width = 0;
        for (const SettingLine& line : section.lines)
            width = std::max(width, displayWidth(line.label));
        std::printf("\n%s\n", section.title.c_str());
        for (const SettingLine& line : section.lines)
            std::printf("  %s\n", line.value.empty() ? line.label.c_str()
                                                     : (padded(line.label, width) + "  " + line.value).c_str());
    }
    return kDone;
}

int diff(const CliArgs& args)
{
    const std::string& first = args.files[0];
    const std::string& second = args.files[1];
    ProgramState before, after;
    if (!LoadForCommand(before, first) || !LoadForCommand(after, second))
        return kFileFailed;
    // Only what both files carry is compared.
    const DiffScope scope{std::min(LinesCarried(first), LinesCarried(second)),
                          !IsRawImageName(first) && !IsRawImageName(second)};
    const auto changes = args.raw ? RawChanges(before, after, scope, args.chinese)
                                  : DescribeChanges(before, after, scope, args.chinese);
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
    ProgramState state;
    if (!LoadForCommand(state, args.files.front()))
        return kFileFailed;
    const CsvExport csv = ExportChannelCsv(state);
    for (const std::string& note : csv.notes)
        Complain(args.files.front() + ": " + note);
    if (!save(args.output, csv.text))
        return kFileFailed;
    const auto rows = std::count(csv.text.begin(), csv.text.end(), '\n') - 1;
    std::printf("Wrote %ld channel%s to %s.\n", long(rows), rows == 1 ? "" : "s", args.output.c_str());
    return kDone;
}

// "1-4, 7, 9-16".
std::string channelRanges(const std::vector<int>& channels)
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

int importCsv(const CliArgs& args)
{
    const std::string& path = args.files.front();
    if (!OutputNamed(args.output, OutputKind::Radio))
        return kUsage;
    std::string text;
    if (auto fault = ReadWholeFile(path, kCsvMaxBytes, kCsvKind, text)) {
        ComplainAbout(path, *fault);
        return kFileFailed;
    }
    ProgramState state;
    // Without a base the channels go into the start-up image.
    if (!args.base.empty() && !LoadForCommand(state, args.base))
        return kFileFailed;
    FillStartupState(state, {.model = ModelIndexOf(args.model), .image = args.base.empty(), .adjustment = false});

    const CsvImport result = ImportChannelCsv(text, state, args.skipBad);
    if (result.unusable) {
        Complain(path + " line " + std::to_string(result.unusable->line) + ": " + result.unusable->text);
        return kFileFailed;
    }
    if (result.noChannels) {
        Complain(path + ": " + kCsvNoChannels.en + " Nothing was written.");
        return kFileFailed;
    }
    for (const std::string& line : CsvProblemLines(path, result))
        Complain(line);
    for (const std::string& note : result.notes)
        Complain(path + ": " + note);
    if (!result.applied) {
        if (const auto model = ModelTakingCsv(text, state)) {
            const std::string& name = state.ModelNames[*model];
            Complain("The rows fit the band of the " + name + ": give --model " + name.substr(name.rfind('-') + 1) +
                     ".");
        }
        Complain(std::to_string(result.refused.size()) + " of the rows cannot be stored; nothing was written. " +
                 (args.skipBad ? std::string("No row fits: is the model right (--model)?")
                               : std::string("Mend them, or give --skip-bad to save the rows that fit.")));
        return kFileFailed;
    }
    if (auto fault = SaveRadioFile(state, args.output)) {
        ComplainAbout(args.output, *fault);
        return kFileFailed;
    }
    const std::string skipped =
        result.skipped == 0 ? std::string()
                            : "; " + std::to_string(result.skipped) +
                                  (result.skipped == 1 ? " row without a frequency was" : " rows without a frequency were") +
                                  " skipped";
    std::printf("Stored %zu channel%s (%s) for the %s in %s%s%s.\n", result.channels.size(),
                result.channels.size() == 1 ? "" : "s",
                channelRanges(result.channels).c_str(), state.ModelNames[state.ModelIndex].c_str(),
                args.output.c_str(), result.refused.empty() ? "" : "; the refused rows were left out", skipped.c_str());
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

bool LoadForCommand(ProgramState& state, const std::string& path)
{
    prepareTables(state);
    if (auto fault = LoadRadioFile(state, path)) {
        ComplainAbout(path, *fault);
        return false;
    }
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
    }
    return false;
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
