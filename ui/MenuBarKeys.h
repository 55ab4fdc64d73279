#pragma once
// The menu bar from the keyboard, with or without a screen reader: a lone Alt
// (Qt's own) and F10 put the bar in focus with its first menu named, the
// arrows move along the menus and into them, Escape goes back. Nothing here
// depends on a caption, so the Chinese menus, which have no access keys, are
// reached the same way, and so are menus and items added later.
//
// A screen reader delays the program's keys: Qt hands every key to the
// accessibility bus and delivers a copy of it once the reader has answered,
// while the menu bar acts on the Alt key and Alt+letter at once. The late
// copies of Alt closed the menu that Alt+letter had opened and took the bar
// out of focus again after a lone Alt; they are dropped here.

class QMenuBar;

namespace mx615 {

// Once per menu bar, when its window is built.
void InstallMenuBarKeys(QMenuBar* bar);

// Puts the bar in focus with its first menu current, as a lone Alt does
// (or takes it out of focus again when it is already there).
void FocusMenuBar(QMenuBar* bar);

}  // namespace mx615
