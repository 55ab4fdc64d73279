#pragma once
// write: one radio, a fleet at the same time, or radio after radio on one
// cable (--repeat); each radio optionally backed up first and logged.

#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/PortJob.h"
#include "link/LinkTimer.h"

namespace mx615::cli {

// write and verify, on the ports given.
int RunWriteOrVerify(const CliArgs& args, const std::vector<PortName>& ports, TimerFactory& timers);

// Appends the radio's row to the log at path (nothing when path is empty);
// a row that cannot be written is reported, the run goes on.
void LogRadio(const std::string& path, const PortJob& job, const std::string& file, const std::string& result,
              const std::string& backup, const std::string& message);

// Whether --log can be appended to; says why not (a file fault).
bool LogUsable(const std::string& path);

}  // namespace mx615::cli
