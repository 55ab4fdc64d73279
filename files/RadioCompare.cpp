#include "files/RadioCompare.h"

#include "files/ImageDiff.h"
#include "model/Fingerprint.h"

namespace mx615 {

namespace {

// Only what a write sends: the rest of the radio's memory stays as it is.
constexpr DiffScope kWritten{kWrittenLines, false};

}  // namespace

bool RadioHoldsPlan(const ProgramState& plan, const ProgramState& radio)
{
    for (int a = 0; a < kWrittenBytes; ++a)
        if (plan.byteAt(a) != radio.byteAt(a))
            return false;
    return true;
}

std::vector<std::string> CompareReport(const ProgramState& plan, const ProgramState& radio, bool chinese)
{
    using namespace CompareTexts;
    std::vector<std::string> lines{Plan.pick(chinese) + FingerprintLine(plan, chinese),
                                   Radio.pick(chinese) + FingerprintLine(radio, chinese)};
    const std::vector<std::string> changes = DescribeChanges(plan, radio, kWritten, chinese);
    if (changes.empty() && RadioHoldsPlan(plan, radio)) {
        lines.push_back(Same.pick(chinese));
        return lines;
    }
    lines.push_back(Differs.pick(chinese));
    lines.insert(lines.end(), changes.begin(), changes.end());
    return lines;
}

}  // namespace mx615
