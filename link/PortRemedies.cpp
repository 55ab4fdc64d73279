#include "link/PortRemedies.h"

#include <algorithm>

#include "link/CableChips.h"

namespace mx615 {

const char* const kUdevRuleName = "70-mx615.rules";

std::string ChipFamilies(bool brailleOnly)
{
    std::vector<std::string> families;
    for (const CableChip& chip : CableChips())
        if ((!brailleOnly || BrailleDriverClaims(chip.family)) &&
            std::find(families.begin(), families.end(), chip.family) == families.end())
            families.push_back(chip.family);
    std::string text;
    for (std::size_t i = 0; i < families.size(); ++i)
        text += (i == 0 ? "" : i + 1 == families.size() ? " and " : ", ") + families[i];
    return text;
}

Bilingual NotPermittedRemedy(const std::string& port, const std::optional<std::string>& group,
                             const std::string& serialGroup)
{
    const std::string rule = std::string("dist/") + kUdevRuleName;
    // A device not looked at is taken to be in the serial ports' group.
    const std::string joined = group.value_or(serialGroup);
    if (joined.empty())
        return {"Install the udev rule " + rule + ", which lets the user at the console open programming cables, or "
                    "ask an administrator to give " + port + " to the " + serialGroup + " group.",
                "请安装 udev 规则 " + rule + " (它允许控制台前的用户打开写频线)，或请管理员把 " + port + " 交给 " +
                    serialGroup + " 组。"};
    return {"Join the " + joined + " group (sudo usermod -aG " + joined + " $USER) and log in again, or install the "
                "udev rule " + rule + ".",
            "请加入 " + joined + " 组 (sudo usermod -aG " + joined + " $USER) 后重新登录，或安装 udev 规则 " + rule + "。"};
}

std::string UdevRuleSteps()
{
    return std::string("sudo cp dist/") + kUdevRuleName +
           " /etc/udev/rules.d/ && sudo udevadm control --reload && sudo udevadm trigger, then replug the cable.";
}

std::string BrlttyRemedy(const BrlttyFacts& facts)
{
    const std::string remove = "If you use no braille display, remove brltty (sudo apt-get remove brltty), then "
                               "unplug and replug the cable.";
    if (!facts.ids)
        return remove + " If you read with a braille display, keep brltty: plug the cable in and run the doctor "
                        "again, and it names what to change so that brltty leaves that cable alone.";
    const std::string ids = UsbIdText(facts.ids->first, facts.ids->second);
    if (facts.rules.empty())
        return remove + " If you read with a braille display, keep brltty: no brltty rule of this system names " + ids +
               ", so what takes the cable is brltty's own search for a display. In /etc/brltty.conf set "
               "braille-device to your display's own port instead of usb: or auto, then restart brltty (sudo "
               "systemctl restart brltty) and replug the cable.";
    std::string text = remove + " If you read with a braille display, keep brltty and stop it from taking this "
                                "cable's chip only: the system's brltty rules take " + ids +
                       " by its vendor and product ids (";
    std::string steps;
    for (std::size_t i = 0; i < facts.rules.size(); ++i) {
        const BrlttyFacts::RuleLines& rule = facts.rules[i];
        const std::string name = rule.file.substr(rule.file.find_last_of('/') + 1);
        const std::string local = "/etc/udev/rules.d/" + name;
        std::string lines, deletes;
        for (const int line : rule.lines) {
            lines += (lines.empty() ? "" : ", ") + std::to_string(line);
            deletes += std::to_string(line) + "d;";
        }
        deletes.pop_back();
        text += (i ? "; " : "") + rule.file + (rule.lines.size() == 1 ? " line " : " lines ") + lines;
        // A file of the same name in /etc/udev/rules.d takes the place of the
        // system's, and a package update leaves it alone.
        if (rule.file != local)
            steps += "sudo cp " + rule.file + " " + local + " && ";
        steps += "sudo sed -i '" + deletes + "' " + local + " && ";
    }
    return text + "). Copy the rules without those lines to /etc/udev/rules.d, where they take the place of the "
                  "system's: " + steps + "sudo udevadm control --reload, then unplug and replug the cable.";
}

std::string ModemManagerRemedy(bool ruleInstalled)
{
    if (ruleInstalled)
        return std::string("ModemManager is running and may probe a new serial port with modem commands; the installed "
                           "udev rule ") + kUdevRuleName + " keeps it away from the cable chips it knows. For another "
                           "adapter: sudo systemctl stop ModemManager";
    return std::string("ModemManager is running and may probe a new serial port with modem commands. Install the udev "
                       "rule (sudo cp dist/") + kUdevRuleName + " /etc/udev/rules.d/), or stop it: sudo systemctl stop "
                       "ModemManager";
}

}  // namespace mx615
