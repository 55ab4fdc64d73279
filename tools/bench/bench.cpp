// mx615-bench: runs one clone read and one clone write through the program's
// own serial backend and timers against whatever radio sits on COM1 (set
// MX615_PORTS to the simulator's device) and prints each time beside the
// floor the protocol allows.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

#include "link/CloneLink.h"
#include "link/ClonePlans.h"
#include "link/QtCommControl.h"
#include "link/QtTimers.h"
#include "model/RadioDefaults.h"

using namespace mx615;

namespace {

// The least time a transfer can take at this baud rate: every frame leaves
// 15 ms after it was queued, every byte needs ten bit times, and the radio
// answers at once.
double floorSeconds(bool write, int baud)
{
    const double byte = 10.0 / baud, pace = 0.015;
    double t = (pace + 8 * byte + 8 * byte) + (pace + byte + byte);  // handshake
    if (write)
        t += 49 * (pace + 20 * byte + byte);
    else
        t += (pace + 4 * byte + 68 * byte) + 15 * (pace + 4 * byte + 69 * byte);
    return t;
}

bool runOnce(ProgramState& state, QtTimerFactory& timers, bool write, double& seconds)
{
    CloneLink link(state, timers, std::make_unique<QtCommControl>(), write ? WritePlan() : ReadPlan());
    bool ok = false, over = false;
    QElapsedTimer clock;
    link.events.message = [&](const LinkMessage& m) {
        if (!link.transferDone() && !(m.text.en == (write ? WritePlan() : ReadPlan()).doneMessage.en)) {
            std::fprintf(stderr, "mx615-bench: %s %s\n", m.text.en.c_str(), m.detail.en.c_str());
            over = true;
        }
    };
    link.events.label = [&](const Bilingual& text) {
        if (text.en == "Communication fault.")
            over = true;
    };
    link.events.finished = [&] {
        seconds = clock.nsecsElapsed() / 1e9;
        ok = true;
        over = true;
    };
    clock.start();
    link.start();
    if (state.PortOpenFailed)
        return false;
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(20000);
    while (!over && limit.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return ok;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int baud = 9600, rounds = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--baud")
            baud = args[i + 1].toInt();
        if (args[i] == "--rounds")
            rounds = std::max(1, args[i + 1].toInt());
    }
    ProgramState state;
    FillStartupImage(state);
    state.CommPort = 1;
    QtTimerFactory timers;
    int failures = 0;
    for (const bool write : {false, true}) {
        double best = 1e9, sum = 0;
        int done = 0;
        for (int r = 0; r < rounds; ++r) {
            double seconds = 0;
            if (runOnce(state, timers, write, seconds)) {
                best = std::min(best, seconds);
                sum += seconds;
                ++done;
            }
        }
        const double floor = floorSeconds(write, baud);
        if (done == 0) {
            std::printf("%-5s failed\n", write ? "write" : "read");
            ++failures;
            continue;
        }
        std::printf("%-5s best %.3f s  mean %.3f s  floor %.3f s  best/floor %.3f  (%d of %d rounds)\n",
                    write ? "write" : "read", best, sum / done, floor, best / floor, done, rounds);
    }
    return failures ? 1 : 0;
}
