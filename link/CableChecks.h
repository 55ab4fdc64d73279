#pragma once
// The doctor's look for a programming cable when no port is named: the USB
// bus as sysfs lists it, and what the kernel said about a cable chip that
// gave no port. It reads the system below the root of the checks it is given.

#include <optional>
#include <string>
#include <vector>

#include "link/PortTable.h"
#include "link/SystemChecks.h"

namespace mx615 {

class CableChecks {
public:
    explicit CableChecks(const SystemChecks& system);

    // Whether a programming cable is there: a known cable chip on the USB bus
    // that no port came of is a problem, with the kernel module that makes
    // its port and the kernel's last line about it; a table without a USB
    // adapter and no such chip, a warning.
    std::vector<Finding> cables(const std::vector<PortEntry>& table) const;

private:
    // The kernel's messages, oldest first; nothing when no log can be read.
    std::optional<std::vector<std::string>> kernelMessages() const;

    const SystemChecks& system_;
};

}  // namespace mx615
