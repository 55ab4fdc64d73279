#pragma once
// What stands between the user and the radio on a Linux machine, as mx615-cli
// doctor reports it: the port table with the cable chips, whether the user may
// open a port, who holds it, brltty and ModemManager. Every check reads the
// system's files below a root folder ("/" on the machine), so tests hand it a
// fake tree: dev/, proc/, etc/group, sys/, the udev folders.
// Nothing here changes the system or opens a device.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/DeviceTree.h"

namespace mx615 {

struct Finding {
    enum Level { Ok, Warning, Problem };
    Level level = Ok;
    std::string text;
    // "ok: ...", "warning: ...", "problem: ...".
    std::string line() const;
};

// Who runs the checks: the user id and name, and the groups of this login
// (what the kernel grants now, which /etc/group may already have outgrown).
struct UserIdentity {
    unsigned uid = 0;
    std::string name;
    std::vector<unsigned> groups;
};

// The name the udev rule is installed under.
extern const char* const kUdevRuleName;

class SystemChecks {
public:
    SystemChecks(std::string root, UserIdentity user);

    // The port table, each entry with its kind and, for a USB adapter, its ids
    // and chip family. A table without entries is a problem.
    std::vector<Finding> portTable(const std::vector<std::string>& table) const;
    // One device: present, may this user open it (and if not, why and what
    // helps), processes and lock files that hold it.
    std::vector<Finding> port(const std::string& device) const;
    // brltty and ModemManager, judged against the adapters in the table.
    std::vector<Finding> services(const std::vector<std::string>& table) const;
    // Whether a programming cable is there, for the doctor without a port:
    // a known cable chip on the USB bus that no port came of is a problem,
    // with the kernel module that makes its port and the kernel's last line
    // about it; a table without a USB adapter and no such chip, a warning.
    std::vector<Finding> cables(const std::vector<std::string>& table) const;

    // The machine's serial ports and USB devices, below the same root.
    const DeviceTree& devices() const { return devices_; }
    // The group whose members may read and write the device: "" when its
    // group may not (joining a group does not help then), nothing when the
    // device cannot be looked at.
    std::optional<std::string> groupThatOpens(const std::string& device) const;

private:
    std::string at(const std::string& absolute) const;
    std::string groupName(unsigned gid) const;
    bool listedInGroup(const std::string& group) const;
    std::string serialGroup() const;
    std::optional<std::string> notSerialPort(const std::string& device) const;
    bool ruleInstalled(const std::string& name) const;
    std::vector<std::pair<int, std::string>> processes() const;   // pid, command name
    std::string brlttyState() const;   // "running", "installed" or ""
    // The kernel's messages, oldest first; nothing when no log can be read.
    std::optional<std::vector<std::string>> kernelMessages() const;
    void access(const std::string& device, std::vector<Finding>& out) const;
    void holders(const std::string& device, std::vector<Finding>& out) const;
    void lockFiles(const std::string& device, std::vector<Finding>& out) const;

    DeviceTree devices_;
    UserIdentity user_;
};

}  // namespace mx615
