#pragma once
// What differs between two radio images: in the words of the windows (the
// channel table's columns, the feature windows' settings), or as addresses and
// bytes. Nothing that differs is left out: a byte whose change no window shows
// is listed by its address.

#include <string>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

// The part of the images to compare: radio lines 0..lines-1, and the spare
// cells 16..21 of lines 0..53 when both files carry them.
struct DiffScope {
    int lines = kRadioLines;
    bool spareCells = false;
};

// "Channel 3 RX Frequency: 446.00625 -> 446.01875", "Time Out Timer(TOT)[s]: 60 -> 120",
// then "address 0x03C (channel 3, byte 12): 0x00 -> 0x01" for changes no window
// shows. Both states need their tone tables.
std::vector<std::string> DescribeChanges(const ProgramState& before, const ProgramState& after, DiffScope scope,
                                         bool chinese);

// Every differing byte: "address 0x013 (channel 1, byte 3): 0x45 -> 0x46".
std::vector<std::string> RawChanges(const ProgramState& before, const ProgramState& after, DiffScope scope,
                                    bool chinese);

}  // namespace mx615
