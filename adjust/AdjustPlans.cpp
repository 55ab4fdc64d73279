#include "adjust/AdjustPlans.h"

#include <algorithm>

#include "adjust/AdjustTable.h"
#include "adjust/AdjustTexts.h"
#include "link/LinkTexts.h"

namespace mx615 {

namespace {

void fillCommon(TransferPlan& plan)
{
    plan.portErrorTitle = kOperatePromptCapital;
    plan.portErrorText = AdjustTexts::PortError;
    plan.doneTitle = kOperatePromptCapital;
    // Timer4 polls the file dialogs' hand-over; the window never closes itself.
    plan.closeDelayMs = 500;
    plan.closeTimerFromStart = true;
    plan.closeWhenDone = false;
    plan.showFullProgress = true;
}

}  // namespace

TransferPlan AdjustReadPlan()
{
    TransferPlan plan;
    fillCommon(plan);
    plan.WriteMode = false;
    plan.BlockCount = kAdjustReadBlocks;
    plan.address = AdjustReadAddress;
    plan.progress = [](int blockNo) { return blockNo * 100 / (kAdjustReadBlocks + 1); };
    plan.label = [](int blockNo) { return LinkTexts::ReadingBlock(blockNo); };
    plan.replyAnswers = [](const ReplyRow& reply, int address, bool) { return AdjustReplyAnswers(reply, address); };
    plan.unpack = UnpackAdjustBlocks;
    plan.doneLabel = AdjustTexts::ReadDone;
    plan.doneMessage = AdjustTexts::ReadComplete;
    plan.labelBeforeMessage = true;
    return plan;
}

TransferPlan AdjustWritePlan()
{
    constexpr int frames = kAdjustLastWriteFrame + 1;
    TransferPlan plan;
    fillCommon(plan);
    plan.WriteMode = true;
    plan.BlockCount = kAdjustLastWriteFrame;
    plan.address = AdjustFrameAddress;
    plan.frameData = [](const ProgramState& state, int n) {
        std::array<int16_t, 16> data{};
        std::copy_n(state.AdjustTable[n].begin(), 16, data.begin());
        return data;
    };
    // Shown when frame BlockNo is queued: frame BlockNo + 1 of eleven.
    plan.progress = [](int blockNo) { return (blockNo + 1) * 100 / frames; };
    plan.label = [](int blockNo) { return LinkTexts::WritingBlock(blockNo + 1); };
    plan.doneLabel = AdjustTexts::WriteDone;
    plan.doneMessage = AdjustTexts::WriteComplete;
    plan.labelBeforeMessage = false;
    return plan;
}

}  // namespace mx615
