#pragma once
// What the compare window shows of a plan against the radio it was read from:
// the fingerprint of each, then what a write would change, worded as
// `mx615-cli diff` words it (the plan's value, then the radio's), or that the
// radio holds the plan.

#include <string>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

namespace CompareTexts {
inline const Bilingual Plan{"The plan: ", "计划："};
inline const Bilingual Radio{"The radio: ", "对讲机："};
inline const Bilingual Same{"The radio holds this plan.", "对讲机中就是这份计划。"};
inline const Bilingual Differs{"What a write would change (0x000..0x30F), the plan's value first, then the radio's:",
                               "写入将改变的内容（0x000..0x30F），先是计划的值，后是对讲机的值："};
}  // namespace CompareTexts

// Both states need their tone tables.
std::vector<std::string> CompareReport(const ProgramState& plan, const ProgramState& radio, bool chinese);

// Whether the part a write sends is the same in both.
bool RadioHoldsPlan(const ProgramState& plan, const ProgramState& radio);

}  // namespace mx615
