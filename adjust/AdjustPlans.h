#pragma once
// The adjustment exchange as plans for the clone engine: the same protocol as
// the clone read and write, over the adjustment area 0x340..0x3FF.

#include "link/TransferPlan.h"

namespace mx615 {

// Three 64-byte requests for 0x340, 0x380 and 0x3C0. Each reply must carry the
// 0x58 header with the address and length of its request. At the end the
// first two replies become AdjustTable lines 0..7; a read that fails or is
// cancelled leaves the table as it was.
TransferPlan AdjustReadPlan();

// AdjustTable lines 0..10 as eleven 16-byte frames for 0x340..0x3E0. The
// window stays open after either transfer.
TransferPlan AdjustWritePlan();

}  // namespace mx615
