#pragma once
// Reading stretches of the radio image as bytes, for compact comparisons.

#include <QByteArray>

#include "model/ProgramState.h"

namespace mx615::test {

inline QByteArray imageBytes(const ProgramState& state, int line, int first = 0, int count = 16)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(char(state.RadioImage[line][first + i] & 0xFF));
    return out;
}

}  // namespace mx615::test
