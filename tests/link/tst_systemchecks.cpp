// The doctor's look at the system, on a fake tree: the port's access from its
// mode, owner and group against the user's groups and /etc/group, the udev
// rule, processes and lock files that hold the port, brltty and ModemManager
// judged by the cable chip read from sysfs. And the rule file in dist/ holds
// every chip of the table.

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <functional>
#include <QRegularExpression>
#include <QTest>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "cli/Commands.h"
#include "link/CableChecks.h"
#include "link/CableChips.h"
#include "link/SystemChecks.h"
#include "support/CaseRows.h"
#include "support/FakeSysfs.h"

using namespace mx615;
using mx615::test::addCases;

namespace {

struct FakeSystem : test::FakeSysfs {
    unsigned deviceGroup = 0;
    int terminal = -1;

    // The port is a terminal device of the test's own, linked into the tree:
    // only a character device is taken for a port, and its mode can be set.
    FakeSystem()
    {
        terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
        QDir().mkpath(dir.filePath("dev"));
        QVERIFY(QFile::link(QString::fromLocal8Bit(::ptsname(terminal)), dir.filePath("dev/ttyUSB0")));
        QFile::setPermissions(dir.filePath("dev/ttyUSB0"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                               QFile::WriteGroup);
        struct stat info {};
        ::stat(QFile::encodeName(dir.filePath("dev/ttyUSB0")).constData(), &info);
        deviceGroup = info.st_gid;
        put("/sys/class/tty/ttyUSB0/device/idVendor", "1a86\n");
        put("/sys/class/tty/ttyUSB0/device/idProduct", "7523\n");
    }
    ~FakeSystem()
    {
        if (terminal >= 0)
            ::close(terminal);
    }
    void process(int pid, const QByteArray& command, bool holdsPort = false)
    {
        put(QString("/proc/%1/comm").arg(pid), command + "\n");
        QDir().mkpath(dir.path() + QString("/proc/%1/fd").arg(pid));
        if (holdsPort)
            QFile::link("/dev/ttyUSB0", dir.path() + QString("/proc/%1/fd/3").arg(pid));
    }
    void groups(const QByteArray& dialoutMembers)
    {
        put("/etc/group", "users:x:100:alice\ndialout:x:" + QByteArray::number(deviceGroup) + ":" + dialoutMembers + "\n");
    }
    QStringList lines(const std::vector<Finding>& findings) const
    {
        QStringList out;
        for (const Finding& f : findings)
            out << QString::fromStdString(f.line());
        return out;
    }
};

// What run prints on standard output.
QString printed(const std::function<void()>& run)
{
    std::fflush(stdout);
    QTemporaryFile file;
    if (!file.open())
        return {};
    const int saved = ::dup(1);
    ::dup2(file.handle(), 1);
    run();
    std::fflush(stdout);
    ::dup2(saved, 1);
    ::close(saved);
    file.seek(0);
    return QString::fromUtf8(file.readAll());
}

// The line that contains text, or an empty string.
QString lineWith(const QStringList& lines, const QString& text)
{
    for (const QString& line : lines)
        if (line.contains(text))
            return line;
    return {};
}

// Who is in the device's group, whether this login has it, whether the udev
// rule is there and the device's mode; then the lines the check says, each as
// how it starts and the facts it names (" … ").
struct AccessCase {
    QByteArray members;
    bool loginHasGroup;
    bool ruleInstalled;
    int mode;
    QStringList expected;
};

}  // namespace

class TestSystemChecks : public QObject {
    Q_OBJECT
private slots:
    void access_data()
    {
        addCases<AccessCase>("port", {
            {"in the group",
             {"alice", true, false, 0660, {"ok: you may open /dev/ttyUSB0 (rw-rw----, group dialout)."}}},
            {"not in the group",
             {"bob", false, false, 0660,
              {"problem: you may not open /dev/ttyUSB0 (rw-rw----, group dialout). … sudo usermod -aG dialout $USER",
               "warning: the udev rule 70-mx615.rules is not installed."}}},
            {"joined, not logged in again",
             {"bob,alice", false, true, 0660,
              {"problem: you may not open /dev/ttyUSB0 (rw-rw----, group dialout). You are in the group dialout, "
               "but this login started before you joined it",
               "ok: the udev rule 70-mx615.rules is installed"}}},
            // Its group may not open it either: no group to join helps.
            {"not even for its group",
             {"alice", true, false, 0600,
              {"problem: you may not open /dev/ttyUSB0 (rw-------, group dialout), and neither may its group … "
               "70-mx615.rules … /dev/ttyUSB0 to the dialout group",
               "warning: the udev rule 70-mx615.rules is not installed. It lets"}}},
        });
    }
    void access()
    {
        QFETCH(AccessCase, port);
        const auto& [members, loginHasGroup, ruleInstalled, mode, expected] = port;
        FakeSystem sys;
        QCOMPARE(::chmod(QFile::encodeName(sys.dir.filePath("dev/ttyUSB0")).constData(), mode_t(mode)), 0);
        sys.groups(members);
        if (ruleInstalled)
            sys.put("/usr/lib/udev/rules.d/70-mx615.rules", "");
        UserIdentity alice{4242, "alice", {4242}};
        if (loginHasGroup)
            alice.groups.push_back(sys.deviceGroup);
        const QStringList lines = sys.lines(SystemChecks(sys.root() + "/", alice).port("/dev/ttyUSB0"));
        QCOMPARE(lines.first(), QString("ok: /dev/ttyUSB0 is present."));
        // Each expected line: how it starts, then facts it names (" … ").
        for (const QString& line : expected) {
            const QStringList facts = line.split(" … ");
            const QString& got = lines.at(expected.indexOf(line) + 1);
            QVERIFY2(got.startsWith(facts.first()), qPrintable(lines.join('\n')));
            for (const QString& fact : facts)
                QVERIFY2(got.contains(fact), qPrintable(got));
        }
        // What the port's own open failure advises: the group, if joining it helps.
        QCOMPARE(SystemChecks(sys.root(), alice).groupThatOpens("/dev/ttyUSB0"),
                 std::optional<std::string>(mode == 0660 ? "dialout" : ""));
    }

    // A file, a folder, a pipe or a device that sysfs calls no tty is no
    // port: said once, with what to give instead, and nothing else is looked at.
    void notSerialPorts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("what");
        QTest::newRow("regular file") << "file" << "a regular file";
        QTest::newRow("folder") << "folder" << "a folder";
        QTest::newRow("named pipe") << "pipe" << "a named pipe";
        QTest::newRow("/dev/null") << "null" << "a device of another kind (mem)";
    }
    void notSerialPorts()
    {
        QFETCH(QString, kind);
        QFETCH(QString, what);
        FakeSystem sys;
        sys.groups("");
        const QString path = sys.dir.filePath("dev/other");
        if (kind == "file")
            sys.put("/dev/other", "");
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else {
            QVERIFY(QFile::link("/dev/null", path));
            struct stat info {};
            QCOMPARE(::stat("/dev/null", &info), 0);
            const QString entry = QString("/sys/dev/char/%1:%2").arg(major(info.st_rdev)).arg(minor(info.st_rdev));
            QVERIFY(QDir().mkpath(sys.dir.path() + entry));
            QVERIFY(QFile::link("../../../../class/mem", sys.dir.path() + entry + "/subsystem"));
        }
        const QStringList lines = sys.lines(SystemChecks(sys.root(), {0, "root", {0}}).port("/dev/other"));
        QCOMPARE(lines, QStringList{"problem: /dev/other is not a serial port: it is " + what +
                                    ". Give the programming cable's port, such as /dev/ttyUSB0 ('mx615-cli ports' "
                                    "lists them)."});
    }

    void holdersAndLocks()
    {
        FakeSystem sys;
        sys.groups("");
        sys.process(321, "minicom", true);
        sys.process(322, "bash");
        sys.process(int(::getpid()), "mx615-cli", true);   // the doctor itself is never named
        sys.put("/run/lock/LCK..ttyUSB0", "       321\n");
        sys.put("/var/lock/LCK..ttyUSB0", "       999\n");
        const QStringList lines = sys.lines(SystemChecks(sys.root(), {0, "root", {0}}).port("/dev/ttyUSB0"));
        QVERIFY2(lineWith(lines, "warning: /dev/ttyUSB0 is open in process 321 (minicom)") != "",
                 qPrintable(lines.join('\n')));
        QVERIFY(lineWith(lines, "problem: the lock file /run/lock/LCK..ttyUSB0 says process 321 (minicom)") != "");
        QVERIFY(lineWith(lines, "warning: the lock file /var/lock/LCK..ttyUSB0 names a process that no longer runs; "
                                "remove it: sudo rm /var/lock/LCK..ttyUSB0") != "");
        QVERIFY(lineWith(lines, "no process of yours holds").isEmpty());
        QVERIFY(lineWith(lines, QString("process %1 ").arg(::getpid())).isEmpty());

        const QStringList absent = sys.lines(SystemChecks(sys.root(), {}).port("/dev/ttyUSB1"));
        QCOMPARE(absent.size(), 1);
        QVERIFY(absent.first().startsWith("problem: /dev/ttyUSB1 is not there."));
    }

    void chipsAndServices()
    {
        FakeSystem sys;
        const SystemChecks checks(sys.root(), {});
        const auto table = [&] { return BuildPortTable("/dev/ttyUSB0:/dev/ttyUSB7", {}, checks.devices()); };
        QCOMPARE(sys.lines(checks.portTable(table())),
                 (QStringList{"ok: COM1 is /dev/ttyUSB0, USB serial, CH340 (1a86:7523).",
                              "warning: COM2 is /dev/ttyUSB7, which is not present. Plug in its cable, or drop it "
                              "from MX615_PORTS."}));
        QCOMPARE(sys.lines(checks.services(table())),
                 (QStringList{"ok: brltty is neither installed nor running.", "ok: ModemManager is not running."}));

        sys.process(400, "brltty");
        sys.process(401, "ModemManager");
        QStringList lines = sys.lines(checks.services(table()));
        QVERIFY2(lines[0].startsWith("problem: brltty is running; it takes CH340 adapters"), qPrintable(lines[0]));
        QVERIFY(lines[0].contains("sudo apt-get remove brltty"));
        QVERIFY(lines[1].startsWith("warning: ModemManager is running"));
        // An FTDI cable is left alone; the installed rule keeps ModemManager off it.
        sys.put("/sys/class/tty/ttyUSB0/device/idVendor", "0403\n");
        sys.put("/sys/class/tty/ttyUSB0/device/idProduct", "6001\n");
        sys.put("/etc/udev/rules.d/70-mx615.rules", "");
        lines = sys.lines(checks.services(table()));
        QVERIFY(lines[0].startsWith("ok: brltty is running; it leaves the adapters"));
        QVERIFY(lines[1].startsWith("warning: ModemManager is running") && lines[1].contains("the installed udev rule"));
        // No adapter plugged in: brltty's chips are named from the chip table.
        lines = sys.lines(checks.services({}));
        QVERIFY2(lines[0].startsWith("warning: brltty is running; it takes CH340, CH341 and CP210x adapters"),
                 qPrintable(lines[0]));
        QCOMPARE(sys.lines(checks.portTable({})).first().left(30), QString("problem: no serial port found."));
    }

    void serialPortsFromSysfs()
    {
        FakeSystem sys;   // ttyUSB0 with its device
        sys.put("/sys/class/tty/ttyS0/type", "4\n");        // a fitted UART
        sys.put("/sys/class/tty/ttyS0/device/driver", "");
        sys.put("/sys/class/tty/ttyS1/type", "0\n");        // reserved, no UART
        sys.put("/sys/class/tty/ttyS1/device/driver", "");
        sys.put("/sys/class/tty/ttyACM0/device/driver", "");
        sys.put("/sys/class/tty/tty1/dev", "4:1\n");        // a virtual console: no device
        std::vector<std::string> ports = SystemChecks(sys.root(), {}).devices().serialPorts();
        std::sort(ports.begin(), ports.end());
        QCOMPARE(ports, (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB0"}));
    }

    // Without a port named, the doctor looks for the cable on the USB bus: a
    // known chip that no port came of is a problem naming its kernel module
    // and the kernel's last line about it (read from /dev/kmsg, else
    // kern.log, else the advice to read it as root); no adapter at all, a
    // warning.
    void cableOnTheBus_data()
    {
        QTest::addColumn<QByteArray>("ids");       // "vendor:product" on the bus at 1-2
        QTest::addColumn<QString>("port");         // the tty below it; empty: none
        QTest::addColumn<QString>("log");          // kmsg, kern.log or none
        QTest::addColumn<bool>("moduleLoaded");
        QTest::addColumn<QStringList>("expected"); // fragments of the one finding; empty: no finding
        QTest::newRow("CH340 held by brltty")
            << QByteArray("1a86:7523") << "" << "kmsg" << true
            << QStringList{"problem: the cable chip CH340 (1a86:7523) is on the USB bus at 1-2, but no serial port came "
                           "of it. The kernel module ch341, which makes its port, is loaded but did not take it. "
                           "brltty is running and takes CH340 adapters for braille displays.",
                           "sudo apt-get remove brltty", "If you read with a braille display, keep brltty",
                           "The kernel's last line about it: \"usb 1-2: usbfs: interface 0 claimed by ch341 while "
                           "'brltty' sets config #1\""};
        QTest::newRow("PL2303, module not loaded, kern.log")
            << QByteArray("067b:2303") << "" << "kern.log" << false
            << QStringList{"problem: the cable chip PL2303 (067b:2303)",
                           "The kernel module pl2303, which makes its port, is not loaded: sudo modprobe pl2303, then "
                           "unplug and replug the cable. The kernel's last line about it: \"usb 1-2: Product: "
                           "USB-Serial Controller\""};
        QTest::newRow("FTDI, the kernel log kept for root")
            << QByteArray("0403:6001") << "" << "none" << true
            << QStringList{"problem: the cable chip FTDI (0403:6001)", "ftdi_sio",
                           "The kernel log cannot be read here (it may be kept for root): 'sudo dmesg | grep 1-2:' "
                           "shows what the kernel said about it."};
        QTest::newRow("CP210x with its port") << QByteArray("10c4:ea60") << "1-2:1.0/ttyUSB0" << "kmsg" << true
                                              << QStringList();
        QTest::newRow("CH340 with a vendor driver's port")
            << QByteArray("1a86:7523") << "1-2:1.0/tty/ttyCH341USB0" << "kmsg" << true << QStringList();
        QTest::newRow("a mouse on the bus")
            << QByteArray("046d:c077") << "" << "kmsg" << true
            << QStringList{"warning: no programming cable is plugged in: the port table holds no USB adapter."};
    }
    void cableOnTheBus()
    {
        QFETCH(QByteArray, ids);
        QFETCH(QString, port);
        QFETCH(QString, log);
        QFETCH(bool, moduleLoaded);
        QFETCH(QStringList, expected);
        FakeSystem sys;
        sys.process(400, "brltty");
        sys.put("/sys/bus/usb/devices/1-2/idVendor", ids.left(4) + "\n");
        sys.put("/sys/bus/usb/devices/1-2/idProduct", ids.mid(5) + "\n");
        sys.put("/sys/bus/usb/devices/1-2/1-2:1.0/bInterfaceNumber", "00\n");
        if (!port.isEmpty())
            QVERIFY(QDir().mkpath(sys.dir.path() + "/sys/bus/usb/devices/1-2/" + port));
        if (moduleLoaded)
            QVERIFY(QDir().mkpath(sys.dir.path() + "/sys/module/" + (ids.startsWith("067b") ? "pl2303" : "ch341")));
        if (log == "kmsg")
            sys.put("/dev/kmsg", "6,100,1000,-;usb 1-2: new full-speed USB device number 5 using xhci_hcd\n"
                                 " SUBSYSTEM=usb\n"
                                 "6,101,1001,-;usb 1-2: usbfs: interface 0 claimed by ch341 while 'brltty' sets config #1\n"
                                 "6,102,1002,-;usb 1-2.3: new high-speed USB device number 6 using xhci_hcd\n"
                                 "6,103,1003,-;usb 1-3: USB disconnect, device number 4\n");
        else if (log == "kern.log")
            sys.put("/var/log/kern.log", "Dec  8 10:00:00 bench kernel: [   12.345678] usb 1-2: Product: USB-Serial "
                                         "Controller\n"
                                         "Dec  8 10:00:01 bench systemd[1]: Started Session 3 of user alice.\n"
                                         "Dec  8 10:00:02 bench kernel: [   13.000001] usb 1-12: USB disconnect\n");
        // The table as the machine gives it: the fake tree's ttyUSB0 stands
        // for the port that came of the chip.
        const SystemChecks checks(sys.root(), {});
        const auto table = BuildPortTable(port.isEmpty() ? "/dev/ttyS0" : "/dev/ttyS0:/dev/ttyUSB0", {}, checks.devices());
        const QStringList lines = sys.lines(CableChecks(checks).cables(table));
        QCOMPARE(lines.size(), expected.isEmpty() ? 0 : 1);
        for (const QString& fragment : expected)
            QVERIFY2(lines[0].contains(fragment), qPrintable(lines[0]));
    }

    // A technician who reads with a braille display keeps brltty: the doctor
    // names the system's brltty rules that take the cable's chip by its ids
    // and the lines to leave out, or says that none does.
    void brailleDisplayKeepsBrltty_data()
    {
        QTest::addColumn<QString>("rules");        // file:content, ... ("|" separates them)
        QTest::addColumn<QStringList>("expected"); // fragments of the brltty finding
        QTest::addColumn<QString>("absent");
        QTest::newRow("the system's rules, by product")
            << "/usr/lib/udev/rules.d/85-brltty.rules:# Device: 1A86:7523\nENV{PRODUCT}==\"1a86/7523/*\", "
               "GOTO=\"brltty_usb_run\"\nENV{PRODUCT}==\"10c4/ea60/*\", GOTO=\"brltty_usb_run\"\n"
            << QStringList{"take 1a86:7523 by its vendor and product ids (/usr/lib/udev/rules.d/85-brltty.rules line 2)",
                           "sudo cp /usr/lib/udev/rules.d/85-brltty.rules /etc/udev/rules.d/85-brltty.rules",
                           "sudo sed -i '2d' /etc/udev/rules.d/85-brltty.rules"}
            << "braille-device";
        QTest::newRow("a copy in /etc takes the place of the system's")
            << "/etc/udev/rules.d/85-brltty.rules:ACTION==\"add\"\nATTRS{idVendor}==\"1a86\", "
               "ATTRS{idProduct}==\"7523\", RUN+=\"brltty\"\n|/lib/udev/rules.d/85-brltty.rules:x\n"
               "ENV{PRODUCT}==\"1a86/7523/*\"\n"
            << QStringList{"(/etc/udev/rules.d/85-brltty.rules line 2)", "sudo sed -i '2d' /etc/udev/rules.d/85-brltty.rules"}
            << "sudo cp";
        QTest::newRow("no rule names the chip")
            << "/usr/lib/udev/rules.d/85-brltty.rules:ENV{PRODUCT}==\"10c4/ea60/*\"\n"
            << QStringList{"no brltty rule of this system names 1a86:7523", "braille-device"} << "sudo sed";
    }
    void brailleDisplayKeepsBrltty()
    {
        QFETCH(QString, rules);
        QFETCH(QStringList, expected);
        QFETCH(QString, absent);
        FakeSystem sys;   // a CH340 on ttyUSB0
        sys.process(400, "brltty");
        for (const QString& rule : rules.split('|'))
            sys.put(rule.section(':', 0, 0), rule.section(':', 1).toUtf8());
        const SystemChecks checks(sys.root(), {});
        const QString line = sys.lines(checks.services(BuildPortTable("/dev/ttyUSB0", {}, checks.devices()))).first();
        expected << "problem: brltty is running; it takes CH340 adapters"
                 << "If you use no braille display, remove brltty (sudo apt-get remove brltty)"
                 << "If you read with a braille display, keep brltty";
        for (const QString& fragment : expected)
            QVERIFY2(line.contains(fragment), qPrintable(line));
        QVERIFY2(!line.contains(absent), qPrintable(line));
    }

    // The doctor and 'mx615-cli ports' number the ports of one machine alike:
    // on-board ports first, then the adapters, whatever their drivers call them.
    void doctorAndPortsNumberAlike()
    {
        test::FakeSysfs sys;
        sys.tty("ttyUSB0", "usb");
        sys.tty("ttyS1", "uart");
        sys.tty("ttyCH341USB0", "usb", "1a86", "5523");
        sys.tty("ttyS0", "uart");
        sys.tty("ttyACM0", "usb", "0403", "6001");
        const QByteArray listed = qgetenv("MX615_PORTS");
        qunsetenv("MX615_PORTS");
        cli::CliArgs args;
        args.command = "doctor";
        args.quiet = true;
        const QString ports = printed([&] { cli::ListPorts(sys.tree()); });
        const QString doctor = printed([&] { cli::RunDoctor(args, sys.root()); });
        qputenv("MX615_PORTS", listed);
        const auto numbered = [](const QString& text, const QString& pattern) {
            QStringList found;
            for (const auto& match : QRegularExpression(pattern, QRegularExpression::MultilineOption).globalMatch(text))
                found << match.captured(1) + "=" + match.captured(2);
            return found;
        };
        const QStringList expected{"1=/dev/ttyS0", "2=/dev/ttyS1", "3=/dev/ttyCH341USB0", "4=/dev/ttyUSB0",
                                   "5=/dev/ttyACM0"};
        QCOMPARE(numbered(ports, "^COM(\\d+)  (\\S+?),"), expected);
        QCOMPARE(numbered(doctor, "^ok: COM(\\d+) is (\\S+?),"), expected);
    }

    void ruleFileHoldsEveryChip()
    {
        QFile rule(MX615_SOURCE_DIR "/dist/70-mx615.rules");
        QVERIFY(rule.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(rule.readAll()).split('\n');
        for (const CableChip& chip : CableChips()) {
            const QString ids = QString::fromStdString(UsbIdText(chip.vendor, chip.product));
            const QString line = lineWith(lines, QString("ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\"")
                                                     .arg(ids.left(4), ids.mid(5)));
            QVERIFY2(!line.isEmpty(), qPrintable(ids));
            QVERIFY(line.startsWith("SUBSYSTEM==\"tty\"") && line.contains("TAG+=\"uaccess\"") &&
                    line.contains("ENV{ID_MM_DEVICE_IGNORE}=\"1\""));
        }
        QVERIFY(QString(kUdevRuleName) < QString("73-seat-late.rules"));
    }
};

QTEST_GUILESS_MAIN(TestSystemChecks)
#include "tst_systemchecks.moc"
