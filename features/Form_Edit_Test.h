#pragma once
// The test-mode frequencies: sixteen receive/transmit pairs in lines 40..47
// of the image, shown in a grid and typed into a box laid over the cell.
// Entries are checked against the band of the model chosen.

#include <QString>

#include "features/FeatureWindow.h"
#include "features/TestFrequencies.h"
#include "ui/GridEditing.h"

class QTableWidget;

namespace mx615 {

class Form_Edit_Test : public FeatureWindow, private CellEditor::Client {
    Q_OBJECT
public:
    explicit Form_Edit_Test(WindowHost& host);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void ShowTestFrequencies();

    // Handlers.
    void MSF_chann_Click(int row, int column);
    void MSF_chann_LeaveCell();

    bool editing() const { return editor_->open() != CellEditor::Kind::None; }

    QTableWidget* MSF_chann = nullptr;
    QLineEdit* Text_Edit = nullptr;

protected:
    void showStored() override { ShowTestFrequencies(); }

private:
    void OpenCellEditor();
    // Applies the leave-cell rules to the edited cell and stores what
    // changed. quiet: on closing, an entry that would need a warning is
    // dropped instead. False when the entry was refused and nothing changed.
    bool commitEdit(int row, int column, bool quiet = false);
    // Stores every cell whose text differs from what the image holds.
    void StoreChangedFrequencies();
    int fitColumns();  // the width the grid needs
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    // What the overlay editor asks of the grid. On Escape the cell keeps its
    // text: nothing is redrawn.
    CellEditor::Kind editorFor(int row, int column) const override;
    bool commitCell(int row, int column, CellEditor::Kind) override { return commitEdit(row, column); }
    void activateCell(int row, int column) override { MSF_chann_Click(row, column); }
    void moveOn(int row, int column, CellEditor::Kind) override;
    void gridResized() override { fitColumns(); }
    bool stillLoaded() const override { return loaded(); }

    CellEditor* editor_ = nullptr;
};

}  // namespace mx615
