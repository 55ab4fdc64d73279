#pragma once
// The channel table: all 16 channels at once, one grid row per channel, edited
// in place. Frequencies are typed into a text box laid over the cell, every
// other field is picked from a list laid over the cell; each accepted entry is
// written into the channel's record at once and the cells only show the record.

#include <QString>

#include "ui/ChildWindow.h"

class QComboBox;
class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace mx615 {

class frm_chann : public ChildWindow {
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

    enum class Editor { None, Text, Combo };
    // Which in-cell editor is open (an editor that was never opened, or has
    // been committed or abandoned, is None even while its widget still exists).
    Editor openEditor() const { return open_; }

    QTableWidget* MSF_chann = nullptr;
    QLineEdit* Text_Edit = nullptr;
    QComboBox* Combo_edit = nullptr;
    QPushButton* Command_Edit = nullptr;
    QPushButton* Command_def = nullptr;
    QPushButton* Command_clear = nullptr;
    QPushButton* Command_close = nullptr;
    QPushButton* Command_Help = nullptr;

    // The cell whose editor is open; commits write this row's channel.
    int EditRow = 1;
    int EditCol = 1;
    QString SavedCellText;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void applyCaptions();
    void showAllRows();
    void BeginCellEdit();
    // Stores the open editor's entry; false when the entry was refused and
    // nothing was stored. Runs at most once per opened editor.
    bool CommitCell();
    bool commitRx(const QString& text);
    bool commitTx(const QString& text);
    void StoreComboChoice(int p);
    void ClearChannelRow(int n);
    void commitAndClose();
    void closeEditors();
    void abandonEdit();
    void enterFromText();
    void enterFromCombo();
    void moveTo(int row, int column);
    bool MSF_chann_KeyPress(QKeyEvent* event);
    bool Text_Edit_KeyPress(QKeyEvent* event);
    bool Combo_edit_KeyPress(QKeyEvent* event);
    void Combo_edit_GotFocus();
    void editorLostFocus(QFocusEvent* event, Editor editor);
    void placeEditor(QWidget* editor);
    void fitColumns();
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    void setCell(int row, int column, const std::string& text);

    Editor open_ = Editor::None;
    bool choiceMade_ = false;
};

}  // namespace mx615
