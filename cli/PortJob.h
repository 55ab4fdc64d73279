#pragma once
// One radio on one port: the windows' clone engine over the program's serial
// control, run through a list of steps (a write and then a read back, or a
// single read), each step on a fresh engine. Several jobs share one event
// loop, so a fleet of radios is programmed at the same time.

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/CloneLink.h"
#include "link/LinkTimer.h"
#include "model/ProgramState.h"

namespace mx615::cli {

// A port as the user named it: "COMn" is entry n of the port table, anything
// else is a device path.
struct PortName {
    std::string given;
    int commPort = 0;     // n of COMn; 0 for a path
    std::string device;   // the path, or what COMn stands for (empty: nothing)
    // "COM1 (/dev/pts/3)", or the path.
    std::string shown() const;
};
PortName ResolvePort(const std::string& given, const QStringList& table);

struct Step {
    std::string verb;   // "writing", "reading", "verifying", "backing up", "reading first"
    std::function<TransferPlan()> plan;
    ProgramState* state;   // the tables the engine reads and writes; outlives the job
    // Runs once the step's transfer has completed; a text ends the job as
    // failed before the next step (a backup that could not be saved).
    std::function<std::string()> then = {};
};

// The identification reply in hex, "AA363135000000BB"; empty for none.
std::string IdentText(const std::array<uint8_t, 8>& reply);

class PortJob : public QObject {
public:
    PortJob(PortName port, std::vector<Step> steps, TimerFactory& timers);
    ~PortJob() override;

    // Runs the first step; the others follow as each completes.
    void start();
    // Stops at once: the port closes, the radio is left as it is.
    void abort(const std::string& why);
    // The same, for Ctrl+C (or the signal named, "SIGTERM").
    void interrupt(const std::string& signal = "Ctrl+C");

    // Raised from the event loop once the job has ended, well or not:
    // first whenEnded (the job's owner), then ended (RunJobs).
    std::function<void()> whenEnded;
    std::function<void()> ended;
    // The advice under a port fault ends with a pointer to mx615-cli doctor
    // (not when the doctor itself asks the radio).
    bool pointToDoctor = true;

    const PortName& port() const { return port_; }
    bool running() const { return running_; }
    bool succeeded() const { return !running_ && failure_.empty(); }
    // What went wrong, in the engine's words (a port that would not open in
    // plain words), and what to do about it.
    const std::string& failure() const { return failure_; }
    const std::string& advice() const { return advice_; }
    // The failure with its phase and what the radio now holds, as the console
    // and the log tell it: "The write broke off after frame 10 of 49: the
    // radio is partly written."
    const std::string& account() const { return account_; }
    // The radio took some frames of a write that did not end: it holds part
    // of the new data.
    bool partlyWritten() const { return partly_; }
    // Nothing at all answered the first step's identification, and nothing
    // was written: no radio is on the cable, or it is switched off.
    bool noAnswer() const { return noAnswer_; }
    // "writing 45%".
    std::string progressText() const;
    // The verb of the step that ran last (the one that failed, if any).
    const std::string& stepVerb() const { return steps_[step_].verb; }
    // Whether the job was stopped by Ctrl+C.
    bool interrupted() const { return interrupted_; }
    // Whether the job was stopped from this side (Ctrl+C or the watchdog)
    // rather than ended by the radio or the line.
    bool stopped() const { return stopped_; }
    // The radio's identification reply, once one was accepted ("" before).
    const std::string& ident() const { return ident_; }
    // Bytes that came back to the access code but were no identification.
    bool heardOther() const { return heardOther_; }
    // Whether the port itself failed to open.
    bool portFailed() const { return portFailed_; }
    // Whether a write frame went out to the radio: before that, a job that
    // ends leaves the radio as it was.
    bool wroteToRadio() const { return wrote_ || (link_ && link_->wroteFrames()); }

private:
    void runStep(std::size_t index);
    void engineMessage(const LinkMessage& message);
    void finish(const std::string& failure, const std::string& advice);
    // The account of a failure the engine reported, from how far it got.
    std::string accountOf(const std::string& text, const LinkReach& reach, bool portLost) const;
    // "after frame 10 of 49" and what the radio holds, for a write that ended early.
    std::string writeBreak() const;

    PortName port_;
    std::vector<Step> steps_;
    TimerFactory& timers_;
    std::unique_ptr<CloneLink> link_;
    std::size_t step_ = 0;
    int progress_ = 0;
    bool running_ = false;
    bool interrupted_ = false;
    bool stopped_ = false;
    bool heardOther_ = false;
    bool portFailed_ = false;
    bool wrote_ = false;
    std::string ident_;
    std::string failure_;
    std::string advice_;
    std::string account_;
    bool partly_ = false;
    bool noAnswer_ = false;
    int framesAcked_ = 0;   // of the write step
    int frameTotal_ = 0;
    QTimer watchdog_;
};

// Runs the jobs to their end on the current thread's event loop, with a
// progress line on standard error when showProgress is set. Ctrl+C stops
// them all.
void RunJobs(const std::vector<PortJob*>& jobs, bool showProgress);
// Whether a progress line is shown: standard error is a terminal and -q was
// not given.
bool ProgressWanted(bool quiet);

// While one lives, Ctrl+C (and SIGTERM, SIGHUP: a closed terminal, a dropped
// session) does not end the program but sets Interrupted()
// and breaks off a read from standard input (ReadAnswer), so a run of
// several radios can close its port and sum up.
class InterruptScope {
public:
    InterruptScope();
    ~InterruptScope();
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;
};
bool Interrupted();
// "Ctrl+C", "SIGTERM" or "SIGHUP": what interrupted the run.
std::string InterruptName();
// One line from standard input without its line end; nullopt at the end of
// input or on Ctrl+C.
std::optional<std::string> ReadAnswer();

}  // namespace mx615::cli
