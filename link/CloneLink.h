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
#include <optional>

#include "link/CommControl.h"
#include "link/LinkTimer.h"
#include "model/ProgramState.h"

namespace mx615 {

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kEndByte = 0x45;     // 'E'
constexpr uint8_t kReadCommand = 0x52;  // 'R'
constexpr uint8_t kWriteCommand = 0x57; // 'W'
constexpr int kAccessCodeLength = 8;

// The radio's programming-mode access code, byte by byte.
std::array<uint8_t, kAccessCodeLength> AccessCode();

// A cell that cannot be sent as a byte.
struct BadCell {
    int address = 0;
    int value = 0;
};

// What a message box shows: title, text and the detail beneath it.
struct LinkMessage {
    Bilingual title;
    Bilingual text;
    Bilingual detail;
};

// One raw read reply as LinkBuffer keeps it: position 0 the radio's 06 (from
// the second reply on), 1 the command byte, 2-3 the address, 4 the length,
// 5..68 the data.
using ReplyRow = LinkBufferTable::value_type;

// Whether a clone-read reply answers the request for address: it echoes the
// address and the length 64, and from the second reply on (first false) the
// radio's 06 stands ahead of it.
bool ReadReplyAnswers(const ReplyRow& reply, int address, bool first);

struct TransferPlan {
    bool WriteMode = false;
    // Read: number of blocks (requests 1..BlockCount). Write: last frame number
    // (frames 0..BlockCount).
    int BlockCount = 16;
    // Read: radio address of request k (1-based). Write: address of frame n.
    std::function<int(int)> address;
    // Write: the 16 data cells of frame n, taken from the tables when the frame
    // is queued.
    std::function<std::array<int16_t, 16>(const ProgramState&, int n)> frameData;
    // Write: the first cell among those the transfer will send that is not a
    // byte, checked before anything goes out.
    std::function<std::optional<BadCell>(const ProgramState&)> checkCells;
    // Progress value and label once request/frame BlockNo has been queued
    // (read: BlockNo after the increase; write: before).
    std::function<int(int)> progress;
    std::function<Bilingual(int)> label;
    // Read: whether a reply answers the request for this address. A reply that
    // does not is not taken: the transfer goes the way of a missing reply.
    std::function<bool(const ReplyRow& reply, int address, bool first)> replyAnswers;
    // Read: moves the stored replies into the tables at completion; false when
    // the stored replies cannot be vouched for, and then the tables are
    // unchanged and the transfer ends as a failure.
    std::function<bool(ProgramState&)> unpack;

    // Completion.
    Bilingual doneLabel;
    Bilingual doneMessage;
    Bilingual doneTitle;
    bool doneBeforeMessage = false;  // TransferDone set before the message box
    bool labelBeforeMessage = true;
    bool showFullProgress = true;    // progress 100 at completion

    // Port opening failure.
    Bilingual portErrorTitle;
    Bilingual portErrorText;

    // Timer4: its interval, and whether it runs from the start or is enabled
    // at completion.
    int closeDelayMs = 200;
    bool closeTimerFromStart = true;
    // Whether a completed transfer sets TransferDone, which closes the window
    // at the next Timer4 tick. A window that stays open for further transfers
    // never sets it.
    bool closeWhenDone = true;
};

// The clone read: sixteen 64-byte blocks 0x000..0x3FF into LinkBuffer, then
// into RadioImage lines 0..63.
TransferPlan ReadPlan();
// The first block of the clone read (0x000..0x03F), to see whether a radio
// answers; the tables keep what they hold.
TransferPlan ProbePlan();
// The clone write: RadioImage lines 0..48 as 49 frames 0x000..0x300.
TransferPlan WritePlan();

// Copies the data bytes of LinkBuffer rows 1..16 into RadioImage lines 0..63.
void UnpackReadBlocks(ProgramState& state);

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
    // A transfer is under way, including the second between a timeout and
    // its restart, when TransferActive is already clear.
    bool busy() const { return TransferActive || Timer3->isActive(); }
    // The dialog goes away: timers stop, the port closes, nothing is reported.
    void shutdown();
    // Closes the port if it is open (Cancel while idle).
    void closePort();

    // Procedures of the protocol.
    void OpenLinkPort();
    void StartSending();
    void StartHandshake();
    void MSC_OnComm();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();

    CommControl* comm() const { return MSC.get(); }
    const TransferPlan& plan() const { return plan_; }

    // Transfer state.
    std::array<int16_t, 201> TxFrame{};
    int TxLength = 0;
    int TxIndex = 0;
    bool SentAll = false;
    std::array<int16_t, 2001> RxBytes{};
    int LinkState = 0;
    bool LinkedUp = false;
    bool WriteMode = false;
    int BlockNo = 0;
    int BlockCount = 0;
    int Retries = 0;
    bool TransferActive = false;
    bool TransferDone = false;

    std::unique_ptr<LinkTimer> Timer1, Timer2, Timer3, Timer4;

private:
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

    ProgramState& state_;
    std::unique_ptr<CommControl> MSC;
    TransferPlan plan_;
    // Expires when the engine is destroyed, so code that showed a message box
    // (whose event loop may have discarded the window) knows to stop.
    std::shared_ptr<int> life_ = std::make_shared<int>(0);
};

}  // namespace mx615
