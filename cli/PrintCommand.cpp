// print: the plan as a channel sheet of one page, a PDF or an HTML page.

#include <cstdio>
#include <ctime>

#include "channels/ChannelRecord.h"
#include "cli/Commands.h"
#include "cli/SheetPdf.h"
#include "files/PlanSheet.h"
#include "model/Fingerprint.h"

namespace mx615::cli {

namespace {

std::string today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

bool isHtml(const std::string& path)
{
    const auto dot = path.rfind('.');
    return dot != std::string::npos && (path.substr(dot) == ".html" || path.substr(dot) == ".HTML");
}

// The sheet names the model: a channel outside its band says that the plan
// is for another model.
void warnOutsideBand(const ProgramState& state)
{
    std::vector<int> outside;
    for (int n = 1; n <= kChannels; ++n) {
        const bool rx = ChannelInUse(state, n) && !FrequencyInBand(state, FrequencyText(state, n, kRxFirst));
        const bool tx = ChannelInUse(state, n) && HasTx(state, n) &&
                        !FrequencyInBand(state, FrequencyText(state, n, kTxFirst));
        if (rx || tx)
            outside.push_back(n);
    }
    if (!outside.empty())
        Complain((outside.size() == 1 ? "channel " : "channels ") + ChannelRanges(outside) +
                 (outside.size() == 1 ? " lies" : " lie") + " outside the band of the " +
                 state.ModelNames[state.ModelIndex] + ", which the sheet names; give --model for the radios this "
                 "plan is for.");
}

}  // namespace

int RunPrint(const CliArgs& args)
{
    const std::string& path = args.files.front();
    if (!OutputNamed(args.output, OutputKind::Sheet))
        return kUsage;
    ProgramState state;
    PlanDetails plan;
    if (!LoadPlanForCommand(state, path, args, &plan))
        return kFileFailed;
    warnOutsideBand(state);
    const std::string title = args.title.empty() ? path.substr(path.find_last_of('/') + 1) : args.title;
    // A CSV without --base holds no settings: those shown would be the
    // program's start-up ones, not the customer's.
    const bool channelsOnly = plan.kind == PlanKind::Csv && args.base.empty();
    const PlanSheet sheet = BuildPlanSheet(state, {title, today(), args.chinese, plan.labels, channelsOnly});
    const Paper paper = args.paper == "letter" ? Paper::Letter : Paper::A4;

    std::string bytes;
    if (isHtml(args.output)) {
        bytes = SheetHtml(sheet, paper, kSheetChineseFont);
    } else if (const auto fault = SheetPdf(sheet, paper, bytes)) {
        Complain(*fault + " Nothing was written.");
        return kFileFailed;
    }
    if (auto fault = WriteFileReplacing(args.output, bytes)) {
        ComplainAbout(args.output, *fault);
        return kFileFailed;
    }
    std::printf("The channel sheet of %s is in %s (one %s page). %s\n", path.c_str(), args.output.c_str(),
                paper == Paper::A4 ? "A4" : "Letter",
                channelsOnly ? "It shows the channels only: the other settings are each radio's own (give --base "
                               "FILE to print them)."
                             : FingerprintLine(state, false).c_str());
    return kDone;
}

}  // namespace mx615::cli
