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
// their own.
void MakePickOnly(QComboBox* box);

}  // namespace mx615
