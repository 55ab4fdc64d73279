// The commands that talk to radios: read, write (one radio or a fleet),
// verify, the adjustment exchange, and the list of ports.

#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "adjust/AdjustPlans.h"
#include "adjust/AdjustTable.h"
#include "adjust/AdjustTexts.h"
#include "cli/Commands.h"
#include "cli/PortJob.h"
#include "cli/RunLog.h"
#include "cli/WriteRun.h"
#include "files/AdjFile.h"
#include "files/ImageDiff.h"
#include "files/ImageFile.h"
#include "link/ClonePlans.h"
#include "link/LinkTexts.h"
#include "link/QtCommControl.h"
#include "link/QtTimers.h"
#include "model/Fingerprint.h"
#include "model/StartupState.h"

namespace mx615::cli {

namespace {

// A file a read will save is checked before the radio is asked for a byte:
// its folder must exist and take a new file, and the name must not be a
// folder or a device. A whole read is not to end in "cannot be written".
bool outputWritable(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        Complain(path + ": the folder " + folder.string() + " does not exist; nothing was read.");
        return false;
    }
    if (auto fault = RefuseNonRegularFile(path, true)) {
        ComplainAbout(path, *fault);
        Complain("Nothing was read.");
        return false;
    }
    // The save makes a file beside the target and renames it over.
    const std::string place = folder.empty() ? std::string(".") : folder.string();
    if (const auto fault = FolderWriteFault(place)) {
        Complain(path + ": the folder " + place + " cannot be written: " + *fault + "; nothing was read.");
        return false;
    }
    return true;
}

// The ports of the command line, each once.
bool resolvePorts(const CliArgs& args, std::vector<PortName>& ports)
{
    const QStringList table = PortTableEntries();
    std::map<std::string, std::string> seen;   // device or name -> as given
    for (const std::string& given : args.ports) {
        PortName port = ResolvePort(given, table);
        const std::string key = port.device.empty() ? port.given : port.device;
        if (const auto it = seen.find(key); it != seen.end()) {
            Complain("the ports " + it->second + " and " + given + " are the same device (" + key +
                     "); give each radio's port once.");
            return false;
        }
        seen.emplace(key, given);
        ports.push_back(port);
    }
    return true;
}

void reportFailure(const PortJob& job)
{
    Complain(job.port().shown() + ": " + job.account());
    if (!job.advice().empty())
        std::fprintf(stderr, "  %s\n", job.advice().c_str());
}

// One transfer on one port; a failure is reported.
bool runOne(const CliArgs& args, PortJob& job)
{
    RunJobs({&job}, ProgressWanted(args.quiet));
    if (job.succeeded())
        return true;
    reportFailure(job);
    return false;
}

using Saver = std::optional<FileError> (*)(const ProgramState&, const std::string&);

// A read whose tables are then saved: the clone read into a .chann or .img
// file, or the service window's adjustment read into a .adj file.
int readAndSave(const CliArgs& args, const PortName& port, QtTimerFactory& timers, bool adjustment, Saver save)
{
    if (!OutputNamed(args.output, adjustment ? OutputKind::Adjustment : OutputKind::Radio))
        return kUsage;
    if (const int status = LogStatus(args.log); status != kDone)
        return status;
    if (!outputWritable(args.output))
        return kFileFailed;
    ProgramState state, again;
    FillStartupState(state, {.tables = false, .image = false});
    FillStartupState(again, {.tables = false, .image = false});
    std::vector<Step> steps{{"reading", adjustment ? AdjustReadPlan : ReadPlan, &state}};
    if (args.check)
        steps.push_back({"reading again", ReadPlan, &again});
    PortJob job(port, std::move(steps), timers);
    RunLog log(args.log);
    if (!runOne(args, job)) {
        LogRadio(log, job, args.output, "failed", {}, job.account());
        return LoggedRunStatus(log, kRadioFailed);
    }
    if (args.check) {
        // No checksum guards the replies: a byte a noisy line changed shows
        // only as a second read that differs.
        const auto differences = RawChanges(state, again, {kRadioLines, false}, false);
        if (!differences.empty()) {
            Complain(port.shown() + ": the two reads differ at " + std::to_string(differences.size()) +
                     (differences.size() == 1 ? " address" : " addresses") +
                     " (first read -> second read); the line is unreliable, so nothing was saved:");
            for (std::size_t i = 0; i < differences.size() && i < 8; ++i)
                std::fprintf(stderr, "  %s\n", differences[i].c_str());
            if (differences.size() > 8)
                std::fprintf(stderr, "  ... and %zu more\n", differences.size() - 8);
            std::fprintf(stderr, "  Check the cable and read again.\n");
            LogRadio(log, job, args.output, "failed", {},
                     "the two reads differ at " + std::to_string(differences.size()) + " addresses; nothing was saved");
            return LoggedRunStatus(log, kRadioFailed);
        }
    }
    if (auto fault = save(state, args.output)) {
        ComplainAbout(args.output, *fault);
        LogRadio(log, job, args.output, "failed", {}, fault->text.en);
        return LoggedRunStatus(log, kFileFailed);
    }
    LogRadio(log, job, args.output, "read", {}, {});
    const Bilingual& done = adjustment ? AdjustTexts::ReadComplete : LinkTexts::ReadComplete;
    std::printf("%s: %s%s Saved as %s.\n", port.shown().c_str(), done.en.c_str(),
                args.check ? " Read twice, the same both times." : "", args.output.c_str());
    if (!adjustment)
        std::printf("%s: %s\n", port.shown().c_str(), FingerprintLine(state, false).c_str());
    return LoggedRunStatus(log, kDone);
}

// The service window's Write, with the file's lines 0..6 in a start-up table.
int adjustWrite(const CliArgs& args, const PortName& port, QtTimerFactory& timers)
{
    const std::string& path = args.files.front();
    ProgramState state;
    FillStartupState(state, {.tables = false, .image = false});
    if (auto fault = LoadAdjustFile(state, path)) {
        ComplainAbout(path, *fault);
        return kFileFailed;
    }
    ResetAdjustLine7Tail(state);
    PortJob job(port, {{"writing", AdjustWritePlan, &state}}, timers);
    if (!runOne(args, job))
        return kRadioFailed;
    std::printf("%s: %s\n", port.shown().c_str(), AdjustTexts::WriteComplete.en.c_str());
    return kDone;
}

}  // namespace

int ListPorts(const DeviceTree& devices)
{
    const std::vector<PortEntry> table = DescribedPortTable(devices);
    if (table.empty())
        std::printf("No serial ports found. Plug in the programming cable, or name the devices in MX615_PORTS "
                    "(MX615_PORTS=/dev/ttyUSB0:/dev/ttyS0).\n");
    for (std::size_t n = 1; n <= table.size(); ++n)
        std::printf("COM%zu  %s\n", n, PortDeviceText(table, int(n), false).c_str());
    return kDone;
}

int RunTransferCommand(const CliArgs& args)
{
    if (args.command == "ports")
        return ListPorts(DeviceTree());
    std::vector<PortName> ports;
    if (!resolvePorts(args, ports))
        return kUsage;
    QtTimerFactory timers;
    if (args.command == "read")
        return readAndSave(args, ports.front(), timers, false, SaveRadioFile);
    if (args.command == "adjust-read")
        return readAndSave(args, ports.front(), timers, true, SaveAdjustFile);
    if (args.command == "adjust-write")
        return adjustWrite(args, ports.front(), timers);
    return RunWriteOrVerify(args, ports, timers);
}

}  // namespace mx615::cli
