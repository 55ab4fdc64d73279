#include "cli/WriteRun.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "cli/Commands.h"
#include "files/ImageDiff.h"
#include "files/ImageFile.h"
#include "files/PlanFile.h"
#include "link/ClonePlans.h"
#include "link/LinkTexts.h"
#include "model/Fingerprint.h"

namespace mx615::cli {

namespace {

constexpr std::size_t kLoggedDifferences = 3;

enum class Result { Done, Differs, Failed };

struct Radio {
    int number = 0;   // in a --repeat run, from 1
    ProgramState image;    // what is written
    ProgramState read;     // what the radio holds afterwards
    ProgramState before;   // what it held before (--backup)
    std::string backup;    // the backup's file name, once saved
    bool backupUnsaved = false;   // read, but it could not be saved
    std::unique_ptr<PortJob> job;
    Result result = Result::Failed;
    std::vector<std::string> differences;
};

class WriteRun {
public:
    WriteRun(const CliArgs& args, const ProgramState& file, TimerFactory& timers)
        : args_(args), path_(args.files.front()), file_(file), timers_(timers), log_(args.log)
    {
    }

    const RunLog& log() const { return log_; }

    bool writing() const { return args_.command == "write"; }
    bool readBack() const { return !writing() || args_.verify; }

    std::unique_ptr<Radio> prepare(const PortName& port, int number)
    {
        auto radio = std::make_unique<Radio>();
        Radio* r = radio.get();
        r->number = number;
        r->image = file_;
        std::vector<Step> steps;
        if (writing() && !args_.backup.empty())
            steps.push_back({"backing up", ReadPlan, &r->before, [this, r] { return saveBackup(*r); }});
        if (writing())
            steps.push_back({"writing", WritePlan, &r->image});
        if (readBack())
            steps.push_back({"verifying", ReadPlan, &r->read});
        r->job = std::make_unique<PortJob>(port, std::move(steps), timers_);
        r->job->whenEnded = [this, r] { judge(*r); };
        return radio;
    }

    // Prints what became of the radio, under the name given.
    void show(const Radio& r, const std::string& name) const
    {
        const PortJob& job = *r.job;
        if (r.result == Result::Failed) {
            Complain(name + ": " + job.failure());
            if (!job.advice().empty())
                std::fprintf(stderr, "  %s\n", job.advice().c_str());
            // Said once: a backup that could not be saved and a job stopped
            // from this side say it in their own words.
            if (job.stepVerb() == "backing up" && !r.backupUnsaved && !job.stopped())
                std::fprintf(stderr, "  Its backup could not be made, so nothing was written to it.\n");
        } else if (r.result == Result::Differs) {
            std::printf("%s: the radio differs from %s at %zu addresses (file -> radio):\n", name.c_str(),
                        path_.c_str(), r.differences.size());
            for (const std::string& line : r.differences)
                std::printf("  %s\n", line.c_str());
        } else {
            std::printf("%s: %s\n", name.c_str(),
                        !writing()  ? "the radio holds what the file holds (0x000..0x30F)."
                        : readBack() ? (LinkTexts::WriteComplete.en + " Read back: the radio holds the file.").c_str()
                                     : LinkTexts::WriteComplete.en.c_str());
        }
        if (!writing() && r.result != Result::Failed)
            std::printf("%s: %s\n", name.c_str(), FingerprintLine(r.read, false).c_str());
        if (!r.backup.empty())
            std::printf("%s: backup saved as %s\n", name.c_str(),
                        (std::filesystem::path(args_.backup) / r.backup).c_str());
    }

    const char* doneWord() const { return !writing() ? "verified" : readBack() ? "written and verified" : "written"; }

private:
    std::string saveBackup(Radio& r)
    {
        std::optional<FileError> fault;
        const std::string name = BackupName(std::time(nullptr), r.job->port().device, r.number);
        const std::string saved = SaveBackup(r.before, args_.backup, name, fault);
        r.backupUnsaved = fault.has_value();
        if (fault)
            return "the backup could not be saved (" + fault->text.en + "); nothing was written to the radio.";
        r.backup = saved;
        return {};
    }

    // Decides the radio's result and logs its row, as soon as it ends.
    void judge(Radio& r)
    {
        const PortJob& job = *r.job;
        std::string message;
        if (!job.succeeded()) {
            r.result = Result::Failed;
            const std::string& verb = job.stepVerb();
            if (job.interrupted())
                message = verb == "writing" && job.wroteToRadio() ? "interrupted: holds part of " + path_
                          : verb == "verifying" ? "interrupted: written, not verified"
                                                : "interrupted: not written";
            else
                message = verb == "backing up" && !r.backupUnsaved
                              ? job.failure() + " (reading the backup; nothing was written)"
                              : job.failure();
        } else if (readBack() &&
                   !(r.differences = RawChanges(file_, r.read, {kWrittenLines, false}, false)).empty()) {
            r.result = Result::Differs;
            message = std::to_string(r.differences.size()) + " addresses differ (file -> radio): ";
            for (std::size_t i = 0; i < r.differences.size() && i < kLoggedDifferences; ++i)
                message += (i ? "; " : "") + r.differences[i];
        } else {
            r.result = Result::Done;
            message = readBack() || !writing() ? "" : "not verified";
        }
        static const char* const kWords[] = {"written", "differs", "failed"};
        LogRadio(log_, job, path_, kWords[int(r.result)], r.backup, message);
    }

    const CliArgs& args_;
    const std::string& path_;
    const ProgramState& file_;
    TimerFactory& timers_;
    RunLog log_;
};

struct Tally {
    int done = 0, differs = 0, failed = 0;
    void add(Result result) { ++(result == Result::Done ? done : result == Result::Differs ? differs : failed); }
    int exit() const { return failed ? kRadioFailed : differs ? kDifferent : kDone; }
};

// Radio after radio on one port, until q, the end of input or Ctrl+C.
int repeatRun(const CliArgs& args, WriteRun& run, const PortName& port)
{
    InterruptScope interrupts;
    Tally tally;
    for (int number = 1; !Interrupted(); ++number) {
        std::unique_ptr<Radio> radio = run.prepare(port, number);
        RunJobs({radio->job.get()}, ProgressWanted(args.quiet));
        run.show(*radio, "radio " + std::to_string(number) + " on " + port.shown());
        tally.add(radio->result);
        if (Interrupted())
            break;
        std::optional<std::string> answer;
        do {
            std::fprintf(stderr, "Next radio on %s: connect it, switch it on and press Enter (q and Enter to finish)",
                         port.shown().c_str());
            std::fflush(stderr);
            std::fflush(stdout);
            answer = ReadAnswer();
            if (!::isatty(STDIN_FILENO))
                std::fprintf(stderr, "\n");
        } while (answer && !answer->empty() && *answer != "q" && *answer != "Q");
        if (!answer || !answer->empty())
            break;
    }
    if (Interrupted())
        std::fprintf(stderr, "\nInterrupted (Ctrl+C): the run ends.\n");
    const int radios = tally.done + tally.differs + tally.failed;
    std::printf("%d radio%s: %d %s, %d differed, %d failed.\n", radios, radios == 1 ? "" : "s", tally.done,
                run.doneWord(), tally.differs, tally.failed);
    return LoggedRunStatus(run.log(), Interrupted() ? kRadioFailed : tally.exit());
}

}  // namespace

bool LogUsable(const std::string& path)
{
    if (path.empty())
        return true;
    if (const auto reason = RunLog(path).check()) {
        Complain(*reason + " No radio was touched.");
        return false;
    }
    return true;
}

void LogRadio(RunLog& log, const PortJob& job, const std::string& file, const std::string& result,
              const std::string& backup, const std::string& message)
{
    if (log.path().empty())
        return;
    const LogRow row{job.port().given, job.port().device, job.ident(), file, result, backup, message};
    if (const auto reason = log.append(row, std::time(nullptr)))
        Complain(log.path() + ": the row of " + job.port().shown() + " could not be written: " + *reason + ".");
}

int LoggedRunStatus(const RunLog& log, int status)
{
    if (log.unwritten() == 0)
        return status;
    Complain(log.path() + ": " + std::to_string(log.unwritten()) + " of " + std::to_string(log.rows()) +
             (log.rows() == 1 ? " row" : " rows") + " could not be written; the log of this run is incomplete.");
    return status == kDone || status == kDifferent ? kRadioFailed : status;
}

int RunWriteOrVerify(const CliArgs& args, const std::vector<PortName>& ports, TimerFactory& timers)
{
    const std::string& path = args.files.front();
    ProgramState file;
    PlanDetails plan;
    if (!LoadPlanForCommand(file, path, args, &plan))
        return kFileFailed;
    if (args.command == "write")
        for (const std::string& note : plan.notes)
            Complain(path + ": " + note);
    if (const auto fault = args.backup.empty() ? std::nullopt : BackupFolderFault(args.backup)) {
        Complain(*fault + "; nothing was written.");
        return kFileFailed;
    }
    if (!LogUsable(args.log))
        return kFileFailed;
    WriteRun run(args, file, timers);
    if (args.repeat)
        return repeatRun(args, run, ports.front());

    std::vector<std::unique_ptr<Radio>> radios;
    std::vector<PortJob*> jobs;
    for (const PortName& port : ports) {
        radios.push_back(run.prepare(port, int(radios.size()) + 1));
        jobs.push_back(radios.back()->job.get());
    }
    RunJobs(jobs, ProgressWanted(args.quiet));

    Tally tally;
    std::string lists[3];   // by Result: done, differed, failed
    for (const auto& radio : radios) {
        const std::string name = radio->job->port().shown();
        run.show(*radio, name);
        tally.add(radio->result);
        std::string& list = lists[int(radio->result)];
        list += (list.empty() ? "" : ", ") + name;
    }
    if (ports.size() > 1) {
        std::string summary = std::to_string(tally.done) + " of " + std::to_string(ports.size()) + " radios " +
                              run.doneWord();
        summary += lists[0].empty() ? "." : ": " + lists[0] + ".";
        if (!lists[1].empty())
            summary += " Differed: " + lists[1] + ".";
        if (!lists[2].empty())
            summary += " Failed: " + lists[2] + ".";
        std::printf("%s\n", summary.c_str());
    }
    return LoggedRunStatus(run.log(), tally.exit());
}

}  // namespace mx615::cli
