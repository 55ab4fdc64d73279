#pragma once
// Reading the system's own small files: sysfs attributes, /proc entries,
// lock files. They are read as they are, without the checks the program's
// data files pass through (files/SafeFile.h): they are the kernel's.

#include <string>

namespace mx615 {

// The first line of a small system file (a sysfs attribute, /proc/PID/comm),
// without its line end; "" when it cannot be read.
std::string FirstLineOf(const std::string& path);

}  // namespace mx615
