#pragma once
// The radio's side of the clone protocol, without any transport: bytes from
// the programmer go in through receive(), answers go out through send. It
// checks the access code, answers the identification, serves 'R' requests,
// takes 'W' frames and leaves programming mode on 'E'. It can misbehave on
// request, to test how the programmer copes.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace mx615::sim {

constexpr int kMemorySize = 1024;
using Memory = std::array<uint8_t, kMemorySize>;

struct Misbehaviour {
    bool silent = false;          // never answers anything
    bool wrongIdent = false;      // identification reply AB .. BB
    int dropReply = 0;            // read request k (1-based) gets no reply
    int truncateReply = 0;        // read request k gets a reply 10 bytes short
    int garbleReply = 0;          // read request k gets its data bytes inverted
    int longReply = 0;            // read request k gets 20 extra bytes
    int shiftReply = 0;           // read request k gets 4 stray bytes ahead of its reply
    int refuseFrame = -1;         // write frame n (0-based) is answered with 0x15
    bool omitLaterAck = false;    // no 06 ahead of the replies to requests 2..
    int hangUpAfter = 0;          // hang up after serving this many requests or frames
    // How many identification exchanges the misbehaviour spoils (0: every one).
    int attempts = 1;
};

class SimRadio {
public:
    SimRadio();

    // One byte from the programmer.
    void receive(uint8_t byte);

    Memory memory{};
    Misbehaviour misbehave;
    // A real radio answers each 06 of the programmer with a 06 of its own.
    // Ahead of a reply it goes out with the reply; the answer to the last 06
    // of a read, followed by the end byte, goes out on its own: never (-1),
    // at once (0), or this many milliseconds after the end byte, when the
    // programmer may already have closed its port and opened it again.
    int finalAckAnswerMs = -1;

    // Answers to the programmer.
    std::function<void(const std::vector<uint8_t>&)> send;
    // An answer that leaves delayMs from now; whatever the radio sends
    // meanwhile goes out after it.
    std::function<void(const std::vector<uint8_t>&, int delayMs)> sendLate;
    // The misbehaviour asks for a hang-up.
    std::function<void()> hangUp;
    // 'E' arrived; wrote is true when the session changed memory.
    std::function<void(bool wrote)> sessionEnded;

    // What the radio saw, for tests.
    int identifications = 0;       // access codes recognised
    int readRequests = 0;          // over all sessions
    int framesTaken = 0;           // over all sessions
    int endBytes = 0;
    std::vector<int> frameAddresses;  // address of every frame taken, in order
    bool programming() const { return mode_ == Mode::Programming; }

    // The programmer went away (port closed): drop any half-received command.
    void reset();

private:
    enum class Mode { Idle, WaitAck, Programming };
    bool faulty() const;
    void command(uint8_t byte);
    void answerFinalAck();
    void serveRead();
    void takeFrame();
    void out(std::vector<uint8_t> bytes);
    bool countAndMaybeHangUp();

    Mode mode_ = Mode::Idle;
    std::vector<uint8_t> window_;   // the last bytes seen while idle
    std::vector<uint8_t> pending_;  // the command being received
    int sessionRequests_ = 0;
    int sessionFrames_ = 0;
    int sessionServed_ = 0;
    bool sessionWrote_ = false;
    bool ackOwed_ = false;   // the programmer acknowledged a read reply
};

// A memory with recognisable contents: every byte differs from its neighbours.
Memory PatternMemory(uint8_t seed = 0x11);

}  // namespace mx615::sim
