#pragma once
// Many suites in one program: each suite's QtTest main function enters itself
// here (support/SuiteMain.h), and the runner's table, which
// tests/CMakeLists.txt writes, names each suite and the source file that holds
// its main function.

class QObject;

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

// Runs the suite's test object as QTest::qExec does. "--shard K/N" among the
// arguments runs only the K-th of N shares of its test functions (every N-th,
// from the K-th on), so that a suite that spends its time waiting on serial
// lines can run as N tests side by side; the N shares together run every
// function once.
int execSuite(QObject* suite, int argc, char* argv[]);

}  // namespace mx615
