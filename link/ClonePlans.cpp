// The clone read and the clone write as plans for the protocol engine.

#include "link/ClonePlans.h"

#include "link/CloneLink.h"
#include "link/LinkTexts.h"
#include "model/Fingerprint.h"

namespace mx615 {

namespace {

constexpr int kReadBlocks = 16;
constexpr int kReadBlockBytes = 64;
constexpr int kLastWriteFrame = kWrittenLines - 1;  // frames 0..48: lines 0..48, 0x000..0x30F
constexpr int kFrameBytes = 16;

void fillCommon(TransferPlan& plan)
{
    plan.portErrorTitle = kOperatePrompt;
    plan.portErrorText = LinkTexts::PortError;
    plan.doneTitle = kOperatePromptCapital;
}

}  // namespace

void UnpackReadBlocks(ProgramState& state)
{
    int i = 0;
    for (int k = 1; k <= kReadBlocks; ++k) {
        for (int p = 5; p <= 68; ++p) {
            // A reply byte is a byte; the table cell is wider.
            state.RadioImage[i / 16][i % 16] = int16_t(state.LinkBuffer[k][p] & 0xFF);
            ++i;
        }
    }
}

bool ReadReplyAnswers(const ReplyRow& reply, int address, bool first)
{
    if (!first && reply[0] != kAck)
        return false;
    return reply[2] == ((address >> 8) & 0xFF) && reply[3] == (address & 0xFF) && reply[4] == kReadBlockBytes;
}

TransferPlan ReadPlan()
{
    TransferPlan plan;
    fillCommon(plan);
    plan.WriteMode = false;
    plan.BlockCount = kReadBlocks;
    plan.address = [](int k) { return (k - 1) * kReadBlockBytes; };
    plan.progress = [](int blockNo) { return blockNo * 100 / 17; };
    plan.label = [](int blockNo) { return LinkTexts::ReadingBlock(blockNo); };
    plan.replyAnswers = ReadReplyAnswers;
    plan.unpack = [](ProgramState& state) {
        // Each reply was checked when it arrived, but LinkBuffer is shared: a
        // transfer on another port may have stored its replies over ours since.
        for (int k = 1; k <= kReadBlocks; ++k)
            if (!ReadReplyAnswers(state.LinkBuffer[k], (k - 1) * kReadBlockBytes, k == 1))
                return false;
        UnpackReadBlocks(state);
        return true;
    };
    plan.doneLabel = LinkTexts::ReadDone;
    plan.doneMessage = LinkTexts::ReadComplete;
    plan.doneBeforeMessage = false;
    plan.labelBeforeMessage = true;
    plan.showFullProgress = true;
    plan.closeDelayMs = 200;
    plan.closeTimerFromStart = true;
    return plan;
}

TransferPlan ProbePlan()
{
    TransferPlan plan = ReadPlan();
    plan.BlockCount = 1;
    plan.progress = [](int blockNo) { return blockNo * 100 / 2; };
    plan.unpack = [](ProgramState& state) { return ReadReplyAnswers(state.LinkBuffer[1], 0, true); };
    return plan;
}

TransferPlan WritePlan()
{
    TransferPlan plan;
    fillCommon(plan);
    plan.WriteMode = true;
    plan.BlockCount = kLastWriteFrame;
    plan.address = [](int n) { return n * kFrameBytes; };
    plan.frameData = [](const ProgramState& state, int n) {
        std::array<int16_t, 16> data{};
        for (int b = 0; b < kFrameBytes; ++b)
            data[b] = state.RadioImage[n][b];
        return data;
    };
    plan.checkCells = [](const ProgramState& state) -> std::optional<BadCell> {
        for (int line = 0; line <= kLastWriteFrame; ++line)
            for (int b = 0; b < kFrameBytes; ++b) {
                const int value = state.RadioImage[line][b];
                if (value < 0 || value > 255)
                    return BadCell{line * kFrameBytes + b, value};
            }
        return std::nullopt;
    };
    // Shown when frame BlockNo is queued, i.e. frame BlockNo - 1 was acknowledged.
    plan.progress = [](int blockNo) { return blockNo * 100 / 48; };
    plan.label = [](int blockNo) { return LinkTexts::WritingBlock(blockNo - 1); };
    plan.doneLabel = LinkTexts::WriteDone;
    plan.doneMessage = LinkTexts::WriteComplete;
    plan.doneBeforeMessage = true;
    plan.labelBeforeMessage = false;
    plan.showFullProgress = false;
    plan.closeDelayMs = 500;
    plan.closeTimerFromStart = false;
    return plan;
}

}  // namespace mx615
