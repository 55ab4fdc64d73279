#pragma once
// The load of a channel plan from the desktop (a file named on the command
// line, a file dropped on the main window): the same readers as File > Open,
// and after a load the windows that show the channels redraw as after it.
// Opening the channel table when it is closed is the main window's part.

#include <QString>

#include "model/ProgramState.h"

class QWidget;

namespace mx615 {

class WindowHost;

// Said beneath the reason when a load is refused.
inline const Bilingual kNothingLoaded{"Nothing was loaded: the channel parameters are as they were.",
                                      "未调入任何数据，信道参数保持不变。"};

// Loads a .chann, .img or .csv file (by its suffix, in any letter case) and
// tells the host that the image was replaced; LastFilePath becomes its
// absolute path. A file that cannot be taken whole changes nothing and is
// refused with one message box over parent that names the file and the
// reason. Returns whether it was loaded.
bool OpenPlanFile(WindowHost& host, QWidget* parent, const QString& path);

// After a plan was read from the file LastFilePath names: tells the host the
// image was replaced and records the undo step "Open hotel.csv". File > Open
// and the desktop's loads end alike.
void PlanFileOpened(WindowHost& host);

}  // namespace mx615
