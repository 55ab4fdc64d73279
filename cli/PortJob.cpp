#include "cli/PortJob.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

#include "link/LinkTexts.h"
#include "link/PortAdvice.h"
#include "link/QtCommControl.h"

namespace mx615::cli {

namespace {

// Every engine gives up by itself after its restarts; this only guards
// against a radio that keeps a transfer alive far beyond any real one.
constexpr int kWatchdogMs = 5 * 60 * 1000;

std::atomic<bool> g_interrupted{false};
std::atomic<int> g_signal{0};
int g_scopes = 0;
// The signals that end a run as Ctrl+C does: a closed terminal or a dropped
// session (SIGHUP) and a polite kill (SIGTERM) leave the radio in hand logged.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_previous[3] {};

void onInterrupt(int signal)
{
    g_signal = signal;
    g_interrupted = true;
}

// Each stop signal sets the flag; a read from the terminal breaks off (no SA_RESTART).
void catchInterrupt(struct sigaction (&previous)[3])
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    for (int i = 0; i < 3; ++i)
        sigaction(kStopSignals[i], &action, &previous[i]);
}

void restoreSignals(const struct sigaction (&previous)[3])
{
    for (int i = 0; i < 3; ++i)
        sigaction(kStopSignals[i], &previous[i], nullptr);
}

bool isComName(const std::string& text, int& number)
{
    if (text.size() < 4 || (text[0] != 'C' && text[0] != 'c') || (text[1] != 'O' && text[1] != 'o') ||
        (text[2] != 'M' && text[2] != 'm') || text.size() > 7)
        return false;
    number = 0;
    for (std::size_t i = 3; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        number = number * 10 + (text[i] - '0');
    }
    return number >= 1;
}

}  // namespace

InterruptScope::InterruptScope()
{
    if (g_scopes++ == 0) {
        g_interrupted = false;
        g_signal = 0;
        catchInterrupt(g_previous);
    }
}

InterruptScope::~InterruptScope()
{
    if (--g_scopes == 0)
        restoreSignals(g_previous);
}

bool Interrupted()
{
    return g_interrupted;
}

std::string InterruptName()
{
    switch (g_signal) {
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "Ctrl+C";
    }
}

std::optional<std::string> ReadAnswer()
{
    std::string line;
    for (;;) {
        // Ctrl+C just before the read would not break it off: the read waits
        // only a moment at a time, and the flag is looked at in between.
        if (g_interrupted)
            return std::nullopt;
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = ::poll(&input, 1, 200);
        if (ready == 0 || (ready < 0 && errno == EINTR))
            continue;
        char c = 0;
        const ssize_t n = ready < 0 ? -1 : ::read(STDIN_FILENO, &c, 1);
        if (g_interrupted)
            return std::nullopt;
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return line.empty() ? std::nullopt : std::optional<std::string>(line);
        if (c == '\n')
            break;
        line += c;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string IdentText(const std::array<uint8_t, 8>& reply)
{
    static const char* const kDigits = "0123456789ABCDEF";
    std::string text;
    for (const uint8_t byte : reply) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::string PortName::shown() const
{
    if (commPort == 0)
        return given;
    const std::string name = "COM" + std::to_string(commPort);
    return device.empty() ? name : name + " (" + device + ")";
}

PortName ResolvePort(const std::string& given, const QStringList& table)
{
    PortName port{given, 0, given};
    int number = 0;
    if (isComName(given, number)) {
        port.commPort = number;
        port.device = number <= table.size() ? table[number - 1].toStdString() : std::string();
    }
    return port;
}

PortJob::PortJob(PortName port, std::vector<Step> steps, TimerFactory& timers)
    : port_(std::move(port)), steps_(std::move(steps)), timers_(timers)
{
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this, [this] {
        abort("The transfer did not end within " + std::to_string(kWatchdogMs / 60000) + " minutes.");
    });
}

PortJob::~PortJob() = default;

void PortJob::start()
{
    running_ = true;
    watchdog_.start(kWatchdogMs);
    runStep(0);
}

void PortJob::runStep(std::size_t index)
{
    wrote_ = wroteToRadio();
    step_ = index;
    progress_ = 0;
    const Step& step = steps_[index];
    ProgramState& state = *step.state;
    std::unique_ptr<CommControl> comm;
    if (port_.commPort) {
        state.CommPort = int16_t(port_.commPort);
        comm = std::make_unique<QtCommControl>();
    } else {
        state.CommPort = 1;
        comm = std::make_unique<QtCommControl>(QString::fromStdString(port_.device));
    }
    link_ = std::make_unique<CloneLink>(state, timers_, std::move(comm), step.plan());
    if (step.verb == "writing")
        frameTotal_ = link_->blockTotal();
    link_->events.progress = [this](int value) { progress_ = value; };
    link_->events.message = [this](const LinkMessage& message) { engineMessage(message); };
    link_->events.identification = [this](const std::array<uint8_t, 8>& reply, bool accepted) {
        if (accepted)
            ident_ = IdentText(reply);
        else
            heardOther_ = true;
    };
    link_->events.finished = [this] {
        // The engine is still inside its completion: move on once it is out.
        QTimer::singleShot(0, this, [this] {
            if (!running_)
                return;
            if (steps_[step_].then)
                if (const std::string failure = steps_[step_].then(); !failure.empty()) {
                    finish(failure, {});
                    return;
                }
            if (step_ + 1 < steps_.size())
                runStep(step_ + 1);
            else
                finish({}, {});
        });
    };
    link_->start();
}

void PortJob::engineMessage(const LinkMessage& message)
{
    // Every message box of a transfer but the completion one ends it.
    if (!link_ || message.text.en == link_->plan().doneMessage.en)
        return;
    std::string advice;
    std::string text = message.text.en;
    const bool portLost = message.text.en == LinkTexts::PortLost.en;
    if (message.text.en == link_->plan().portErrorText.en) {
        // The windows' sentence means nothing more than this; the tool says it plainly.
        portFailed_ = true;
        text = "The port " + port_.shown() + " could not be opened.";
        advice = PortOpenAdviceCli(link_->comm()->lastFault(), port_.commPort, port_.device, pointToDoctor);
    }
    else if (message.text.en == LinkTexts::FailConnect.en) {
        const LinkReach& reach = link_->reach();
        noAnswer_ = step_ == 0 && !reach.identified && !reach.otherReply;
        if (!reach.identified && reach.otherReply)
            advice = "Check which port the cable is on (mx615-cli ports) and that the radio on it is an MX-615.";
        else if (reach.identified && !reach.linked)
            advice = "Switch the radio off and on again, and try again.";
        else if (!reach.identified)
            advice = "The radio did not answer on " + port_.shown() +
                     " through four attempts. Check that it is switched on and plugged into the programming "
                     "cable, and that the cable is on this port.";
        else
            advice = "The line is unreliable: check that the cable is seated at both ends.";
    }
    else if (portLost)
        advice = (link_->comm()->lastFault().reason.empty() ? std::string()
                                                            : "The system reports: " + link_->comm()->lastFault().reason + ". ") +
                 "Reconnect the cable.";
    else
        advice = message.detail.en;
    // What to do about what the radio now holds.
    if (portFailed_)
        ;
    else if (steps_[step_].verb == "writing" && wroteToRadio())
        advice += std::string(advice.empty() ? "" : " ") + "Write the radio again before it is used.";
    else if (steps_[step_].verb == "verifying" && wrote_)
        advice += std::string(advice.empty() ? "" : " ") + "'mx615-cli verify' checks what it holds.";
    else if (advice.find("try again") == std::string::npos && advice.find("Try again") == std::string::npos)
        advice += std::string(advice.empty() ? "" : " ") + "Then try again.";
    if (steps_[step_].verb == "writing")
        framesAcked_ = link_->reach().framesAcked;
    account_ = message.text.en == LinkTexts::FailConnect.en || portLost || portFailed_
                   ? accountOf(text, link_->reach(), portLost)
                   // The engine's own account (data that is not a byte, replies
                   // it cannot vouch for), with what the radio now holds.
                   : text + (steps_[step_].verb == "writing" && wroteToRadio() ? " The write stopped " + writeBreak() + "."
                             : wrote_ && steps_[step_].verb == "verifying"      ? " The radio was written but not verified."
                                                                                : "");
    QTimer::singleShot(0, this, [this, text, advice] { finish(text, advice); });
}

std::string PortJob::writeBreak() const
{
    if (framesAcked_ == 0)
        return "before the radio acknowledged its first frame: the radio may hold part of the new data";
    return "after frame " + std::to_string(framesAcked_) + " of " + std::to_string(frameTotal_) +
           ": the radio is partly written";
}

std::string PortJob::accountOf(const std::string& text, const LinkReach& reach, bool portLost) const
{
    const std::string& verb = steps_[step_].verb;
    const bool writing = verb == "writing";
    // Only the write step changes the radio; a failure in a later step (the
    // read back) leaves it written.
    const bool written = !writing && wrote_;
    const std::string untouched = verb == "backing up" || verb == "reading first" ? "nothing was written to it" : "nothing was changed";
    std::string what;
    if (portFailed_)
        what = text + (written ? " The radio was written but not verified."
                               : " Nothing was sent to the radio; it holds what it held.");
    else if (portLost)
        what = std::string("The cable went away during the ") + (writing ? "write" : "read") +
               (writing && wroteToRadio() ? ", " + writeBreak() + "." : written ? ": written, but not verified."
                                                                                : "; " + untouched + ".");
    else if (!reach.identified && !reach.otherReply)
        what = text + " No answer at all; " + (written ? "the radio was written but not verified." : untouched + ".");
    else if (!reach.identified)
        what = "Another device answered on " + port_.shown() + ": its reply is no MX-615 identification; " +
               (written ? "the radio was written but not verified." : untouched + ".");
    else if (!reach.linked)
        what = "A radio answered (identification " + ident_ + ") but did not acknowledge the programming request; " +
               (written ? "the radio was written but not verified." : untouched + ".");
    else if (writing)
        what = "The write broke off " + writeBreak() + ".";
    else
        what = std::string(written ? "Written, but the read back" : "The read") + " broke off after block " +
               std::to_string(reach.blocksRead) + " of " + std::to_string(link_->blockTotal()) +
               " (a reply that was missing, short, long or out of step)" +
               (written ? ": the radio is not verified." : "; " + untouched + ".");
    return what;
}

void PortJob::abort(const std::string& why)
{
    if (!running_)
        return;
    stopped_ = true;
    const std::string& verb = steps_[step_].verb;
    if (verb == "writing" && link_)
        framesAcked_ = link_->reach().framesAcked;
    if (wroteToRadio() && verb == "writing") {
        account_ = why + " The write stopped " + writeBreak() + ".";
        finish(why, "The radio may hold part of the new data: write it again.");
    } else if (verb == "writing" || verb == "backing up" || verb == "reading first") {
        account_ = why + " Nothing was written to the radio.";
        finish(why, "Nothing was written to the radio; it holds what it held.");
    } else {
        account_ = why + (wrote_ ? " The radio was written but not verified." : "");
        finish(why, {});
    }
}

void PortJob::interrupt(const std::string& signal)
{
    if (!running_)
        return;
    interrupted_ = true;
    abort("Interrupted (" + signal + ").");
}

void PortJob::finish(const std::string& failure, const std::string& advice)
{
    if (!running_)
        return;
    running_ = false;
    watchdog_.stop();
    failure_ = failure;
    advice_ = advice;
    wrote_ = wroteToRadio();
    if (!failure.empty() && account_.empty())
        account_ = failure;   // a step's own failure (a backup that could not be saved)
    const std::string& verb = steps_[step_].verb;
    partly_ = !failure.empty() && verb == "writing" && wrote_;
    if (link_)
        link_->shutdown();
    link_.reset();
    if (whenEnded)
        whenEnded();
    if (ended)
        ended();
}

std::string PortJob::progressText() const
{
    if (!running_)
        return failure_.empty() ? "done" : "failed";
    return steps_[step_].verb + " " + std::to_string(progress_) + "%";
}

bool ProgressWanted(bool quiet)
{
    return !quiet && ::isatty(STDERR_FILENO);
}

void RunJobs(const std::vector<PortJob*>& jobs, bool showProgress)
{
    QEventLoop loop;
    auto anyRunning = [&] {
        for (const PortJob* job : jobs)
            if (job->running())
                return true;
        return false;
    };
    for (PortJob* job : jobs)
        job->ended = [&] {
            if (!anyRunning())
                loop.quit();
        };

    // Ctrl+C before the jobs start (between the radios of a run) counts too.
    if (g_scopes == 0) {
        g_interrupted = false;
        g_signal = 0;
    }
    struct sigaction previous[3] {};
    catchInterrupt(previous);

    std::size_t shownWidth = 0;
    std::string shownLine;
    auto paint = [&] {
        std::string line;
        for (const PortJob* job : jobs)
            line += (line.empty() ? "" : "   ") + job->port().shown() + ": " + job->progressText();
        if (line == shownLine)
            return;
        shownLine = line;
        const std::size_t width = line.size();
        if (width < shownWidth)
            line.append(shownWidth - width, ' ');
        shownWidth = width;
        std::fprintf(stderr, "\r%s", line.c_str());
        std::fflush(stderr);
    };
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (g_interrupted)
            for (PortJob* job : jobs)
                job->interrupt(InterruptName());
        else if (showProgress)
            paint();
    });
    ticker.start(100);

    for (PortJob* job : jobs)
        job->start();
    if (anyRunning())
        loop.exec();

    ticker.stop();
    for (PortJob* job : jobs)
        job->ended = nullptr;
    restoreSignals(previous);
    if (showProgress && shownWidth > 0) {
        std::fprintf(stderr, "\r%s\r", std::string(shownWidth, ' ').c_str());
        std::fflush(stderr);
    }
}

}  // namespace mx615::cli
