#pragma once
// A data function's rows as a table of named cases in one column: a test that
// feeds many inputs and expectations reads its table as lines of fields, and
// fetches the whole case once.

#include <initializer_list>
#include <utility>

#include <QTest>

namespace mx615::test {

template <class Case>
void addCases(const char* column, std::initializer_list<std::pair<const char*, Case>> cases)
{
    QTest::addColumn<Case>(column);
    for (const auto& [name, c] : cases)
        QTest::newRow(name) << c;
}

}  // namespace mx615::test
