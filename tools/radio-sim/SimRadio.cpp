#include "SimRadio.h"

#include <algorithm>
#include <utility>

#include "link/CloneLink.h"

namespace mx615::sim {

namespace {

constexpr uint8_t kRefusal = 0x15;
constexpr uint8_t kReplyCommand = 0x58;  // 'X'

}  // namespace

Memory PatternMemory(uint8_t seed)
{
    Memory m{};
    for (int i = 0; i < kMemorySize; ++i)
        m[i] = uint8_t((i * 7 + seed + (i >> 8) * 13) & 0xFF);
    return m;
}

SimRadio::SimRadio()
{
    memory.fill(0xFF);
}

bool SimRadio::faulty() const
{
    return misbehave.attempts <= 0 || identifications <= misbehave.attempts;
}

void SimRadio::reset()
{
    mode_ = Mode::Idle;
    ackOwed_ = false;
    window_.clear();
    pending_.clear();
}

void SimRadio::out(std::vector<uint8_t> bytes)
{
    if (send && !bytes.empty())
        send(bytes);
}

void SimRadio::receive(uint8_t byte)
{
    // The access code starts a new session from any state but the middle of a
    // command: a programmer that gave up half-way and starts over is heard.
    window_.push_back(byte);
    const auto code = AccessCode();
    if (window_.size() > code.size())
        window_.erase(window_.begin());
    const bool betweenCommands = mode_ != Mode::Programming || pending_.empty();
    if (betweenCommands && window_.size() == code.size() && std::equal(code.begin(), code.end(), window_.begin())) {
        window_.clear();
        pending_.clear();
        ackOwed_ = false;
        ++identifications;
        mode_ = Mode::Idle;
        if (misbehave.silent && faulty())
            return;
        sessionRequests_ = sessionFrames_ = sessionServed_ = 0;
        sessionWrote_ = false;
        const bool wrong = misbehave.wrongIdent && faulty();
        out({uint8_t(wrong ? 0xAB : 0xAA), 0x36, 0x31, 0x35, 0x00, 0x00, 0x00, 0xBB});
        mode_ = wrong ? Mode::Idle : Mode::WaitAck;
        return;
    }
    switch (mode_) {
    case Mode::Idle:
        break;
    case Mode::WaitAck:
        if (byte == kAck) {
            out({kAck});
            mode_ = Mode::Programming;
            pending_.clear();
        } else {
            mode_ = Mode::Idle;
        }
        break;
    case Mode::Programming:
        command(byte);
        break;
    }
}

void SimRadio::command(uint8_t byte)
{
    if (pending_.empty()) {
        if (byte == kAck && sessionRequests_ > 0)
            ackOwed_ = true;
        if (byte == kEndByte) {
            ++endBytes;
            mode_ = Mode::Idle;
            if (std::exchange(ackOwed_, false))
                answerFinalAck();
            if (sessionEnded)
                sessionEnded(sessionWrote_);
            return;
        }
        if (byte != kReadCommand && byte != kWriteCommand)
            return;  // the programmer's acknowledges and anything unknown
    }
    pending_.push_back(byte);
    if (pending_[0] == kReadCommand && pending_.size() == 4) {
        serveRead();
        pending_.clear();
    } else if (pending_[0] == kWriteCommand && pending_.size() >= 4 && pending_.size() == 4u + pending_[3]) {
        takeFrame();
        pending_.clear();
    }
}

bool SimRadio::countAndMaybeHangUp()
{
    ++sessionServed_;
    if (misbehave.hangUpAfter > 0 && sessionServed_ > misbehave.hangUpAfter && faulty()) {
        if (hangUp)
            hangUp();
        return true;
    }
    return false;
}

void SimRadio::answerFinalAck()
{
    if (finalAckAnswerMs == 0)
        out({kAck});
    else if (finalAckAnswerMs > 0 && sendLate)
        sendLate({kAck}, finalAckAnswerMs);
}

void SimRadio::serveRead()
{
    ackOwed_ = false;   // the 06 ahead of the reply answers it
    ++readRequests;
    const int k = ++sessionRequests_;
    if (countAndMaybeHangUp())
        return;
    const bool fault = faulty();
    if (fault && misbehave.dropReply == k)
        return;
    const int address = (pending_[1] << 8) | pending_[2];
    const int length = pending_[3];
    std::vector<uint8_t> reply;
    if (fault && misbehave.shiftReply == k)
        reply.insert(reply.end(), 4, 0x5A);
    if (k > 1 && !(fault && misbehave.omitLaterAck))
        reply.push_back(kAck);
    reply.insert(reply.end(), {kReplyCommand, pending_[1], pending_[2], pending_[3]});
    for (int i = 0; i < length; ++i) {
        uint8_t value = memory[(address + i) % kMemorySize];
        if (fault && misbehave.garbleReply == k)
            value = uint8_t(~value);
        reply.push_back(value);
    }
    if (fault && misbehave.truncateReply == k)
        reply.resize(reply.size() - 10);
    if (fault && misbehave.longReply == k)
        reply.insert(reply.end(), 20, 0x5A);
    out(reply);
}

void SimRadio::takeFrame()
{
    const int n = sessionFrames_++;
    if (countAndMaybeHangUp())
        return;
    if (faulty() && misbehave.refuseFrame == n) {
        out({kRefusal});
        return;
    }
    const int address = (pending_[1] << 8) | pending_[2];
    for (std::size_t i = 4; i < pending_.size(); ++i)
        memory[(address + int(i) - 4) % kMemorySize] = pending_[i];
    ++framesTaken;
    frameAddresses.push_back(address);
    sessionWrote_ = true;
    out({kAck});
}

}  // namespace mx615::sim
