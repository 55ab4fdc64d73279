#pragma once
// Lists of fixed choices are picked from, never typed into: a typed character
// would jump to a matching entry and store it. The arrow keys, F4 and Alt+Down
// still pick, and the space bar only opens the list.

class QComboBox;
class QKeyEvent;

namespace mx615 {

// Whether a key pressed on a list is a typed character to discard.
bool IsTypedListKey(const QKeyEvent* event);

// Makes a list discard typed characters, for windows without a key filter of
// their own. A turn of the mouse wheel over the list picks only once the
// list has the focus; otherwise it scrolls what holds the list, so scrolling
// a window never changes a value by chance.
void MakePickOnly(QComboBox* box);

}  // namespace mx615
