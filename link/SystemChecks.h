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
#include "link/PortRemedies.h"
#include "link/PortTable.h"

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

class SystemChecks {
public:
    SystemChecks(std::string root, UserIdentity user);

    // The port table as every part of the program numbers it
    // (MachinePortTable), each entry with its kind and, for a USB adapter, its
    // ids and chip family. A table without entries is a problem.
    std::vector<Finding> portTable(const std::vector<PortEntry>& table) const;
    // One device: present, may this user open it (and if not, why and what
    // helps), processes and lock files that hold it.
    std::vector<Finding> port(const std::string& device) const;
    // brltty and ModemManager, judged against the adapters given.
    std::vector<Finding> services(const std::vector<PortEntry>& adapters) const;

    // The machine's serial ports and USB devices, below the same root.
    const DeviceTree& devices() const { return devices_; }
    // An absolute system path below the root.
    std::string at(const std::string& absolute) const;
    // The group whose members may read and write the device: "" when its
    // group may not (joining a group does not help then), nothing when the
    // device cannot be looked at.
    std::optional<std::string> groupThatOpens(const std::string& device) const;
    // The group that serial ports are given to: dialout on Debian, uucp on
    // some other distributions.
    std::string serialGroup() const;
    // "running", "installed" or "" (neither).
    std::string brlttyState() const;
    // brltty as the doctor words it for a cable of these ids (none: no
    // cable known): the system's brltty rules that take the ids.
    BrlttyFacts brlttyFacts(const std::optional<UsbIds>& ids) const;

private:
    std::string groupName(unsigned gid) const;
    bool listedInGroup(const std::string& group) const;
    std::optional<std::string> notSerialPort(const std::string& device) const;
    bool ruleInstalled(const std::string& name) const;
    std::vector<std::pair<int, std::string>> processes() const;   // pid, command name
    void access(const std::string& device, std::vector<Finding>& out) const;
    void holders(const std::string& device, std::vector<Finding>& out) const;
    void lockFiles(const std::string& device, std::vector<Finding>& out) const;

    DeviceTree devices_;
    UserIdentity user_;
};

}  // namespace mx615
