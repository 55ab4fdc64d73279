#include "support/VirtualClock.h"

#include <algorithm>
#include <memory>

namespace mx615::test {

class VirtualClock::Timer : public LinkTimer {
public:
    explicit Timer(VirtualClock& clock) : clock_(&clock) { clock.timers_.push_back(this); }
    ~Timer() override
    {
        if (clock_)
            std::erase(clock_->timers_, this);
    }
    void start(int milliseconds) override
    {
        interval_ = std::max(0, milliseconds);
        due_ = (clock_ ? clock_->now_ : 0) + interval_;
        order_ = clock_ ? ++clock_->sequence_ : 0;
        active_ = true;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }

    VirtualClock* clock_;
    int interval_ = 0;
    int64_t due_ = 0;
    uint64_t order_ = 0;
    bool active_ = false;
};

VirtualClock::VirtualClock() = default;

VirtualClock::~VirtualClock()
{
    for (Timer* timer : timers_)
        timer->clock_ = nullptr;
}

std::unique_ptr<LinkTimer> VirtualClock::createTimer(bool)
{
    return std::make_unique<Timer>(*this);
}

VirtualClock::Timer* VirtualClock::nextDue(int64_t until) const
{
    Timer* best = nullptr;
    for (Timer* timer : timers_)
        if (timer->active_ && timer->due_ <= until &&
            (!best || timer->due_ < best->due_ || (timer->due_ == best->due_ && timer->order_ < best->order_)))
            best = timer;
    return best;
}

void VirtualClock::advance(int64_t milliseconds)
{
    const int64_t until = now_ + std::max<int64_t>(0, milliseconds);
    // A zero-interval timer that keeps itself running would never let time
    // pass; the cap turns such a fault into a test failure instead of a hang.
    for (int guard = 0; guard < 10'000'000; ++guard) {
        Timer* timer = nextDue(until);
        if (!timer)
            break;
        now_ = std::max(now_, timer->due_);
        // Periodic: the next tick is one interval later (at least 1 ms).
        timer->due_ = now_ + std::max(1, timer->interval_);
        timer->order_ = ++sequence_;
        if (timer->onTimeout)
            timer->onTimeout();
    }
    now_ = std::max(now_, until);
}

bool VirtualClock::runUntil(const std::function<bool()>& condition, int64_t limitMilliseconds)
{
    const int64_t limit = now_ + limitMilliseconds;
    while (!condition()) {
        if (now_ >= limit)
            return false;
        advance(1);
    }
    return true;
}

}  // namespace mx615::test
