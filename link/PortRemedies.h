#pragma once
// What to do about a cable the user cannot use, worded once from the facts:
// the windows' port messages, the command-line transfers and the doctor take
// their remedies here, and the chip families from the one table of cable
// chips.

#include <optional>
#include <string>
#include <vector>

#include "link/DeviceTree.h"
#include "model/ProgramState.h"

namespace mx615 {

// The name the udev rule of dist/ is installed under.
extern const char* const kUdevRuleName;

// The group serial ports are given to where /etc/group does not say:
// Debian's.
inline const std::string kUsualSerialGroup = "dialout";

// The chip families of the table of cable chips, each once, in the table's
// order: "PL2303, CH340, CH341, FTDI and CP210x"; with brailleOnly, those
// that brltty takes for braille displays.
std::string ChipFamilies(bool brailleOnly);

// What helps a user who may not open port: joining the group whose members
// may open it (group; "" when its group may not either, nothing when it was
// not looked at), or the udev rule; serialGroup: the group serial ports are
// given to on this system.
Bilingual NotPermittedRemedy(const std::string& port, const std::optional<std::string>& group,
                             const std::string& serialGroup = kUsualSerialGroup);

// The steps that install the udev rule, ending with the replug.
std::string UdevRuleSteps();

// What the doctor knows of brltty and one cable.
struct BrlttyFacts {
    std::optional<UsbIds> ids = {};  // the cable's chip; nothing when no cable is known
    // The system's brltty rule files that take the chip by its vendor and
    // product ids, each with the lines that name them; empty when none does.
    struct RuleLines {
        std::string file = {};
        std::vector<int> lines = {};
    };
    std::vector<RuleLines> rules = {};
};

// The two ways out, each said to whom it applies: without a braille display
// brltty goes; with one it stays and only its rule for this cable's chip
// goes, where the system's rules take the chip by its ids (else its port is
// set in brltty's own settings).
std::string BrlttyRemedy(const BrlttyFacts& facts);

// ModemManager probing new serial ports; ruleInstalled: the udev rule keeps
// it off the known chips.
std::string ModemManagerRemedy(bool ruleInstalled);

}  // namespace mx615
