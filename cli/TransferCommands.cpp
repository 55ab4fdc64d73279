// The commands that talk to radios: read, write (one radio or a fleet),
// verify, the adjustment exchange, and the list of ports.

#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

#include "adjust/AdjustPlans.h"
#include "adjust/AdjustTable.h"
#include "adjust/AdjustTexts.h"
#include "cli/Commands.h"
#include "cli/PortJob.h"
#include "files/AdjFile.h"
#include "files/ImageDiff.h"
#include "files/ImageFile.h"
#include "link/ClonePlans.h"
#include "link/LinkTexts.h"
#include "link/QtCommControl.h"
#include "link/QtTimers.h"
#include "model/StartupState.h"

namespace mx615::cli {

namespace {

constexpr int kWrittenLines = 49;   // a clone write sends lines 0..48, 0x000..0x30F

bool showProgress(const CliArgs& args)
{
    return !args.quiet && ::isatty(STDERR_FILENO);
}

// The folder a file is to be written into must exist before a radio is read
// for it; the write itself reports every other fault.
bool folderExists(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty() || std::filesystem::is_directory(folder, ec))
        return true;
    Complain(path + ": the folder " + folder.string() + " does not exist; nothing was read.");
    return false;
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
    Complain(job.port().shown() + ": " + job.failure());
    if (!job.advice().empty())
        std::fprintf(stderr, "  %s\n", job.advice().c_str());
}

// Lists where the radio differs from the file over what a write sends.
bool reportDifferences(const PortJob& job, const ProgramState& file, const ProgramState& radio,
                       const std::string& path)
{
    const auto changes = RawChanges(file, radio, {kWrittenLines, false}, false);
    if (changes.empty())
        return false;
    std::printf("%s: the radio differs from %s at %zu addresses (file -> radio):\n", job.port().shown().c_str(),
                path.c_str(), changes.size());
    for (const std::string& line : changes)
        std::printf("  %s\n", line.c_str());
    return true;
}

// One transfer on one port; a failure is reported.
bool runOne(const CliArgs& args, PortJob& job)
{
    RunJobs({&job}, showProgress(args));
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
    if (!folderExists(args.output))
        return kFileFailed;
    ProgramState state;
    FillStartupState(state, {.tables = false, .image = false});
    PortJob job(port, {{"reading", adjustment ? AdjustReadPlan : ReadPlan, &state}}, timers);
    if (!runOne(args, job))
        return kRadioFailed;
    if (auto fault = save(state, args.output)) {
        ComplainAbout(args.output, *fault);
        return kFileFailed;
    }
    const Bilingual& done = adjustment ? AdjustTexts::ReadComplete : LinkTexts::ReadComplete;
    std::printf("%s: %s Saved as %s.\n", port.shown().c_str(), done.en.c_str(), args.output.c_str());
    return kDone;
}

// write (with or without the read back) and verify, on one port or several.
int writeOrVerify(const CliArgs& args, const std::vector<PortName>& ports, QtTimerFactory& timers)
{
    const std::string& path = args.files.front();
    ProgramState file;
    if (auto fault = LoadRadioFile(file, path)) {
        ComplainAbout(path, *fault);
        return kFileFailed;
    }
    const bool write = args.command == "write";
    const bool readBack = !write || args.verify;
    struct Radio {
        ProgramState image;   // what is written
        ProgramState read;    // what the radio holds afterwards
        std::unique_ptr<PortJob> job;
    };
    std::vector<std::unique_ptr<Radio>> radios;
    std::vector<PortJob*> jobs;
    for (const PortName& port : ports) {
        auto radio = std::make_unique<Radio>();
        radio->image = file;
        std::vector<Step> steps;
        if (write)
            steps.push_back({"writing", WritePlan, &radio->image});
        if (readBack)
            steps.push_back({"verifying", ReadPlan, &radio->read});
        radio->job = std::make_unique<PortJob>(port, std::move(steps), timers);
        jobs.push_back(radio->job.get());
        radios.push_back(std::move(radio));
    }
    RunJobs(jobs, showProgress(args));

    int failed = 0, different = 0;
    std::string good, bad;
    for (const auto& radio : radios) {
        const PortJob& job = *radio->job;
        const std::string name = job.port().shown();
        if (!job.succeeded()) {
            reportFailure(job);
            ++failed;
            bad += (bad.empty() ? "" : ", ") + name;
        } else if (readBack && reportDifferences(job, file, radio->read, path)) {
            ++different;
            bad += (bad.empty() ? "" : ", ") + name;
        } else {
            std::printf("%s: %s\n", name.c_str(),
                        !write      ? "the radio holds what the file holds (0x000..0x30F)."
                        : readBack ? (LinkTexts::WriteComplete.en + " Read back: the radio holds the file.").c_str()
                                   : LinkTexts::WriteComplete.en.c_str());
            good += (good.empty() ? "" : ", ") + name;
        }
    }
    if (ports.size() > 1) {
        const char* done = !write ? "verified" : readBack ? "written and verified" : "written";
        std::string summary = std::to_string(ports.size() - std::size_t(failed + different)) + " of " +
                              std::to_string(ports.size()) + " radios " + done;
        summary += good.empty() ? "." : ": " + good + ".";
        if (!bad.empty())
            summary += " Failed: " + bad + ".";
        std::printf("%s\n", summary.c_str());
    }
    if (failed)
        return kRadioFailed;
    return different ? kDifferent : kDone;
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

int listPorts()
{
    const std::vector<PortEntry> table = DescribedPortTable();
    if (table.empty())
        std::printf("No serial ports found. Plug in the programming cable, or name the devices in MX615_PORTS "
                    "(MX615_PORTS=/dev/ttyUSB0:/dev/ttyS0).\n");
    for (std::size_t n = 1; n <= table.size(); ++n)
        std::printf("COM%zu  %s\n", n, PortDeviceText(table, int(n), false).c_str());
    return kDone;
}

}  // namespace

int RunTransferCommand(const CliArgs& args)
{
    if (args.command == "ports")
        return listPorts();
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
    return writeOrVerify(args, ports, timers);
}

}  // namespace mx615::cli
