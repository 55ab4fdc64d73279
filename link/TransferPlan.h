#pragma once
// What differs between the transfers the clone engine runs (the clone read,
// the clone write, the adjustment exchange): the blocks, their addresses,
// the data, the checks, the texts and the completion. The engine (CloneLink)
// takes one of these and does the rest.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "model/ProgramState.h"

namespace mx615 {

// A cell that cannot be sent as a byte.
struct BadCell {
    int address = 0;
    int value = 0;
};

// One raw read reply as LinkBuffer keeps it: position 0 the radio's 06 (from
// the second reply on), 1 the command byte, 2-3 the address, 4 the length,
// 5..68 the data.
using ReplyRow = LinkBufferTable::value_type;

struct TransferPlan {
    bool WriteMode = false;
    // Read: number of blocks (requests 1..BlockCount). Write: last frame number
    // (frames 0..BlockCount).
    int BlockCount = 16;
    // Read: radio address of request k (1-based). Write: address of frame n.
    std::function<int(int)> address;
    // Write: the 16 data cells of frame n, taken from the tables when the frame
    // is queued.
    std::function<std::array<int16_t, 16>(const ProgramState&, int n)> frameData;
    // Write: the first cell among those the transfer will send that is not a
    // byte, checked before anything goes out.
    std::function<std::optional<BadCell>(const ProgramState&)> checkCells;
    // Progress value and label once request/frame BlockNo has been queued
    // (read: BlockNo after the increase; write: before).
    std::function<int(int)> progress;
    std::function<Bilingual(int)> label;
    // Read: whether a reply answers the request for this address. A reply that
    // does not is not taken: the transfer goes the way of a missing reply.
    std::function<bool(const ReplyRow& reply, int address, bool first)> replyAnswers;
    // Read: moves the stored replies into the tables at completion; false when
    // the stored replies cannot be vouched for, and then the tables are
    // unchanged and the transfer ends as a failure.
    std::function<bool(ProgramState&)> unpack;

    // Completion.
    Bilingual doneLabel;
    Bilingual doneMessage;
    Bilingual doneTitle;
    bool doneBeforeMessage = false;  // TransferDone set before the message box
    bool labelBeforeMessage = true;
    bool showFullProgress = true;    // progress 100 at completion

    // Port opening failure.
    Bilingual portErrorTitle;
    Bilingual portErrorText;

    // Timer4: its interval, and whether it runs from the start or is enabled
    // at completion.
    int closeDelayMs = 200;
    bool closeTimerFromStart = true;
    // Whether a completed transfer sets TransferDone, which closes the window
    // at the next Timer4 tick. A window that stays open for further transfers
    // never sets it.
    bool closeWhenDone = true;
};

}  // namespace mx615
