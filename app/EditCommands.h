#pragma once
// The main window's commands on the plan as a whole: Undo and Redo over the
// history of the image, the channel table's row commands in the Edit menu,
// and Compare with Radio in the Program menu. The history is kept once, here;
// every window records its changes through WindowHost::recordStep.

#include <QObject>
#include <vector>

#include "model/ImageHistory.h"

class QAction;
class QMenu;

namespace mx615 {

class MDImain;
class frm_chann;

class EditCommands : public QObject {
    Q_OBJECT
public:
    explicit EditCommands(MDImain& main);

    // Undo, Redo and the row commands, at the top of the Edit menu.
    void addToEdit(QMenu* edit);
    // Compare with Radio, after Write to radio.
    void addToProgram(QMenu* program);
    void applyCaptions(bool chinese);

    // The state as it is now is where the history starts.
    void restart();
    void record(const Bilingual& name);
    // A change no window has recorded yet (a list picked in a feature
    // window) becomes a step named after the window it was made in.
    void recordPending();

    void Edit_undo_Click();
    void Edit_redo_Click();
    void Prog_compare_Click();

    ImageHistory& history() { return history_; }

private:
    void step(bool undo);
    void refresh();
    // The channel table, opened when it is closed.
    frm_chann* table();

    MDImain& main_;
    ImageHistory history_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* compare_ = nullptr;
    std::vector<QAction*> rows_;  // the channel table's commands
};

// The words of the history, in both languages.
namespace EditTexts {
inline const Bilingual Undo{"Undo", "撤销"};
inline const Bilingual Redo{"Redo", "重做"};
inline const Bilingual Undone{"Undone: ", "已撤销："};
inline const Bilingual Redone{"Redone: ", "已重做："};
inline const Bilingual Compare{"Compare with Radio", "与对讲机比较"};
// A change made where no window could name it.
inline const Bilingual Edit{"Edit", "编辑"};
}  // namespace EditTexts

}  // namespace mx615
