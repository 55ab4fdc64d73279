// The clone engine against a misbehaving radio: timeouts, restarts, refused
// frames, hang-ups and ports that will not open.

#include <QTest>

#include "LinkRig.h"
#include "link/LinkTexts.h"
#include "link/PortAdvice.h"
#include "support/BothWays.h"

using namespace mx615;

Q_DECLARE_METATYPE(std::optional<std::string>)
using namespace mx615::test;

namespace {

enum class Fault { WrongIdent, DropReply, TruncateReply, OmitLaterAck, ShiftReply };

void apply(LinkRig& rig, Fault fault)
{
    sim::Misbehaviour& m = rig.radio.radio.misbehave;
    m.attempts = 1;
    switch (fault) {
    case Fault::WrongIdent: m.wrongIdent = true; break;
    case Fault::DropReply: m.dropReply = 5; break;
    case Fault::TruncateReply: m.truncateReply = 9; break;
    case Fault::OmitLaterAck: m.omitLaterAck = true; break;
    case Fault::ShiftReply: m.shiftReply = 7; break;
    }
}

// Everything the engine wrote after the last access code.
std::vector<uint8_t> lastSession(const LinkRig& rig)
{
    const std::vector<uint8_t>& w = rig.comm->written();
    return {w.begin() + rig.accessCodeOffsets().last() + 8, w.end()};
}

}  // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(mx615::PortError)

class TestCloneFaults : public QObject {
    Q_OBJECT
private slots:
    void readRecoversByRestart_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("attempts");
        QTest::newRow("wrong identification once") << Fault::WrongIdent << 2;
        QTest::newRow("reply 5 dropped") << Fault::DropReply << 2;
        QTest::newRow("reply 9 short") << Fault::TruncateReply << 2;
        QTest::newRow("06 before later replies omitted") << Fault::OmitLaterAck << 2;
        QTest::newRow("reply 7 shifted by stray bytes") << Fault::ShiftReply << 2;
    }
    void readRecoversByRestart()
    {
        QFETCH(Fault, fault);
        QFETCH(int, attempts);
        LinkRig rig(ReadPlan());
        rig.radio.radio.memory = sim::PatternMemory(0x21);
        apply(rig, fault);
        rig.markImage();
        rig.link->start();
        // Until the restart has run its course the image stays as it was.
        QVERIFY(rig.clock.runUntil([&] { return rig.accessCodeOffsets().size() == attempts; }, 10000));
        QCOMPARE(int(rig.state.RadioImage[0][0]), 0x1234);
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 10000));
        QCOMPARE(rig.accessCodeOffsets().size(), attempts);
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(rig.state.byteAt(a), int(rig.radio.radio.memory[a]));
        // The restart began again with the handshake and block 1.
        const std::vector<uint8_t> again = lastSession(rig);
        QCOMPARE(std::vector<uint8_t>(again.begin(), again.begin() + 5),
                 (std::vector<uint8_t>{kAck, 0x52, 0x00, 0x00, 0x40}));
        QCOMPARE(rig.messageTexts(), QStringList{"Complete reading the data from transceiver."});
    }

    void longReplyIsTrimmed()
    {
        LinkRig rig(ReadPlan());
        rig.radio.radio.memory = sim::PatternMemory(0x05);
        rig.radio.radio.misbehave.longReply = 4;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 5000));
        QCOMPARE(rig.accessCodeOffsets().size(), 1);
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(rig.state.byteAt(a), int(rig.radio.radio.memory[a]));
    }

    void radioThatNeverAnswers_data() { bothWays("write", "read", "write"); }
    void radioThatNeverAnswers()
    {
        QFETCH(bool, write);
        LinkRig rig(write ? WritePlan() : ReadPlan());
        FillStartupImage(rig.state);
        const RadioImageTable before = rig.state.RadioImage;
        rig.radio.radio.misbehave.silent = true;
        rig.radio.radio.misbehave.attempts = 0;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return !rig.messages.isEmpty(); }, 20000));
        QCOMPARE(rig.accessCodeOffsets(), (QList<int>{0, 8, 16, 24}));
        QCOMPARE(rig.comm->written().size(), std::size_t(32));
        QCOMPARE(rig.hub.openCount(2), 4);
        QCOMPARE(rig.hub.tableReads, 1);  // once per click, not once per attempt
        QCOMPARE(rig.clock.now(), 4 * 2015);
        QCOMPARE(rig.messageTexts(), QStringList{"Fail connect with transceiver."});
        QCOMPARE(QString::fromStdString(rig.messages[0].title.en), QString("Operate prompt"));
        // Beneath it, what to check, naming the port and its device.
        QVERIFY(QString::fromStdString(rig.messages[0].detail.en).contains("switched on"));
        QVERIFY(QString::fromStdString(rig.messages[0].detail.en).contains("COM2 — memory line 2"));
        QVERIFY(QString::fromStdString(rig.messages[0].detail.zh).contains("COM2 — memory line 2"));
        QCOMPARE(rig.labels.last(), QString("Communication fault."));
        QCOMPARE(rig.progress.last(), 0);
        QVERIFY(!rig.hub.isOpen(2));
        QVERIFY(rig.state.RadioImage == before);
        // Then all is quiet: no timer keeps running.
        rig.clock.advance(60000);
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY(!rig.link->timersRunning());
    }

    // How far a failed transfer got, over all its attempts: what the radio
    // holds afterwards follows from it (untouched, or frames 0..N-1 in).
    void reachOfAFailedTransfer_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("identified");
        QTest::addColumn<bool>("other");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<int>("count");   // frames acknowledged, or replies taken
        QTest::newRow("silent") << true << "silent" << false << false << false << 0;
        QTest::newRow("wrong identification") << true << "wrongIdent" << false << true << false << 0;
        QTest::newRow("frame 10 refused") << true << "refuseFrame" << true << false << true << 10;
        QTest::newRow("reply 3 short") << false << "truncateReply" << true << false << true << 2;
    }
    void reachOfAFailedTransfer()
    {
        QFETCH(bool, write);
        QFETCH(QString, fault);
        QFETCH(bool, identified);
        QFETCH(bool, other);
        QFETCH(bool, linked);
        QFETCH(int, count);
        LinkRig rig(write ? WritePlan() : ReadPlan());
        FillStartupImage(rig.state);
        auto& misbehave = rig.radio.radio.misbehave;
        misbehave.attempts = 0;
        misbehave.silent = fault == "silent";
        misbehave.wrongIdent = fault == "wrongIdent";
        misbehave.refuseFrame = fault == "refuseFrame" ? 10 : -1;
        misbehave.truncateReply = fault == "truncateReply" ? 3 : 0;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return !rig.messages.isEmpty(); }, 30000));
        const LinkReach& reach = rig.link->reach();
        QCOMPARE(reach.identified, identified);
        QCOMPARE(reach.otherReply, other);
        QCOMPARE(reach.linked, linked);
        QCOMPARE(write ? reach.framesAcked : reach.blocksRead, count);
        QCOMPARE(rig.link->blockTotal(), write ? 49 : 16);
        // A new start counts afresh.
        misbehave = {};
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 10000));
        QCOMPARE(write ? rig.link->reach().framesAcked : rig.link->reach().blocksRead, write ? 49 : 16);
        QVERIFY(!rig.link->reach().otherReply);
    }

    void attemptsAreSharedByAllTimeouts()
    {
        // Timeouts at different stages of one click use up the same three restarts.
        LinkRig rig(ReadPlan());
        rig.radio.radio.misbehave.dropReply = 3;
        rig.radio.radio.misbehave.attempts = 0;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return !rig.messages.isEmpty(); }, 30000));
        QCOMPARE(rig.accessCodeOffsets().size(), 4);
        QCOMPARE(rig.radio.radio.readRequests, 12);
        QCOMPARE(rig.messageTexts(), QStringList{"Fail connect with transceiver."});
        // A new click starts a fresh set of attempts.
        rig.radio.radio.misbehave.dropReply = 0;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 5000));
    }

    void lateRepliesTimeOut()
    {
        LinkRig rig(ReadPlan());
        rig.radio.replyDelayMs = 1500;
        rig.radio.radio.misbehave.attempts = 0;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return !rig.messages.isEmpty(); }, 30000));
        QCOMPARE(rig.messageTexts(), QStringList{"Fail connect with transceiver."});
        QCOMPARE(rig.link->linkedUp(), false);
    }

    void refusedFrameRestartsFromFrameZero()
    {
        LinkRig rig(WritePlan());
        FillStartupImage(rig.state);
        rig.radio.radio.misbehave.refuseFrame = 10;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.accessCodeOffsets().size() == 2; }, 10000));
        QCOMPARE(rig.radio.radio.framesTaken, 10);
        QCOMPARE(rig.progress.last(), 20);  // frame 9 was the last acknowledged
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 10000));
        std::vector<int> addresses;
        for (int n = 0; n < 10; ++n)
            addresses.push_back(n * 16);
        for (int n = 0; n <= 48; ++n)
            addresses.push_back(n * 16);
        QCOMPARE(rig.radio.radio.frameAddresses, addresses);
    }

    void stray06BeforeFrameIsOutIsDropped()
    {
        // A 06 that arrives while the frame is still queued does not count as
        // its acknowledge: no frame may be skipped.
        LinkRig rig(WritePlan());
        FillStartupImage(rig.state);
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.radio.radio.framesTaken == 3; }, 5000));
        rig.clock.settle();  // the acknowledge of frame 2 is in; frame 3 is queued
        QVERIFY(!rig.link->sentAll());
        rig.radio.sendToHost({kAck, kAck});
        rig.clock.settle();
        QCOMPARE(rig.link->blockNo(), 4);
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 5000));
        QCOMPARE(rig.radio.radio.framesTaken, 49);
    }

    void hangUpMidTransfer_data() { bothWays("write", "read", "write"); }
    void hangUpMidTransfer()
    {
        QFETCH(bool, write);
        LinkRig rig(write ? WritePlan() : ReadPlan());
        FillStartupImage(rig.state);
        const RadioImageTable before = rig.state.RadioImage;
        rig.radio.radio.misbehave.hangUpAfter = 6;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return !rig.messages.isEmpty(); }, 5000));
        rig.clock.advance(20000);
        QCOMPARE(rig.messageTexts(), QStringList{"The connection to the transceiver was lost during the transfer."});
        const QString detail = QString::fromStdString(rig.messages[0].detail.en);
        QVERIFY2(detail.contains("COM2") && detail.contains("try again"), qPrintable(detail));
        QCOMPARE(rig.labels.last(), QString("Communication fault."));
        QCOMPARE(rig.progress.last(), 0);
        QCOMPARE(rig.accessCodeOffsets().size(), 1);  // no attempt on a port that is gone
        QVERIFY(!rig.link->transferActive());
        QVERIFY(!rig.link->comm()->isOpen());
        QVERIFY(rig.state.RadioImage == before);
        QCOMPARE(rig.finished, 0);
    }

    void discardedReadLeavesImage()
    {
        LinkRig rig(ReadPlan());
        FillStartupImage(rig.state);
        const RadioImageTable before = rig.state.RadioImage;
        rig.link->start();
        QVERIFY(rig.clock.runUntil([&] { return rig.radio.radio.readRequests == 15; }, 5000));
        rig.link->shutdown();
        QVERIFY(!rig.hub.isOpen(2));
        const std::size_t sent = rig.comm->written().size();
        rig.clock.advance(10000);
        QCOMPARE(rig.comm->written().size(), sent);
        QVERIFY(rig.state.RadioImage == before);
        QVERIFY(rig.messages.isEmpty());
    }

    void portWillNotOpen_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<PortError>("refusal");
        QTest::addColumn<QString>("advice");
        QTest::newRow("no such port") << 7 << PortError::None << "MX615_PORTS";
        QTest::newRow("no permission") << 2 << PortError::PermissionDenied << "dialout";
        QTest::newRow("in use") << 2 << PortError::Busy << "in use";
    }
    void portWillNotOpen()
    {
        QFETCH(int, port);
        QFETCH(PortError, refusal);
        QFETCH(QString, advice);
        LinkRig rig(ReadPlan(), port);
        if (refusal != PortError::None)
            rig.hub.refuseOpen(port, refusal);
        for (int click = 1; click <= 2; ++click) {
            rig.link->start();
            rig.clock.advance(3000);
            QCOMPARE(rig.messages.size(), click);
            QVERIFY(rig.state.PortOpenFailed);
        }
        const LinkMessage& m = rig.messages.last();
        QCOMPARE(QString::fromStdString(m.text.en),
                 QString("Communication port is error, please setting right communication port . ！"));
        QCOMPARE(QString::fromStdString(m.title.en), QString("Operate prompt"));
        QVERIFY2(QString::fromStdString(m.detail.en).contains(advice), m.detail.en.c_str());
        QVERIFY(!m.detail.zh.empty());
        QVERIFY(rig.labels.isEmpty());
        QVERIFY(rig.progress.isEmpty());
        QVERIFY(!rig.link->transferActive());
    }

    void portRefusedOnRestartKeepsTheLabel()
    {
        LinkRig rig(ReadPlan(), 2);
        rig.radio.radio.misbehave.silent = true;
        rig.link->start();
        QCOMPARE(rig.labels, QStringList{"Connecting with transceiver. "});
        rig.hub.refuseOpen(2, PortError::Busy);
        rig.clock.advance(2100);  // the reply timeout, then the restart
        QCOMPARE(rig.messageTexts(),
                 QStringList{"Communication port is error, please setting right communication port . ！"});
        QCOMPARE(rig.labels, QStringList{"Connecting with transceiver. "});
        QCOMPARE(rig.progress, QList<int>{0});
        QVERIFY(!rig.link->transferActive());
        rig.clock.advance(5000);
        QCOMPARE(rig.messages.size(), 1);
    }

    void portAdviceNamesTheMenuAsShown_data()
    {
        QTest::addColumn<PortError>("error");
        QTest::addColumn<QString>("device");
        QTest::newRow("no such port") << PortError::NoSuchPort << "";
        QTest::newRow("device gone") << PortError::NoSuchPort << "/dev/ttyUSB0";
        QTest::newRow("bad settings") << PortError::BadSettings << "/dev/ttyUSB0";
        QTest::newRow("other") << PortError::Other << "/dev/ttyUSB0";
    }
    void portAdviceNamesTheMenuAsShown()
    {
        // The advice sends the user to the port menu by the caption the menu
        // bar shows in that language.
        QFETCH(PortError, error);
        QFETCH(QString, device);
        const Bilingual advice = PortOpenAdvice({error, device.toStdString(), {}}, 3);
        QVERIFY2(QString::fromStdString(advice.en).contains("Communication menu"), advice.en.c_str());
        QVERIFY2(QString::fromStdString(advice.zh).contains("“端口设置”菜单"), advice.zh.c_str());
        QVERIFY2(QString::fromStdString(advice.en).contains("mx615-cli doctor --port "), advice.en.c_str());
    }

    void portAdviceForTheCommandLine_data()
    {
        // The same reasons as the windows, worded for mx615-cli: device paths
        // and 'mx615-cli ports' instead of the Communication menu.
        QTest::addColumn<PortError>("error");
        QTest::addColumn<int>("commPort");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("advice");
        QTest::addColumn<QString>("group");        // whose members may open the device
        QTest::addColumn<bool>("pointToDoctor");   // not from inside the doctor
        QTest::newRow("no permission")
            << PortError::PermissionDenied << 0 << "/dev/ttyUSB0" << "Permission denied"
            << "The system reports: Permission denied. Your user may not open /dev/ttyUSB0. Join the dialout group "
               "(sudo usermod -aG dialout $USER) and log in again, or install the udev rule dist/70-mx615.rules. "
               "'mx615-cli doctor --port /dev/ttyUSB0' looks at everything that can stand in the way."
               << "dialout" << true;
        // From inside the doctor, for a device that its group may not open
        // either: no group to join, no pointer to the doctor.
        QTest::newRow("no permission, group root")
            << PortError::PermissionDenied << 0 << "/dev/ttyUSB0" << ""
            << "Your user may not open /dev/ttyUSB0, and neither may its group. Install the udev rule "
               "dist/70-mx615.rules, which lets the user at the console open programming cables, or ask an "
               "administrator to give /dev/ttyUSB0 to the dialout group." << QString() << false;
        QTest::newRow("no permission, group uucp")
            << PortError::PermissionDenied << 0 << "/dev/ttyUSB0" << ""
            << "Your user may not open /dev/ttyUSB0. Join the uucp group (sudo usermod -aG uucp $USER) and log in "
               "again, or install the udev rule dist/70-mx615.rules." << "uucp" << false;
        QTest::newRow("no table entry")
            << PortError::NoSuchPort << 9 << "" << "there is no serial port COM9 on this computer"
            << "The port table has no entry 9. 'mx615-cli ports' lists it; MX615_PORTS=/dev/ttyUSB0:... sets it, "
               "or give the device path." << "dialout" << true;
        QTest::newRow("entry not there") << PortError::NoSuchPort << 1 << "/dev/ttyUSB0" << ""
                                         << "/dev/ttyUSB0 is not there. Check the programming cable and the device "
                                            "name. 'mx615-cli doctor --port /dev/ttyUSB0' looks at everything that "
                                            "can stand in the way." << "dialout" << true;
        QTest::newRow("in use") << PortError::Busy << 2 << "/dev/ttyS0" << ""
                                << "/dev/ttyS0 is in use by another program. Close it and try again. 'mx615-cli "
                                   "doctor --port /dev/ttyS0' looks at everything that can stand in the way."
                                   << "dialout" << true;
        QTest::newRow("settings") << PortError::BadSettings << 0 << "/dev/null" << "bad"
                                  << "The system reports: bad. /dev/null does not take the line settings 9600,N,8,1. "
                                     "Is it a serial port?" << "dialout" << true;
        QTest::newRow("other") << PortError::Other << 0 << "/dev/pts/9" << ""
                               << "/dev/pts/9 could not be opened. Check the programming cable and the device name."
                               << "dialout" << true;
    }
    void portAdviceForTheCommandLine()
    {
        QFETCH(PortError, error);
        QFETCH(int, commPort);
        QFETCH(QString, device);
        QFETCH(QString, reason);
        QFETCH(QString, advice);
        QFETCH(QString, group);
        QFETCH(bool, pointToDoctor);
        const PortFault fault{error, device.toStdString(), reason.toStdString(), group.toStdString()};
        QCOMPARE(QString::fromStdString(PortOpenAdviceCli(fault, commPort, device.toStdString(), pointToDoctor)),
                 advice);
    }

    // Under a port the windows cannot open: the same advice as the
    // command-line tool's, the device's group only where joining it helps.
    void portAdviceForTheWindowsNamesTheGroup_data()
    {
        QTest::addColumn<std::optional<std::string>>("group");
        QTest::addColumn<QString>("en");
        QTest::addColumn<QString>("zh");
        QTest::newRow("uucp") << std::optional<std::string>("uucp")
                              << "Your user may not open COM3 (/dev/ttyUSB0). Join the uucp group (sudo usermod -aG "
                                 "uucp $USER) and log in again, or install the udev rule dist/70-mx615.rules."
                              << "请加入 uucp 组 (sudo usermod -aG uucp $USER) 后重新登录";
        QTest::newRow("its group may not either")
            << std::optional<std::string>("")
            << "Your user may not open COM3 (/dev/ttyUSB0), and neither may its group. Install the udev rule"
            << "其所属组也无权打开";
    }
    void portAdviceForTheWindowsNamesTheGroup()
    {
        QFETCH(std::optional<std::string>, group);
        QFETCH(QString, en);
        QFETCH(QString, zh);
        const Bilingual advice = PortOpenAdvice({PortError::PermissionDenied, "/dev/ttyUSB0", {}, group}, 3);
        QVERIFY2(QString::fromStdString(advice.en).contains(en), advice.en.c_str());
        QVERIFY2(QString::fromStdString(advice.zh).contains(zh), advice.zh.c_str());
        QVERIFY(!(group && group->empty()) || !QString::fromStdString(advice.en).contains("Join the"));
        // Where serial ports belong to uucp, the advice names uucp, not dialout.
        const Bilingual uucp = PortOpenAdvice({PortError::PermissionDenied, "/dev/ttyUSB0", {}, group, "uucp"}, 3);
        QVERIFY2(uucp.en.find(group && !group->empty() ? *group : std::string("uucp")) != std::string::npos &&
                     uucp.en.find("dialout") == std::string::npos,
                 uucp.en.c_str());
    }

    void portInUseByAnotherTransfer()
    {
        LinkRig rig(ReadPlan());
        MemoryCommControl other(rig.hub, rig.clock);
        other.CommPort = 2;
        QVERIFY(other.open());
        rig.link->start();
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY(QString::fromStdString(rig.messages[0].detail.en).contains("in use"));
        other.close();
        rig.link->start();
        QVERIFY(!rig.state.PortOpenFailed);
        QVERIFY(rig.clock.runUntil([&] { return rig.finished > 0; }, 5000));
    }
};

QTEST_GUILESS_MAIN(TestCloneFaults)
#include "tst_clonefaults.moc"
