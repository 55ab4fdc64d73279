#include "link/CloneLink.h"

#include <algorithm>
#include <cstdio>

#include "link/LinkTexts.h"
#include "link/PortAdvice.h"

namespace mx615 {

namespace {

constexpr int kPaceMs = 15;
constexpr int kReplyTimeoutMs = 1000;
constexpr int kRestartDelayMs = 1000;
constexpr int kRestarts = 3;
// Bytes that must be waiting before a read reply is taken: the first reply
// has 68 bytes, every later one 69 (the radio's 06 ahead of it).
constexpr int kFirstReplyThreshold = 67;
constexpr int kLaterReplyThreshold = 68;
}  // namespace

std::array<uint8_t, kAccessCodeLength> AccessCode()
{
    return {0x50, 0x33, 0x1B, 0x5C, 0x27, 0x73, 0x6A, 0x91};
}

CloneLink::CloneLink(ProgramState& state, TimerFactory& timers, std::unique_ptr<CommControl> comm, TransferPlan plan)
    : Timer1(timers.createTimer(true)),
      Timer2(timers.createTimer()),
      Timer3(timers.createTimer()),
      Timer4(timers.createTimer()),
      state_(state),
      MSC(std::move(comm)),
      plan_(std::move(plan))
{
    Timer1->onTimeout = [this] { Timer1_Timer(); };
    Timer2->onTimeout = [this] { Timer2_Timer(); };
    Timer3->onTimeout = [this] { Timer3_Timer(); };
    Timer4->onTimeout = [this] { Timer4_Timer(); };
    if (MSC) {
        MSC->OnComm = [this] { MSC_OnComm(); };
        MSC->OnFault = [this](const PortFault& fault) { portLost(fault); };
    }
    WriteMode = plan_.WriteMode;
    BlockCount = plan_.BlockCount;
    if (plan_.closeTimerFromStart)
        Timer4->start(plan_.closeDelayMs);
}

CloneLink::~CloneLink()
{
    shutdown();
}

void CloneLink::shutdown()
{
    stopTimers();
    Timer4->stop();
    TransferActive = false;
    if (MSC) {
        MSC->OnComm = nullptr;
        MSC->OnFault = nullptr;
        closePort();
    }
}

void CloneLink::closePort()
{
    if (MSC && MSC->isOpen())
        MSC->close();
}

void CloneLink::stopTimers()
{
    Timer1->stop();
    Timer2->stop();
    Timer3->stop();
}

void CloneLink::say(const LinkMessage& message)
{
    if (events.message)
        events.message(message);
}

void CloneLink::showProgress(int value)
{
    if (events.progress)
        events.progress(value);
}

void CloneLink::showLabel(const Bilingual& text)
{
    if (events.label)
        events.label(text);
}

void CloneLink::start(TransferPlan plan)
{
    stopTimers();
    plan_ = std::move(plan);
    start();
}

void CloneLink::start()
{
    stopTimers();
    TransferActive = false;
    TransferDone = false;
    WroteFrames = false;
    Reach = {};
    closePort();
    if (MSC) {
        MSC->OnComm = [this] { MSC_OnComm(); };
        MSC->OnFault = [this](const PortFault& fault) { portLost(fault); };
    }
    Retries = kRestarts;
    if (MSC)
        MSC->refreshPorts();  // the cable may have been plugged in meanwhile
    // A cell that is not a byte would go out truncated: refuse before the
    // radio is even addressed.
    if (plan_.checkCells) {
        if (const auto bad = plan_.checkCells(state_)) {
            say(badCellMessage(*bad, true));
            return;
        }
    }
    StartHandshake();
    if (!state_.PortOpenFailed) {
        showProgress(0);
        showLabel(LinkTexts::Connecting);
    }
}

void CloneLink::OpenLinkPort()
{
    state_.PortOpenFailed = false;
    if (MSC && OpenWithRadioSettings(*MSC, state_.CommPort))
        return;
    state_.PortOpenFailed = true;
    const PortFault fault = MSC ? MSC->lastFault() : PortFault{PortError::Other, {}, "no serial control"};
    say({plan_.portErrorTitle, plan_.portErrorText, PortOpenAdvice(fault, state_.CommPort)});
}

void CloneLink::StartSending()
{
    TxIndex = 0;
    SentAll = false;
    Timer1->start(kPaceMs);
}

void CloneLink::StartHandshake()
{
    if (TransferActive)
        return;
    if (!MSC || !MSC->isOpen()) {
        OpenLinkPort();
        if (state_.PortOpenFailed)
            return;
    }
    LinkedUp = false;
    MSC->discardInput();
    LinkState = LinkStep::Identify;
    RxHeld = 0;
    const auto code = AccessCode();
    for (int i = 0; i < kAccessCodeLength; ++i)
        TxFrame[i] = code[i];
    TxLength = kAccessCodeLength;
    WriteMode = plan_.WriteMode;
    BlockNo = 0;
    BlockCount = plan_.BlockCount;
    TransferActive = true;
    StartSending();
}

void CloneLink::Timer1_Timer()
{
    // What arrived since the port was opened cannot answer the access code
    // about to leave: a late byte from the previous transfer goes here.
    if (MSC && LinkState == LinkStep::Identify && TxIndex == 0)
        MSC->discardInput();
    // Once linked, a write sends nothing but its frames.
    if (LinkedUp && WriteMode && TxIndex < TxLength)
        WroteFrames = true;
    for (; TxIndex < TxLength; ++TxIndex) {
        if (MSC)
            MSC->writeByte(uint8_t(TxFrame[TxIndex] & 0xFF));
        Timer2->start(kReplyTimeoutMs);
    }
    Timer1->stop();
    Timer2->start(kReplyTimeoutMs);
    SentAll = true;
}

void CloneLink::MSC_OnComm()
{
    if (!MSC || !MSC->isOpen())
        return;
    if (LinkedUp && WriteMode) {
        const auto byte = MSC->readByte();
        if (!byte)
            return;
        RxBytes[0] = *byte;
        if (*byte == kAck && SentAll)
            takeWriteAck();
        return;
    }
    if (LinkedUp) {
        int expected;
        if (LinkState == LinkStep::FirstReply)
            expected = kFirstReplyThreshold;
        else if (LinkState == LinkStep::LaterReply)
            expected = kLaterReplyThreshold;
        else
            return;
        if (MSC->bytesWaiting() > expected)
            takeReadReply();
        return;
    }
    if (LinkState == LinkStep::Identify) {
        takeIdentification();
        return;
    }
    if (LinkState != LinkStep::Acknowledge || MSC->bytesWaiting() <= 0)
        return;
    RxBytes[0] = MSC->readByte().value_or(0);
    if (RxBytes[0] == kAck) {
        LinkState = LinkStep::Linked;
        LinkedUp = true;
        Reach.linked = true;
        Timer2->stop();
        Timer3->stop();
        linkUp();
    }
}

void CloneLink::takeIdentification()
{
    // The reply is found by its frame, AA first: bytes ahead of it are left
    // behind. A radio answers the last 06 of a read with a 06 of its own,
    // which can arrive after the port was closed, opened again and cleared
    // for the next transfer; counted into the reply it would refuse it.
    while (MSC->bytesWaiting() > kAccessCodeLength - 1 - RxHeld) {
        for (int i = RxHeld; i < kAccessCodeLength; ++i)
            RxBytes[i] = MSC->readByte().value_or(0);
        RxHeld = 0;
        if (RxBytes[0] != 0xAA) {
            int start = 1;
            while (start < kAccessCodeLength && RxBytes[start] != 0xAA)
                ++start;
            if (start < kAccessCodeLength) {
                std::copy(RxBytes.begin() + start, RxBytes.begin() + kAccessCodeLength, RxBytes.begin());
                RxHeld = kAccessCodeLength - start;
                continue;
            }
        }
        const bool accepted = RxBytes[0] == 0xAA && RxBytes[7] == 0xBB;
        (accepted ? Reach.identified : Reach.otherReply) = true;
        if (events.identification) {
            std::array<uint8_t, kAccessCodeLength> reply{};
            for (int i = 0; i < kAccessCodeLength; ++i)
                reply[std::size_t(i)] = uint8_t(RxBytes[i]);
            events.identification(reply, accepted);
        }
        if (accepted) {
            LinkState = LinkStep::Acknowledge;
            TxFrame[0] = kAck;
            TxLength = 1;
            MSC->discardInput();
            StartSending();
            MSC->discardInput();
        }
        // Anything else: nothing is sent, the reply timeout restarts.
        return;
    }
}

void CloneLink::linkUp()
{
    if (!WriteMode) {
        queueReadRequest(plan_.address(1));
        BlockNo = 1;
        MSC->discardInput();
        LinkState = LinkStep::FirstReply;
        return;
    }
    BlockNo = 0;
    if (!queueWriteFrame(0))
        return;
    BlockNo = 1;
    MSC->discardInput();
}

void CloneLink::queueReadRequest(int address)
{
    TxFrame[0] = kReadCommand;
    TxFrame[1] = int16_t((address >> 8) & 0xFF);
    TxFrame[2] = int16_t(address & 0xFF);
    TxFrame[3] = 0x40;
    TxLength = 4;
    StartSending();
}

bool CloneLink::queueWriteFrame(int frame)
{
    const int address = plan_.address(frame);
    const std::array<int16_t, 16> data = plan_.frameData(state_, frame);
    for (int i = 0; i < 16; ++i) {
        if (data[i] < 0 || data[i] > 255) {
            // Another window changed the image meanwhile: stop rather than
            // send a truncated byte.
            giveUp(badCellMessage({address + i, data[i]}, false));
            return false;
        }
    }
    TxFrame[0] = kWriteCommand;
    TxFrame[1] = int16_t((address >> 8) & 0xFF);
    TxFrame[2] = int16_t(address & 0xFF);
    TxFrame[3] = 0x10;
    for (int i = 0; i < 16; ++i)
        TxFrame[4 + i] = data[i];
    TxLength = 20;
    StartSending();
    return true;
}

void CloneLink::takeReadReply()
{
    const bool first = LinkState == LinkStep::FirstReply;
    ReplyRow reply{};
    for (int p = first ? 1 : 0; p <= 68; ++p)
        reply[p] = MSC->readByte().value_or(0);
    MSC->discardInput();
    // The tail of an over-long reply, arriving after the discard, would be
    // counted into the next reply and shift every block after it. A reply
    // that does not answer its request is therefore not taken: the reply
    // timeout restarts the transfer, and the tables keep what they had.
    if (plan_.replyAnswers && !plan_.replyAnswers(reply, plan_.address(BlockNo), first)) {
        LinkState = LinkStep::ReplyRefused;
        return;
    }
    Timer2->stop();
    LinkState = LinkStep::LaterReply;
    Reach.blocksRead = std::max(Reach.blocksRead, BlockNo);
    if (BlockNo >= 1 && BlockNo < int(state_.LinkBuffer.size()))
        for (int p = first ? 1 : 0; p <= 68; ++p)
            state_.LinkBuffer[BlockNo][p] = reply[p];
    MSC->writeByte(kAck);
    if (BlockNo < BlockCount) {
        queueReadRequest(plan_.address(BlockNo + 1));
        ++BlockNo;
        showProgress(plan_.progress(BlockNo));
        showLabel(plan_.label(BlockNo));
        return;
    }
    completeRead();
}

void CloneLink::takeWriteAck()
{
    Timer2->stop();
    // The 06 answers frame BlockNo - 1: frames 0 .. BlockNo - 1 are in.
    Reach.framesAcked = std::max(Reach.framesAcked, BlockNo);
    if (BlockNo > BlockCount) {
        completeWrite();
        return;
    }
    showProgress(plan_.progress(BlockNo));
    showLabel(plan_.label(BlockNo));
    if (!queueWriteFrame(BlockNo))
        return;
    ++BlockNo;
}

void CloneLink::completeRead()
{
    // The end byte must leave before the port closes; the port drains its
    // output on close instead of pausing here.
    stopTimers();
    TransferActive = false;
    MSC->writeByte(kEndByte);
    if (plan_.unpack && !plan_.unpack(state_)) {
        giveUp({kOperatePrompt, LinkTexts::ReadUnusable, {}});
        return;
    }
    if (plan_.showFullProgress)
        showProgress(100);
    closePort();
    if (plan_.doneBeforeMessage)
        markDone();
    announceCompletion();
}

void CloneLink::completeWrite()
{
    stopTimers();
    if (!plan_.closeTimerFromStart)
        Timer4->start(plan_.closeDelayMs);
    if (plan_.doneBeforeMessage)
        markDone();
    TransferActive = false;
    MSC->writeByte(kEndByte);
    closePort();
    closePort();
    if (plan_.showFullProgress)
        showProgress(100);
    announceCompletion();
}

void CloneLink::markDone()
{
    if (plan_.closeWhenDone)
        TransferDone = true;
    if (events.finished)
        events.finished();
}

void CloneLink::announceCompletion()
{
    if (plan_.labelBeforeMessage)
        showLabel(plan_.doneLabel);
    // The message box runs its own event loop, in which the window (and this
    // engine with it) may be discarded.
    const std::weak_ptr<int> alive = life_;
    say({plan_.doneTitle, plan_.doneMessage, {}});
    if (alive.expired())
        return;
    if (!plan_.labelBeforeMessage)
        showLabel(plan_.doneLabel);
    if (!plan_.doneBeforeMessage)
        markDone();
}

void CloneLink::Timer2_Timer()
{
    // One timeout per silence: the restart delay takes over from here.
    Timer1->stop();
    Timer2->stop();
    Timer3->start(kRestartDelayMs);
    closePort();
    TransferActive = false;
}

void CloneLink::Timer3_Timer()
{
    stopTimers();
    if (Retries > 0) {
        --Retries;
        // A port that will not open again says so in its own message; the
        // status label is left as it was.
        StartHandshake();
        return;
    }
    giveUp({kOperatePrompt, LinkTexts::FailConnect,
            NoAnswerAdvice(state_.CommPort, MSC ? MSC->deviceFor(state_.CommPort) : std::string())});
}

void CloneLink::giveUp(const LinkMessage& message)
{
    stopTimers();
    TransferActive = false;
    closePort();
    const std::weak_ptr<int> alive = life_;
    say(message);
    if (alive.expired())
        return;
    showProgress(0);
    showLabel(LinkTexts::CommFault);
}

void CloneLink::portLost(const PortFault& fault)
{
    const bool wasRunning = TransferActive || timersRunning();
    stopTimers();
    TransferActive = false;
    closePort();
    if (!wasRunning)
        return;
    giveUp({kOperatePrompt, LinkTexts::PortLost, PortLostAdvice(fault, state_.CommPort)});
}

void CloneLink::Timer4_Timer()
{
    const std::weak_ptr<int> alive = life_;
    if (events.timer4)
        events.timer4();
    if (alive.expired())
        return;
    if (TransferDone && events.closeWindow)
        events.closeWindow();
}

LinkMessage CloneLink::badCellMessage(const BadCell& cell, bool beforeSending) const
{
    char address[16];
    std::snprintf(address, sizeof address, "0x%03X", unsigned(cell.address) & 0xFFFFu);
    const std::string value = std::to_string(cell.value);
    return {kOperatePrompt,
            {"The data at address " + std::string(address) + " is " + value +
                 ", which is not a byte value (0..255). " +
                 (beforeSending ? "Nothing was sent to the transceiver."
                                : "The transfer was stopped before that data; the transceiver holds only part of it."),
             "地址 " + std::string(address) + " 的数据为 " + value + "，超出字节范围 (0..255)。" +
                 (beforeSending ? "未向对讲机发送任何数据 ！" : "写入已在该数据之前停止，对讲机只收到部分数据 ！")},
            {"Correct the value (for example by loading a valid channel file or editing the channel), "
             "then write again.",
             "请修正该数据 (例如重新打开正确的频道文件或修改该频道) 后再写入。"}};
}

}  // namespace mx615
