#pragma once
// write: one radio, a fleet at the same time, or radio after radio on one
// cable (--repeat); each radio optionally backed up first and logged.

#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/PortJob.h"
#include "cli/RunLog.h"
#include "link/LinkTimer.h"

namespace mx615::cli {

// write and verify, on the ports given.
int RunWriteOrVerify(const CliArgs& args, const std::vector<PortName>& ports, TimerFactory& timers);

// Appends the radio's row to log (nothing when it has no path); a row that
// cannot be written is reported, and the run goes on.
void LogRadio(RunLog& log, const PortJob& job, const std::string& file, const std::string& result,
              const std::string& backup, const std::string& message);

// Whether --log can be appended to (kDone); says why not: a file fault
// (kFileFailed), or a file that is no log of this tool (kUsage).
int LogStatus(const std::string& path);

// The exit status of a run that ended with status: a run whose log lost rows
// ends with 1 unless it failed otherwise already, and a last line says how
// many rows are missing.
int LoggedRunStatus(const RunLog& log, int status);

}  // namespace mx615::cli
