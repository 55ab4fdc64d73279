#include "PtyRadio.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace mx615::sim {

PtyRadio::PtyRadio()
{
    // The line keeps the order: what the radio sends after a late answer
    // waits behind it.
    radio.send = [this](const std::vector<uint8_t>& bytes) { queue(bytes, replyDelayMs); };
    radio.sendLate = [this](const std::vector<uint8_t>& bytes, int delayMs) { queue(bytes, delayMs); };
    radio.hangUp = [this] { hangUp(); };
}

void PtyRadio::queue(const std::vector<uint8_t>& bytes, int delayMs)
{
    const Clock::time_point ready = Clock::now() + std::chrono::milliseconds(delayMs);
    for (uint8_t b : bytes)
        outgoing_.push_back({ready, b});
}

PtyRadio::~PtyRadio()
{
    hangUp();
}

bool PtyRadio::open()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error_ = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ptsname(master_);
    if (!name) {
        error_ = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    path_ = name;
    // Holding the slave open ourselves keeps the master alive while the
    // program has its port closed; otherwise the master reports a hang-up.
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error_ = "cannot open " + path_ + ": " + std::strerror(errno);
        return false;
    }
    termios tio{};
    if (tcgetattr(slave_, &tio) == 0) {
        cfmakeraw(&tio);  // no echo, no line editing: a plain 8-bit line
        tcsetattr(slave_, TCSANOW, &tio);
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

void PtyRadio::hangUp()
{
    hungUp_ = true;
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}

PtyRadio::Clock::duration PtyRadio::byteTime() const
{
    if (baud <= 0)
        return Clock::duration::zero();
    // Ten bits a byte: start, eight data, stop.
    return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(10'000'000'000LL / baud));
}

void PtyRadio::readMaster()
{
    uint8_t buffer[512];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            return;  // EAGAIN, or EIO while no one holds the slave
        const Clock::time_point now = Clock::now();
        for (ssize_t i = 0; i < n; ++i) {
            // A byte is heard when its last bit has crossed the line.
            lastIn_ = std::max(now, lastIn_) + byteTime();
            incoming_.push_back({lastIn_, buffer[i]});
        }
    }
}

bool PtyRadio::writeDue()
{
    const Clock::time_point now = Clock::now();
    while (!outgoing_.empty()) {
        TimedByte& next = outgoing_.front();
        // A byte is written when it would have finished crossing the line.
        const Clock::time_point done = std::max(next.due, lastOut_) + byteTime();
        if (done > now)
            return true;
        const ssize_t n = ::write(master_, &next.byte, 1);
        if (n < 0) {
            if (errno == EAGAIN || errno == EIO)
                return true;  // the program is not reading; try again later
            error_ = std::string("write failed: ") + std::strerror(errno);
            return false;
        }
        lastOut_ = done;
        outgoing_.pop_front();
    }
    return true;
}

bool PtyRadio::run(const std::atomic<bool>& stop)
{
    while (!stop && !hungUp_) {
        const Clock::time_point now = Clock::now();
        while (!incoming_.empty() && incoming_.front().due <= now && !hungUp_) {
            const uint8_t byte = incoming_.front().byte;
            incoming_.pop_front();
            radio.receive(byte);
        }
        if (hungUp_)
            break;
        if (!writeDue())
            return false;
        // Sleep until the next byte is due or the program writes.
        Clock::time_point wake = now + std::chrono::milliseconds(200);
        if (!incoming_.empty())
            wake = std::min(wake, incoming_.front().due);
        if (!outgoing_.empty())
            wake = std::min(wake, std::max(outgoing_.front().due, lastOut_) + byteTime());
        const auto wait = std::max(Clock::duration::zero(), wake - Clock::now());
        timespec ts{};
        ts.tv_sec = std::chrono::duration_cast<std::chrono::seconds>(wait).count();
        ts.tv_nsec = long(std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count() % 1'000'000'000LL);
        pollfd fd{master_, POLLIN, 0};
        const int ready = ppoll(&fd, 1, &ts, nullptr);
        if (ready < 0 && errno != EINTR) {
            error_ = std::string("poll failed: ") + std::strerror(errno);
            return false;
        }
        if (ready > 0 && (fd.revents & POLLIN))
            readMaster();
        else if (ready > 0 && (fd.revents & (POLLHUP | POLLERR))) {
            // Cannot happen while we hold the slave; do not spin if it does.
            timespec pause{0, 20'000'000};
            nanosleep(&pause, nullptr);
        }
    }
    return true;
}

}  // namespace mx615::sim
