#pragma once
// The simulated radio on an in-memory port, for tests: it sits behind COMn of
// a MemoryPortHub, answers after an optional delay and hangs up by pulling
// its port from the hub.

#include <deque>
#include <memory>

#include "SimRadio.h"
#include "link/MemoryCommControl.h"

namespace mx615::sim {

class MemoryRadio : public MemoryDevice {
public:
    MemoryRadio(MemoryPortHub& hub, int port, TimerFactory& timers);
    ~MemoryRadio() override;

    SimRadio radio;
    // Answers leave this long after the request that caused them.
    int replyDelayMs = 0;

    // Every byte the programmer wrote, in order, over all sessions.
    std::vector<uint8_t> received;
    int opens = 0;

    void hostOpened() override;
    void hostClosed() override;
    void receiveFromHost(uint8_t byte) override;

private:
    void answer(const std::vector<uint8_t>& bytes);
    void flush();

    MemoryPortHub& hub_;
    int port_;
    std::unique_ptr<LinkTimer> delay_;
    std::unique_ptr<LinkTimer> hangUp_;
    std::deque<std::vector<uint8_t>> queued_;
    std::unique_ptr<LinkTimer> lateTimer_;
    std::vector<uint8_t> late_;
};

}  // namespace mx615::sim
