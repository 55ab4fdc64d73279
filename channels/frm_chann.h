#pragma once
// The channel table: all 16 channels at once, one grid row per channel, edited
// in place. Frequencies are typed into a text box laid over the cell, every
// other field is picked from a list laid over the cell; each accepted entry is
// written into the channel's record at once and the cells only show the record.

#include <QString>
#include <utility>
#include <vector>

#include "channels/FrequencyEntry.h"
#include "ui/ChildWindow.h"
#include "ui/GridEditing.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace mx615 {

class frm_chann;

// A command on channels as rows: its control name, its caption and its keys.
// The Edit menu and the grid's context menu both list these.
struct RowCommand {
    const char* name;
    Bilingual text;
    const char* keys;
    void (frm_chann::*run)();
    bool endsGroup = false;   // a separator follows it in the menus
};
const std::vector<RowCommand>& RowCommands();

class frm_chann : public ChildWindow, private CellEditor::Client {
    Q_OBJECT
public:
    explicit frm_chann(WindowHost& host);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    // The caption follows CurrentChannel; the channel dialog calls this too.
    void UpdateCaption();
    // Draws row n from channel n's record. An empty channel is also written
    // back as all 0xFF and leaves the scan list.
    void ShowChannelRow(int n);

    // Handlers.
    void MSF_chann_Click(int row, int column);
    void MSF_chann_LeaveCell();
    void MSF_chann_Scroll();
    void Combo_edit_Click(int index);
    void Command_Edit_Click();
    void Command_clear_Click();
    void Command_def_Click();
    void Command_close_Click();
    void Command_Help_Click();

    // Channels as rows (frm_chann_rows.cpp): the selected run of channels, or
    // the current one, copied, cut, cleared, pasted at the current channel,
    // moved past its neighbour, or all sorted. Each change is one undo step.
    std::pair<int, int> selectedChannels() const;
    void Channel_copy_Click();
    void Channel_cut_Click();
    void Channel_delete_Click();
    void Channel_paste_Click();
    void Channel_up_Click();
    void Channel_down_Click();
    void Channel_sort_Click();
    // The grid's context menu, at a point of the screen.
    void showRowsMenu(const QPoint& where);
    // The image changed under the window (an undo, a file): every row again.
    void showImage() override { Form_Activate(); }

    enum class Editor { None, Text, Combo };
    // Which in-cell editor is open (an editor that was never opened, or has
    // been committed or abandoned, is None even while its widget still exists).
    Editor openEditor() const;
    // The column of the cell being edited (or last edited).
    int editColumn() const { return editor_->column(); }

    QTableWidget* MSF_chann = nullptr;
    QLineEdit* Text_Edit = nullptr;
    QComboBox* Combo_edit = nullptr;
    QPushButton* Command_Edit = nullptr;
    QPushButton* Command_def = nullptr;
    QPushButton* Command_clear = nullptr;
    QPushButton* Command_close = nullptr;
    QPushButton* Command_Help = nullptr;

private:
    void buildControls();
    void applyCaptions();
    void showAllRows();
    void BeginCellEdit();
    bool commitRx(int n, const QString& text);
    bool commitTx(int n, const QString& text);
    // Warns of an entry's problem in the table's words; false when the
    // entry stays in the editor to be corrected.
    bool showProblem(FrequencyProblem problem, bool transmit);
    void StoreComboChoice(int p);
    void ClearChannelRow(int n);
    // After a change of rows: the rows drawn again, the step recorded, and
    // channels first..last selected with the cursor on first.
    void rowsChanged(const Bilingual& step, int first, int last);
    // Puts channels first..last on the clipboard; false (and a warning) when
    // all of them are empty.
    bool copyRows(int first, int last);
    // Empties channels first..last as the step named so (Cut, Delete).
    void clearRows(const Bilingual& command, int first, int last);
    void moveChannel(int by);
    void recordCellStep(int row, int column);
    void fitColumns();
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    void setCell(int row, int column, const std::string& text);

    // What the overlay editor asks of the table.
    CellEditor::Kind editorFor(int row, int column) const override;
    void fillList(int row, int column, QComboBox* list) override;
    bool commitCell(int row, int column, CellEditor::Kind kind) override;
    void activateCell(int row, int column) override { MSF_chann_Click(row, column); }
    void moveOn(int row, int column, CellEditor::Kind kind) override;
    // On Escape a cell may show an offered value that was never stored: the
    // row is drawn from the record again.
    void abandoned(int row) override { ShowChannelRow(row); }
    void gridResized() override { fitColumns(); }
    bool stillLoaded() const override { return loaded(); }

    CellEditor* editor_ = nullptr;
    bool choiceMade_ = false;
};

}  // namespace mx615
