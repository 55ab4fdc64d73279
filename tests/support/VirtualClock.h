#pragma once
// A virtual clock for the timer interface: tests advance time explicitly, so a
// protocol that waits seconds is checked in microseconds, and every timer fires
// in the order a real clock would fire it.

#include <cstdint>
#include <functional>
#include <vector>

#include "link/LinkTimer.h"

namespace mx615::test {

class VirtualClock : public TimerFactory {
public:
    VirtualClock();
    ~VirtualClock() override;

    std::unique_ptr<LinkTimer> createTimer(bool precise = false) override;

    int64_t now() const { return now_; }
    // Runs every timer due up to now + milliseconds, in time order.
    void advance(int64_t milliseconds);
    // Advances until the condition holds or the limit passes; true if it holds.
    bool runUntil(const std::function<bool()>& condition, int64_t limitMilliseconds);
    // Fires what is due now (zero-delay deliveries) without moving the clock.
    void settle() { advance(0); }

private:
    class Timer;
    friend class Timer;
    Timer* nextDue(int64_t until) const;

    int64_t now_ = 0;
    uint64_t sequence_ = 0;
    std::vector<Timer*> timers_;
};

}  // namespace mx615::test
