#pragma once
// Opens a window of a kind in the program as its menu command does, for the
// suites that go over every window in a data table.

#include <functional>

#include "app/MDImain.h"

namespace mx615::test {

using Opener = std::function<ChildWindow*(MDImain&)>;

template <class W>
Opener opener()
{
    return [](MDImain& main) -> ChildWindow* { return main.openWindow<W>(); };
}

}  // namespace mx615::test

Q_DECLARE_METATYPE(mx615::test::Opener)
