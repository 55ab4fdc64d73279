#pragma once
// Timers behind an interface, so the transfer engine runs on Qt timers in the
// program and on a virtual clock in tests.

#include <functional>
#include <memory>

namespace mx615 {

// A periodic timer: once started it fires every interval until stopped.
// start() on a running timer restarts its interval.
class LinkTimer {
public:
    virtual ~LinkTimer() = default;
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    std::function<void()> onTimeout;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    // precise: the timer paces bytes on the line and must not be coalesced.
    virtual std::unique_ptr<LinkTimer> createTimer(bool precise = false) = 0;
};

}  // namespace mx615
