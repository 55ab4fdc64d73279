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
    ProgramState before;   // what it held before (--backup, or a CSV laid over it)
    std::string backup;    // the backup's file name, once saved
    bool backupUnsaved = false;   // read, but it could not be saved
    bool absent = false;   // --repeat: nothing answered, so no radio was there to count
    std::unique_ptr<PortJob> job;
    Result result = Result::Failed;
    std::vector<std::string> differences;   // address by address
    std::vector<std::string> described;     // in the words of diff
};

class WriteRun {
public:
    WriteRun(const CliArgs& args, const ProgramState& file, const PlanDetails& plan, TimerFactory& timers)
        : args_(args), path_(args.files.front()), file_(file), timers_(timers), log_(args.log),
          overRadio_(plan.kind == PlanKind::Csv && args.base.empty()), channels_(ChannelRanges(plan.channels))
    {
    }

    // A CSV holds channels only: without --base its channels go over what
    // each radio holds, read first, and every radio keeps its own settings.
    bool overRadio() const { return overRadio_; }

    const RunLog& log() const { return log_; }

    bool writing() const { return args_.command == "write"; }
    bool readBack() const { return !writing() || args_.verify; }

    std::unique_ptr<Radio> prepare(const PortName& port, int number)
    {
        auto radio = std::make_unique<Radio>();
        Radio* r = radio.get();
        r->number = number;
        r->image = file_;
        r->read = file_;   // the tables the comparison words its differences with
        std::vector<Step> steps;
        const bool backup = writing() && !args_.backup.empty();
        if (backup || (writing() && overRadio_))
            steps.push_back({backup ? "backing up" : "reading first", ReadPlan, &r->before, [this, r, backup] {
                                 std::string failure = backup ? saveBackup(*r) : std::string();
                                 return failure.empty() && overRadio_ ? layOver(*r, r->before) : failure;
                             }});
        if (writing())
            steps.push_back({"writing", WritePlan, &r->image});
        if (readBack())
            steps.push_back({"verifying", ReadPlan, &r->read, [this, r] {
                                 // Verifying a CSV compares its channels only.
                                 return !writing() && overRadio_ ? layOver(*r, r->read) : std::string();
                             }});
        r->job = std::make_unique<PortJob>(port, std::move(steps), timers_);
        r->job->whenEnded = [this, r] { judge(*r); };
        return radio;
    }

    // Prints what became of the radio, under the name given.
    void show(const Radio& r, const std::string& name) const
    {
        const PortJob& job = *r.job;
        if (r.result == Result::Failed) {
            Complain(name + ": " + job.account());
            if (!job.advice().empty())
                std::fprintf(stderr, "  %s\n", job.advice().c_str());
            if (job.partlyWritten() && !r.backup.empty())
                std::fprintf(stderr, "  Or put it back as it was: mx615-cli write --port %s %s\n",
                             job.port().given.c_str(), (std::filesystem::path(args_.backup) / r.backup).c_str());
        } else if (r.result == Result::Differs) {
            // What differs as diff says it, then where.
            std::printf("%s: the radio differs from %s (file -> radio):\n", name.c_str(), path_.c_str());
            for (const std::string& line : r.described)
                std::printf("  %s\n", line.c_str());
            std::printf("  at %zu address%s:\n", r.differences.size(), r.differences.size() == 1 ? "" : "es");
            for (const std::string& line : r.differences)
                std::printf("    %s\n", line.c_str());
        } else {
            std::printf("%s: %s\n", name.c_str(),
                        !writing()  ? "the radio holds what the file holds (0x000..0x30F)."
                        : readBack() ? (LinkTexts::WriteComplete.en + " Read back: the radio holds the file.").c_str()
                                     : LinkTexts::WriteComplete.en.c_str());
        }
        if (overRadio_ && r.result == Result::Done)
            std::printf("%s: %s\n", name.c_str(), keptLine().c_str());
        if (!writing() && r.result != Result::Failed)
            std::printf("%s: %s\n", name.c_str(), FingerprintLine(r.read, false).c_str());
        if (!r.backup.empty())
            std::printf("%s: backup saved as %s\n", name.c_str(),
                        (std::filesystem::path(args_.backup) / r.backup).c_str());
    }

    // The line under a radio that took a CSV over its own settings.
    std::string keptLine() const
    {
        return writing() ? "channels " + channels_ + " from " + path_ + "; the radio's own settings kept."
                         : "channels " + channels_ + " of " + path_ + " compared; the radio's other settings were not.";
    }

    const char* doneWord() const { return !writing() ? "verified" : readBack() ? "written and verified" : "written"; }

private:
    // r.image becomes radio with the CSV's channels over it, read by the
    // loader that read the file (the file was taken whole once already).
    std::string layOver(Radio& r, const ProgramState& radio)
    {
        r.image.RadioImage = radio.RadioImage;
        if (const auto fault = LoadPlanFile(r.image, path_, args_.skipBad))
            return "the channels could not be laid over the radio's settings (" + PlanFaultText(*fault, r.image).en +
                   "); nothing was written to the radio.";
        return {};
    }

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
        // In a run of radios, Enter with no radio on the cable is no radio.
        if (args_.repeat && job.noAnswer()) {
            r.absent = true;
            return;
        }
        std::string message;
        if (!job.succeeded()) {
            r.result = Result::Failed;
            const std::string& verb = job.stepVerb();
            if (job.interrupted())
                message = verb == "writing" && job.wroteToRadio() ? "interrupted: partly written (holds part of " + path_ + ")"
                          : verb == "verifying" ? "interrupted: written, not verified"
                                                : "interrupted: not written";
            else
                message = verb == "backing up" && !r.backupUnsaved
                              ? job.account() + " (reading the backup)"
                              : job.account();
        } else if (readBack() &&
                   !(r.differences = RawChanges(r.image, r.read, {kWrittenLines, false}, false)).empty()) {
            r.result = Result::Differs;
            r.described = DescribeChanges(r.image, r.read, {kWrittenLines, false}, false);
            message = std::to_string(r.differences.size()) + " addresses differ (file -> radio): ";
            for (std::size_t i = 0; i < r.described.size() && i < kLoggedDifferences; ++i)
                message += (i ? "; " : "") + r.described[i];
            if (r.described.size() > kLoggedDifferences)
                message += "; ...";
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
    bool overRadio_ = false;
    std::string channels_;
};

struct Tally {
    int done = 0, differs = 0, failed = 0;
    void add(Result result) { ++(result == Result::Done ? done : result == Result::Differs ? differs : failed); }
    int exit() const { return failed ? kRadioFailed : differs ? kDifferent : kDone; }
};

// Radio after radio on one port, until q, the end of input, Ctrl+C or a stop signal.
int repeatRun(const CliArgs& args, WriteRun& run, const PortName& port)
{
    InterruptScope interrupts;
    Tally tally;
    for (int number = 1; !Interrupted();) {
        std::unique_ptr<Radio> radio = run.prepare(port, number);
        RunJobs({radio->job.get()}, ProgressWanted(args.quiet));
        const bool absent = radio->absent && !Interrupted();
        if (absent) {
            std::fprintf(stderr, "No radio answered on %s: nothing was written, and no radio is counted.\n",
                         port.shown().c_str());
        } else {
            run.show(*radio, "radio " + std::to_string(number) + " on " + port.shown());
            tally.add(radio->result);
            ++number;
        }
        if (Interrupted())
            break;
        std::optional<std::string> answer;
        do {
            std::fprintf(stderr, "%s radio on %s: connect it, switch it on and press Enter (q and Enter to finish)",
                         absent ? "Waiting for a" : "Next", port.shown().c_str());
            std::fflush(stderr);
            std::fflush(stdout);
            answer = ReadAnswer();
            if (!::isatty(STDIN_FILENO))
                std::fprintf(stderr, "\n");
        } while (answer && !answer->empty() && *answer != "q" && *answer != "Q");
        if (!answer || !answer->empty())
            break;
    }
    // Ctrl+C at the prompt, with no radio in hand, ends the run as q does; a
    // radio it broke off is counted as failed.
    if (Interrupted())
        std::fprintf(stderr, "\nInterrupted (%s): the run ends.\n", InterruptName().c_str());
    const int radios = tally.done + tally.differs + tally.failed;
    std::printf("%d radio%s: %d %s, %d differed, %d failed.\n", radios, radios == 1 ? "" : "s", tally.done,
                run.doneWord(), tally.differs, tally.failed);
    return LoggedRunStatus(run.log(), tally.exit());
}

}  // namespace

int LogStatus(const std::string& path)
{
    if (path.empty())
        return kDone;
    const RunLog log(path);
    if (const auto reason = log.check()) {
        Complain(*reason + " No radio was touched.");
        return kFileFailed;
    }
    // Rows appended to a plan or a channel list would ruin it: a wrong name,
    // as a mistyped -o is.
    if (const auto reason = log.foreign()) {
        Complain(*reason + " No radio was touched.");
        return kUsage;
    }
    return kDone;
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
    if (const int status = LogStatus(args.log); status != kDone)
        return status;
    WriteRun run(args, file, plan, timers);
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
