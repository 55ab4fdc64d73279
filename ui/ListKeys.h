#pragma once
// Lists of fixed choices are pick-only: a typed character would make Qt's
// search-by-typing jump to a matching entry and store it. The arrow keys, F4
// and Alt+Down still pick, and the space bar only opens the list.

#include <QKeyEvent>

namespace mx615 {

// Whether the key would search the list by typing (and so must be dropped).
inline bool SearchesByTyping(const QKeyEvent* event)
{
    const QString typed = event->text();
    return !typed.isEmpty() && typed.at(0).isPrint() && typed != QStringLiteral(" ");
}

}  // namespace mx615
