#pragma once
// The clone read and the clone write as plans for the protocol engine.

#include "link/TransferPlan.h"

namespace mx615 {

// The clone read: sixteen 64-byte blocks 0x000..0x3FF into LinkBuffer, then
// into RadioImage lines 0..63.
TransferPlan ReadPlan();
// The clone write: RadioImage lines 0..48 as 49 frames 0x000..0x300.
TransferPlan WritePlan();

// Copies the data bytes of LinkBuffer rows 1..16 into RadioImage lines 0..63.
void UnpackReadBlocks(ProgramState& state);

// Whether a clone-read reply answers the request for address: it echoes the
// address and the length 64, and from the second reply on (first false) the
// radio's 06 stands ahead of it.
bool ReadReplyAnswers(const ReplyRow& reply, int address, bool first);

}  // namespace mx615
