// mx615-cli doctor: what stands between the user and the radio, one finding
// a line. The system is only looked at; with --port the radio is asked for
// its first block by the clone read's own engine and plan.

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include "cli/Commands.h"
#include "cli/PortJob.h"
#include "link/CableChecks.h"
#include "link/ClonePlans.h"
#include "link/PortAdvice.h"
#include "link/PortTable.h"
#include "link/QtCommControl.h"
#include "link/QtTimers.h"
#include "link/SystemChecks.h"

namespace mx615::cli {

namespace {

UserIdentity thisUser()
{
    UserIdentity user;
    user.uid = ::getuid();
    if (const passwd* entry = ::getpwuid(user.uid))
        user.name = entry->pw_name;
    std::vector<gid_t> groups(std::size_t(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(std::size_t(std::max(::getgroups(int(groups.size()), groups.data()), 0)));
    user.groups.assign(groups.begin(), groups.end());
    user.groups.push_back(::getgid());
    return user;
}

// The one-block read: the identification, the 06 both ways, the request for
// block 1 and its acknowledgement, the end byte.
Finding probe(const PortName& port, bool quiet)
{
    QtTimerFactory timers;
    ProgramState scratch;
    PortJob job(port, {{"asking the radio", ProbePlan, &scratch}}, timers);
    job.pointToDoctor = false;   // the user is running it
    RunJobs({&job}, ProgressWanted(quiet));
    const std::string name = port.shown();
    if (job.succeeded())
        return {Finding::Ok, "a radio answered on " + name + ": identification " + job.ident() +
                                 ", and sent its first block (0x000..0x03F); nothing was written."};
    if (job.interrupted())
        return {Finding::Problem, "the look at the radio on " + name + " was interrupted (Ctrl+C). Run the doctor "
                                  "again to let it finish."};
    if (job.portFailed())
        return {Finding::Problem, name + ": " + job.failure() + " " + job.advice()};
    if (!job.ident().empty())
        return {Finding::Problem, "a device answered on " + name + " with the identification " + job.ident() +
                                      " but did not acknowledge the programming request (" + job.failure() +
                                      "). Switch the radio off and on again and run the doctor once more."};
    if (job.heardOther())
        return {Finding::Problem, "unexpected bytes came back on " + name + ": another device is on this port, or "
                                  "the radio is not an MX-615. Check which port the cable is on (mx615-cli ports)."};
    return {Finding::Problem, "no answer on " + name + ". Check that the radio is switched on, that the cable is "
                              "plugged fully into the radio and the computer, and that " + name +
                              " is the cable's port (mx615-cli ports)."};
}

}  // namespace

int RunDoctor(const CliArgs& args, const std::string& root)
{
    const SystemChecks checks(root, thisUser());
    // The table the windows and every transfer number their ports by.
    const std::vector<PortEntry> table = MachinePortTable(checks.devices());
    QStringList tableEntries;
    for (const PortEntry& entry : table)
        tableEntries << QString::fromStdString(entry.path);
    bool problem = false;
    auto say = [&](const std::vector<Finding>& findings) {
        for (const Finding& finding : findings) {
            std::printf("%s\n", finding.line().c_str());
            problem = problem || finding.level == Finding::Problem;
        }
        std::fflush(stdout);
    };
    say(checks.portTable(table));
    if (args.ports.empty())
        say(CableChecks(checks).cables(table));
    std::vector<std::string> devices = PortPaths(table);
    std::vector<PortEntry> adapters = table;
    std::optional<PortName> named;
    if (!args.ports.empty()) {
        named = ResolvePort(args.ports.front(), tableEntries);
        devices.clear();
        if (named->device.empty()) {
            // The transfers' words, begun in lower case as every finding is.
            std::string text = PortOpenAdviceCli({.error = PortError::NoSuchPort}, named->commPort, {}, false);
            text[0] = char(std::tolower(static_cast<unsigned char>(text[0])));
            say({{Finding::Problem, text}});
        }        else   // a bare name is a device under /dev, as the serial port takes it
            devices.push_back(named->device.front() == '/' ? named->device : "/dev/" + named->device);
    }
    bool present = false;
    for (const std::string& device : devices) {
        const std::vector<Finding> found = checks.port(device);
        present = found.front().level == Finding::Ok;
        say(found);
        if (!args.ports.empty())
            adapters.push_back(DescribePort(device, checks.devices()));
    }
    say(checks.services(adapters));
    if (named && present) {
        InterruptScope interrupts;
        say({probe(*named, args.quiet)});
    }
    return problem ? kRadioFailed : kDone;
}

}  // namespace mx615::cli
