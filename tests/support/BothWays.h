#pragma once
// The data of a test that runs once each way of a single switch: one bool
// column, a row for false and a row for true, each named for what it does.

#include <QTest>

namespace mx615::test {

inline void bothWays(const char* column, const char* whenFalse, const char* whenTrue)
{
    QTest::addColumn<bool>(column);
    QTest::newRow(whenFalse) << false;
    QTest::newRow(whenTrue) << true;
}

}  // namespace mx615::test
