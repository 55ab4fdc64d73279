#pragma once
// The simulated radio as a process on a pseudo-terminal, for the tests that
// drive a real serial line: it starts the simulator and reads the device it
// prints; destroying it ends the simulator.

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace mx615::test {

struct SimProcess {
    SimProcess(const QString& program, const QStringList& options)
    {
        process.setProgram(program);
        process.setArguments(options + QStringList{"--quiet"});
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
    ~SimProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(3000))
                process.kill();
            process.waitForFinished(1000);
        }
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    QProcess process;
    QString device;   // the pseudo-terminal the program opens
};

}  // namespace mx615::test
