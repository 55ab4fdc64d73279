#pragma once
// Read before each suite's own code (tests/CMakeLists.txt): the suite's
// QTEST_MAIN, QTEST_GUILESS_MAIN or QTEST_APPLESS_MAIN then makes a function
// of the file's own instead of main() and enters it, under the file's name,
// in the runner that many suites share. The body is the one QtTest gives
// main(), but for the runner's choice of a share of the functions.

#include <QTest>

#include "support/SuiteRunner.h"

#undef QTEST_MAIN_WRAPPER
#define QTEST_MAIN_WRAPPER(TestObject, ...) \
namespace { \
int mx615SuiteMain(int argc, char *argv[]) \
{ \
    TESTLIB_SELFCOVERAGE_START(#TestObject) \
    QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>(); \
    __VA_ARGS__ \
    TestObject tc; \
    QTEST_SET_MAIN_SOURCE_PATH \
    return mx615::execSuite(&tc, argc, argv); \
} \
const mx615::SuiteEntry mx615SuiteEntry(__FILE__, &mx615SuiteMain); \
}
