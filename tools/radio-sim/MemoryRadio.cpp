#include "MemoryRadio.h"

#include <utility>

namespace mx615::sim {

MemoryRadio::MemoryRadio(MemoryPortHub& hub, int port, TimerFactory& timers)
    : hub_(hub),
      port_(port),
      delay_(timers.createTimer()),
      hangUp_(timers.createTimer()),
      lateTimer_(timers.createTimer())
{
    hub_.addPort(port_, this);
    radio.send = [this](const std::vector<uint8_t>& bytes) {
        // The line keeps the order: a late answer still waiting goes first.
        if (!late_.empty()) {
            lateTimer_->stop();
            answer(std::exchange(late_, {}));
        }
        answer(bytes);
    };
    // A late answer outlives the programmer's port: it reaches the port open
    // when it falls due, or is lost if none is.
    radio.sendLate = [this](const std::vector<uint8_t>& bytes, int delayMs) {
        late_.insert(late_.end(), bytes.begin(), bytes.end());
        lateTimer_->start(delayMs);
    };
    lateTimer_->onTimeout = [this] {
        lateTimer_->stop();
        answer(std::exchange(late_, {}));
    };
    delay_->onTimeout = [this] { flush(); };
    // Pulling the port from inside the programmer's write call would pull
    // it from under that call; a real cable goes away between two calls.
    radio.hangUp = [this] { hangUp_->start(0); };
    hangUp_->onTimeout = [this] {
        hangUp_->stop();
        hub_.removePort(port_);
    };
}

MemoryRadio::~MemoryRadio()
{
    if (hub_.exists(port_))
        hub_.removePort(port_);
}

void MemoryRadio::hostOpened()
{
    ++opens;
    radio.reset();
}

void MemoryRadio::hostClosed()
{
    queued_.clear();
    delay_->stop();
    radio.reset();
}

void MemoryRadio::receiveFromHost(uint8_t byte)
{
    received.push_back(byte);
    radio.receive(byte);
}

void MemoryRadio::answer(const std::vector<uint8_t>& bytes)
{
    if (replyDelayMs <= 0) {
        sendToHost(bytes);
        return;
    }
    queued_.push_back(bytes);
    if (!delay_->isActive())
        delay_->start(replyDelayMs);
}

void MemoryRadio::flush()
{
    delay_->stop();
    while (!queued_.empty()) {
        sendToHost(queued_.front());
        queued_.pop_front();
    }
}

}  // namespace mx615::sim
