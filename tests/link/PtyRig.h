#pragma once
// The program's own serial backend and timers against the simulated radio
// program on a pseudo-terminal: starting the simulator, one transfer and what
// it reported.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

#include "link/CloneLink.h"
#include "link/ClonePlans.h"
#include "link/QtCommControl.h"
#include "link/QtTimers.h"
#include "model/RadioDefaults.h"

namespace mx615::test {


struct Simulator {
    // Not quiet: it says on standard error what each session served.
    explicit Simulator(const QStringList& options, bool quiet = true)
    {
        process.setProgram(MX615_RADIO_SIM);
        process.setArguments(quiet ? options + QStringList{"--quiet"} : options);
        process.start();
        if (!process.waitForStarted(5000))
            return;
        QElapsedTimer waited;
        waited.start();
        while (!process.canReadLine() && waited.elapsed() < 5000)
            process.waitForReadyRead(100);
        const QString line = QString::fromLocal8Bit(process.readLine()).trimmed();
        if (line.startsWith("MX615_PORTS="))
            device = line.mid(12);
    }
    ~Simulator()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(3000))
                process.kill();
            process.waitForFinished(1000);
        }
    }
    QProcess process;
    QString device;
};

struct Recorded {
    QStringList messages;
    QStringList details;
    QList<int> progress;
    bool finished = false;
};

// One transfer: the engine over the program's own serial backend, and what
// it reported.
struct Run {
    Run(ProgramState& state, TimerFactory& timers, TransferPlan plan)
        : link(state, timers, std::make_unique<QtCommControl>(), std::move(plan))
    {
        link.events.message = [this](const LinkMessage& m) {
            r.messages << QString::fromStdString(m.text.en);
            r.details << QString::fromStdString(m.detail.en);
        };
        link.events.progress = [this](int v) { r.progress << v; };
        link.events.finished = [this] { r.finished = true; };
    }
    CloneLink link;
    Recorded r;
};

// The program as start-up leaves it, with the simulator's device as COM1;
// false when the simulator named no device, so there is nothing to talk to.
[[nodiscard]] inline bool useSimulator(const Simulator& sim, ProgramState& state)
{
    qputenv("MX615_PORTS", sim.device.toLocal8Bit());
    FillStartupImage(state);
    state.CommPort = 1;
    return !sim.device.isEmpty();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The memory the simulator keeps in its image file, once it has saved it
// (when the end byte arrives); empty when it did not within 3 s.
inline QByteArray savedImage(const QString& path)
{
    QFile file(path);
    if (!QTest::qWaitFor([&] { return file.exists() && file.size() == 1024; }, 3000))
        return {};
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray pattern(int seed)
{
    QByteArray bytes(1024, 0);
    for (int i = 0; i < 1024; ++i)
        bytes[i] = char((i * 13 + seed) & 0xFF);
    return bytes;
}

inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace mx615::test
