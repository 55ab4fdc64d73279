#pragma once
// Reading stretches of the radio image as bytes, for compact comparisons.

#include <QByteArray>

#include "channels/ChannelRecord.h"
#include "model/ProgramState.h"

namespace mx615::test {

inline QByteArray imageBytes(const ProgramState& state, int line, int first = 0, int count = 16)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(char(state.RadioImage[line][first + i] & 0xFF));
    return out;
}

// Channel lines 1..16 and the scan bits: the part of the image a channel CSV is.
inline QByteArray channelPlan(const ProgramState& s)
{
    QByteArray plan;
    for (int n = 1; n <= kChannels; ++n)
        plan += imageBytes(s, n);
    return plan + imageBytes(s, kScanBitsLow / 16, kScanBitsLow % 16, 2);
}

}  // namespace mx615::test
