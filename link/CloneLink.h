#pragma once
// The clone protocol engine: the identification handshake, the paced sender,
// the receive handler, the reply timeout with its restarts and the end of a
// transfer. What differs between the clone read, the clone write and the
// adjustment exchange is handed in as a TransferPlan; what the window shows
// goes out through LinkEvents, so the windows stay thin.
//
// The engine owns its serial control and its four timers. Destroying it stops
// the timers and closes the port at once.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "link/CommControl.h"
#include "link/LinkTimer.h"
#include "link/TransferPlan.h"
#include "model/ProgramState.h"

namespace mx615 {

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kEndByte = 0x45;     // 'E'
constexpr uint8_t kReadCommand = 0x52;  // 'R'
constexpr uint8_t kWriteCommand = 0x57; // 'W'
constexpr int kAccessCodeLength = 8;

// The radio's programming-mode access code, byte by byte.
std::array<uint8_t, kAccessCodeLength> AccessCode();

// What a message box shows: title, text and the detail beneath it.
struct LinkMessage {
    Bilingual title;
    Bilingual text;
    Bilingual detail;
};

// LinkState: the step of the protocol a transfer stands at, named after what
// it waits for. The values keep the protocol's own numbering of its states.
enum class LinkStep {
    Identify = 0,      // the identification request went out: the 8-byte reply
    Acknowledge = 1,   // the reply was accepted and 06 queued: the radio's 06
    Linked = 2,        // the radio's 06 arrived; a write stays here to its end
    FirstReply = 3,    // the first read request went out: its 68-byte reply
    LaterReply = 4,    // every later read reply, 69 bytes with the 06 ahead
    ReplyRefused = 5,  // a read reply did not answer its request: the timeout
};

// How far a transfer got, over all its attempts since start(): what a failure
// leaves the radio holding follows from it (untouched, partly written).
struct LinkReach {
    bool identified = false;   // a radio's identification (AA .. BB) was accepted
    bool otherReply = false;   // bytes that were no identification came back
    bool linked = false;       // the radio acknowledged the programming request
    int framesAcked = 0;       // write: frames the radio acknowledged, the most of any attempt
    int blocksRead = 0;        // read: replies taken, the most of any attempt
};

struct LinkEvents {
    std::function<void(int)> progress;              // show ProgressBar1 with this value
    std::function<void(const Bilingual&)> label;    // Label_tr_count
    std::function<void(const LinkMessage&)> message;  // a warning box; returns when closed
    std::function<void()> closeWindow;              // Timer4 found TransferDone
    std::function<void()> finished;                 // a transfer completed
    std::function<void()> timer4;                   // every Timer4 tick
    // The 8 bytes that came back to the access code, and whether they are the
    // radio's identification (AA .. BB) that the handshake goes on with.
    std::function<void(const std::array<uint8_t, 8>& reply, bool accepted)> identification;
};

class CloneLink {
public:
    CloneLink(ProgramState& state, TimerFactory& timers, std::unique_ptr<CommControl> comm, TransferPlan plan);
    ~CloneLink();
    CloneLink(const CloneLink&) = delete;
    CloneLink& operator=(const CloneLink&) = delete;

    LinkEvents events;

    // The start button: stops everything, closes the port and starts over.
    void start();
    // The start button of a window with more than one kind of transfer: the
    // same, with the plan of this transfer. Timer4 keeps the settings of the
    // plan the engine was built with.
    void start(TransferPlan plan);
    // The dialog goes away: timers stop, the port closes, nothing is reported.
    void shutdown();
    // Closes the port if it is open (Cancel while idle).
    void closePort();

    // TransferActive: an attempt is under way. Clear in the second between a
    // reply timeout and the restart, when Cancel may close a clone dialog.
    bool transferActive() const { return TransferActive; }
    // A transfer is under way, including the second between a timeout and
    // its restart: the service window refuses Read, Write and Close then.
    bool busy() const { return TransferActive || restartPending(); }
    // The restart delay (Timer3) runs: a timeout happened, the next attempt
    // follows.
    bool restartPending() const { return Timer3->isActive(); }
    // The sender, the reply timeout or the restart delay runs.
    bool timersRunning() const { return Timer1->isActive() || Timer2->isActive() || Timer3->isActive(); }
    // TransferDone: the transfer completed and Timer4 will close the window.
    bool transferDone() const { return TransferDone; }

    LinkStep linkState() const { return LinkState; }
    bool linkedUp() const { return LinkedUp; }
    bool writeMode() const { return WriteMode; }
    bool sentAll() const { return SentAll; }
    // Since start(), a write frame went out to the radio: from then on an
    // unfinished write leaves the radio holding part of the new data.
    bool wroteFrames() const { return WroteFrames; }
    int blockNo() const { return BlockNo; }
    // How far the transfer got since start().
    const LinkReach& reach() const { return Reach; }
    // Frames a whole write sends (BlockCount + 1), or the replies a read takes.
    int blockTotal() const { return WriteMode ? plan_.BlockCount + 1 : plan_.BlockCount; }
    // The frame last queued for the paced sender (TxFrame[0..TxLength)).
    std::span<const int16_t> frame() const { return {TxFrame.data(), std::size_t(TxLength)}; }

    CommControl* comm() const { return MSC.get(); }
    const TransferPlan& plan() const { return plan_; }

private:
    // Procedures of the protocol.
    void OpenLinkPort();
    void StartSending();
    void StartHandshake();
    void MSC_OnComm();
    void takeIdentification();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();

    void stopTimers();
    void linkUp();
    void takeReadReply();
    void takeWriteAck();
    void queueReadRequest(int address);
    bool queueWriteFrame(int frame);
    void completeRead();
    void completeWrite();
    void markDone();
    void announceCompletion();
    void giveUp(const LinkMessage& message);
    void portLost(const PortFault& fault);
    void say(const LinkMessage& message);
    void showProgress(int value);
    void showLabel(const Bilingual& text);
    LinkMessage badCellMessage(const BadCell& cell, bool beforeSending) const;

    // Transfer state.
    std::array<int16_t, 201> TxFrame{};
    int TxLength = 0;
    int TxIndex = 0;
    bool SentAll = false;
    bool WroteFrames = false;
    std::array<int16_t, 2001> RxBytes{};
    // Bytes of the identification reply already in RxBytes, from entry 0 on,
    // after stray bytes ahead of its AA were dropped.
    int RxHeld = 0;
    LinkStep LinkState = LinkStep::Identify;
    bool LinkedUp = false;
    bool WriteMode = false;
    int BlockNo = 0;
    int BlockCount = 0;
    int Retries = 0;
    bool TransferActive = false;
    bool TransferDone = false;
    LinkReach Reach;

    std::unique_ptr<LinkTimer> Timer1, Timer2, Timer3, Timer4;

    ProgramState& state_;
    std::unique_ptr<CommControl> MSC;
    TransferPlan plan_;
    // Expires when the engine is destroyed, so code that showed a message box
    // (whose event loop may have discarded the window) knows to stop.
    std::shared_ptr<int> life_ = std::make_shared<int>(0);
};

}  // namespace mx615
