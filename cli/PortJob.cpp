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
int g_scopes = 0;
struct sigaction g_previous {};

void onInterrupt(int)
{
    g_interrupted = true;
}

// Ctrl+C sets the flag; a read from the terminal breaks off (no SA_RESTART).
void catchInterrupt(struct sigaction* previous)
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, previous);
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
        catchInterrupt(&g_previous);
    }
}

InterruptScope::~InterruptScope()
{
    if (--g_scopes == 0)
        sigaction(SIGINT, &g_previous, nullptr);
}

bool Interrupted()
{
    return g_interrupted;
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
    if (message.text.en == link_->plan().portErrorText.en) {
        portFailed_ = true;
        advice = PortOpenAdviceCli(link_->comm()->lastFault(), port_.commPort, port_.device, pointToDoctor);
    }
    else if (message.text.en == LinkTexts::FailConnect.en)
        advice = "The radio did not answer on " + port_.shown() +
                 " through four attempts. Check that it is switched on and plugged into the programming cable, "
                 "and that the cable is on this port.";
    else if (message.text.en == LinkTexts::PortLost.en)
        advice = (link_->comm()->lastFault().reason.empty() ? std::string()
                                                            : "The system reports: " + link_->comm()->lastFault().reason + ". ") +
                 port_.shown() + " stopped working in the middle of the transfer (was the cable pulled?). "
                 "Reconnect it and try again.";
    else
        advice = message.detail.en;
    QTimer::singleShot(0, this, [this, text = message.text.en, advice] { finish(text, advice); });
}

void PortJob::abort(const std::string& why)
{
    if (!running_)
        return;
    stopped_ = true;
    const std::string& verb = steps_[step_].verb;
    if (wroteToRadio() && verb == "writing")
        finish(why, "The radio may hold part of the new data: write it again.");
    else if (verb == "writing" || verb == "backing up")
        finish(why, "Nothing was written to the radio; it holds what it held.");
    else
        finish(why, {});
}

void PortJob::interrupt()
{
    if (!running_)
        return;
    interrupted_ = true;
    abort("Interrupted (Ctrl+C).");
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
    if (g_scopes == 0)
        g_interrupted = false;
    struct sigaction previous {};
    catchInterrupt(&previous);

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
                job->interrupt();
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
    sigaction(SIGINT, &previous, nullptr);
    if (showProgress && shownWidth > 0) {
        std::fprintf(stderr, "\r%s\r", std::string(shownWidth, ' ').c_str());
        std::fflush(stderr);
    }
}

}  // namespace mx615::cli
