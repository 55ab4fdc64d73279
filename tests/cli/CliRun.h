#pragma once
// The built mx615-cli run as a user runs it: its exit status and what it
// printed.

#include <QFile>
#include <QProcess>

#include "files/ChannFile.h"
#include "support/StartedState.h"
#include "support/TestFiles.h"

namespace mx615::test {

struct CliResult {
    int exit = -1;
    QString out;
    QString err;
};

inline CliResult cli(const QStringList& arguments, const QString& ports = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("MX615_PORTS", ports);
    process.setProcessEnvironment(environment);
    process.start(MX615_CLI, arguments);
    CliResult run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        run.err = "mx615-cli did not end";
        return run;
    }
    run.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The factory image with recognisable channel bytes, as a .chann file.
inline QString channFile(const QString& path, int seed)
{
    ProgramState state = startedState();
    for (int n = 1; n <= 16; ++n)
        state.RadioImage[n][15] = int16_t((seed + n) & 0xFF);
    return SaveChannFile(state, path.toStdString()) ? QString() : path;
}

}  // namespace mx615::test
