#pragma once
// Many suites in one program: each suite's QtTest main function enters itself
// here (support/SuiteMain.h), and the runner's table, which
// tests/CMakeLists.txt writes, names each suite and the source file that holds
// its main function.

namespace mx615 {

using SuiteMain = int (*)(int argc, char* argv[]);

// Made once per suite, before main() runs.
struct SuiteEntry {
    SuiteEntry(const char* file, SuiteMain main);
};

struct Suite {
    const char* name;
    const char* files;   // its .cpp files below the source folder, ':' between them
};

// Ends with an entry whose name is null.
extern const Suite kSuites[];

}  // namespace mx615
