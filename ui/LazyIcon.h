#pragma once
// An icon whose pictures are read only when it is first drawn or measured.
// A style's standard icons read every size they come in (up to 128 pixels)
// as soon as they are made; the main window's toolbar made six of them before
// it could show, where drawing needs one small size after the window is up.

#include <QIcon>
#include <functional>

namespace mx615 {

// `make` runs at most once, on first use; the icon must not be null.
QIcon LazyIcon(std::function<QIcon()> make);

}  // namespace mx615
