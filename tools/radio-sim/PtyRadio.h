#pragma once
// The simulated radio on a pseudo-terminal: the program opens the slave side
// as its serial port. The line's timing at a given baud rate is reproduced in
// both directions; the slave is kept open here, so the program may close and
// reopen its port as often as it likes.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

#include "SimRadio.h"

namespace mx615::sim {

class PtyRadio {
public:
    PtyRadio();
    ~PtyRadio();

    // Opens the pseudo-terminal; false with error() filled on failure.
    bool open();
    const std::string& devicePath() const { return path_; }
    const std::string& error() const { return error_; }

    // Runs until stop becomes true or the radio hangs up. Returns false on an
    // I/O error.
    bool run(const std::atomic<bool>& stop);
    // Closes the pseudo-terminal: the program's port vanishes.
    void hangUp();

    SimRadio radio;
    int baud = 0;          // 0: no line timing
    int replyDelayMs = 0;  // answers leave this long after their request
    bool log = true;

private:
    using Clock = std::chrono::steady_clock;
    struct TimedByte {
        Clock::time_point due;
        uint8_t byte;
    };
    void queue(const std::vector<uint8_t>& bytes, int delayMs);
    Clock::duration byteTime() const;
    void readMaster();
    bool writeDue();

    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::string error_;
    bool hungUp_ = false;
    std::deque<TimedByte> incoming_;
    std::deque<TimedByte> outgoing_;
    Clock::time_point lastIn_{};
    Clock::time_point lastOut_{};
};

}  // namespace mx615::sim
