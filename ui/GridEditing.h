#pragma once
// What the grid windows share: a grid whose row 0 holds the column titles
// (shown in the header above it), a frequency box laid over the cell being
// edited, columns as wide as their widest text, and the keys that edit.

#include <QValidator>
#include <string>
#include <vector>

class QKeyEvent;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace mx615 {

// Lets through digits and points only, and never more than the nine
// characters a frequency can have. A paste that would break either rule is
// refused whole rather than cut short, so no frequency changes unseen.
class FrequencyValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override;
};

bool IsEnterKey(const QKeyEvent* key);
// A key that types a character (not Backspace, Tab or a control chord).
bool TypesCharacter(const QKeyEvent* key);
bool TypesFrequencyCharacter(const QKeyEvent* key);

// Sets up a grid of fixed rows and columns whose cells the window edits
// itself: items centred and read-only, one cell selected at a time, row 0
// hidden (its titles are in the header), column 0 in the button face.
// watcher receives the grid's events.
void SetUpEditGrid(QTableWidget* grid, QObject* watcher);
// The frequency box, hidden until a cell is edited.
QLineEdit* MakeCellEditor(QWidget* parent, const char* name);
// The titles of a column-format string into the header and row 0.
void SetColumnTitles(QTableWidget* grid, const std::string& format);
// Lays the editor exactly over the cell.
void PlaceOverCell(QTableWidget* grid, QWidget* editor, int row, int column);
// Lays the frequency box over the cell with the cell's text selected, and
// gives it the focus.
void ShowCellEditor(QTableWidget* grid, QLineEdit* editor, int row, int column);
// Each column as wide as its widest sample or title plus extra[column];
// what is left of the grid's width is shared out evenly. Returns the width
// the grid needs to show every column whole.
int FitColumns(QTableWidget* grid, const std::vector<std::vector<const char*>>& samples,
                const std::vector<int>& extra = {});

}  // namespace mx615
