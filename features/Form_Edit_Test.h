#pragma once
// The test-mode frequencies: sixteen receive/transmit pairs in lines 40..47
// of the image, shown in a grid and typed into a box laid over the cell.
// Entries are checked against the band of the model chosen.

#include <QString>

#include "features/FeatureWindow.h"
#include "features/TestFrequencies.h"

class QFocusEvent;
class QTableWidget;

namespace mx615 {

class Form_Edit_Test : public FeatureWindow {
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

    bool editing() const { return editing_; }

    QTableWidget* MSF_chann = nullptr;
    QLineEdit* Text_Edit = nullptr;

protected:
    void showStored() override { ShowTestFrequencies(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenCellEditor();
    // Applies the leave-cell rules to the edited cell and stores what
    // changed. quiet: on closing, an entry that would need a warning is
    // dropped instead. False when the entry was refused and nothing changed.
    bool commitEdit(bool quiet = false);
    // Stores every cell whose text differs from what the image holds.
    void StoreChangedFrequencies();
    void commitAndClose();
    void closeEditor();
    void enterFromEditor();
    void moveTo(int row, int column);
    bool gridKeyPress(QKeyEvent* key);
    bool editorKeyPress(QKeyEvent* key);
    int fitColumns();  // the width the grid needs
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    int editRow_ = 1;
    int editCol_ = TestGrid::ColRx;
    QString savedText_;
    bool editing_ = false;
};

}  // namespace mx615
