#pragma once
// What the grid windows share: a grid whose row 0 holds the column titles
// (shown in the header above it), a frequency box laid over the cell being
// edited, columns as wide as their widest text, and the keys that edit.

#include <QObject>
#include <QString>
#include <QValidator>
#include <string>
#include <vector>

class QComboBox;
class QFocusEvent;
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
// hidden (its titles are in the header), column 0 in the button face. The
// arrow keys move between cells; Tab moves on to the window's next control.
// The grid's cells are read with its words (GridSpeech), in English until
// SetGridSpeech gives them in the window's language.
void SetUpEditGrid(QTableWidget* grid);
// What a screen reader is told of a grid: its name (what it lists), and each
// cell, in the language given, by its column's title and its row's channel
// ("RX Frequency, channel 3"), then the text it shows. The channel is the
// row's label in column 0.
void SetGridSpeech(QTableWidget* grid, const QString& name, bool chinese);
// The words a grid's cells are read with, in the grid's language: kept on
// the grid (as its child) by SetGridSpeech.
class GridSpeech : public QObject {
    Q_OBJECT
public:
    explicit GridSpeech(QObject* parent);   // in English
    QString cellPattern;   // "%1, channel %2": the column's title, the row's channel
    QString separator;     // between a cell's name and its text
    QString notice;        // what a command just did, said ahead of the current cell's name
};
// The grid's words, made (in English) where SetUpEditGrid has not run.
GridSpeech* GridSpeechOf(QTableWidget* grid);
// A cell's name without its text, "RX Frequency, channel 3"; the cells of
// column 0, which hold the row labels, are told as title and label. Empty
// for a grid that SetUpEditGrid has not set up.
QString CellName(const QTableWidget* grid, int row, int column);
// The titles of a column-format string into the header and row 0.
void SetColumnTitles(QTableWidget* grid, const std::string& format);
// The text of a cell ("" where the grid has no item), and setting it.
QString CellText(const QTableWidget* grid, int row, int column);
void SetCellText(QTableWidget* grid, int row, int column, const QString& text);
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

// The editor laid over the cell being edited: a frequency box or, where the
// window has one, a pick list. It opens on a cell, commits when the user
// leaves the cell (another cell, a scroll, the focus going elsewhere), moves
// on with Enter, abandons with Escape, and hands the focus back to the grid.
// What a cell takes, what an entry stores and where Enter leads are the
// window's, through Client. It watches the grid's keys and size and its own
// editors' keys and focus.
class CellEditor : public QObject {
    Q_OBJECT
public:
    enum class Kind { None, Text, List };

    class Client {
    public:
        virtual ~Client() = default;
        // The editor cell (row, column) opens; None for a cell not edited here.
        virtual Kind editorFor(int row, int column) const = 0;
        // Fills the list for a List cell; nothing it does counts as a pick.
        virtual void fillList(int /*row*/, int /*column*/, QComboBox* /*list*/) {}
        // Stores the entry of the editor that was open; false when the entry
        // was refused and nothing was stored.
        virtual bool commitCell(int row, int column, Kind kind) = 0;
        // The user asks to edit the grid's current cell (Enter, F2, a typed
        // frequency character): usually what a click on it does.
        virtual void activateCell(int row, int column) = 0;
        // After Enter stored the entry: where the cursor goes next.
        virtual void moveOn(int row, int column, Kind kind) = 0;
        // After the edit of row was abandoned (Escape, an entry replaced
        // under the editor).
        virtual void abandoned(int /*row*/) {}
        // The grid changed size: the window fits its columns.
        virtual void gridResized() {}
        // Whether the window still lives after a message box.
        virtual bool stillLoaded() const { return true; }
    };

    // Makes the frequency box (and the pick list when listName is given) as
    // hidden children of parent, and watches the grid.
    CellEditor(QTableWidget* grid, QWidget* parent, Client& client, const char* textName,
               const char* listName = nullptr);

    QLineEdit* text() const { return text_; }
    QComboBox* list() const { return list_; }
    // Which editor is open: an editor never opened, committed or abandoned
    // is None even while its widget still exists.
    Kind open() const { return open_; }
    int row() const { return row_; }
    int column() const { return column_; }
    // The cell's text when the editor opened (or the list last showed).
    const QString& savedText() const { return saved_; }
    void setSavedText(const QString& text) { saved_ = text; }

    // Opens the editor the client names on the grid's current cell, after
    // committing one that is open.
    void begin();
    // Commits the open editor (at most once per opening) and closes it.
    bool commit();
    void commitAndClose();
    // Hides the editors without storing.
    void close();
    // Closes without storing and lets the client redraw; the grid has the focus.
    void abandon();
    // The cell under the open editor no longer shows what it showed when the
    // editor opened (a read, a file, another window replaced it): committing
    // the old entry would overwrite the new value, so the edit is abandoned.
    void abandonIfReplaced();
    // Forgets the open editor without storing, as when the window closes.
    void forget() { open_ = Kind::None; }
    // Moves the grid's current cell and opens its editor.
    void moveTo(int row, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void enter(Kind kind);
    bool gridKeyPress(QKeyEvent* key);
    bool editorKeyPress(QKeyEvent* key, Kind kind);
    void lostFocus(QFocusEvent* event, Kind kind);

    QTableWidget* grid_;
    Client& client_;
    QLineEdit* text_ = nullptr;
    QComboBox* list_ = nullptr;
    Kind open_ = Kind::None;
    int row_ = 1;
    int column_ = 1;
    QString saved_;
};

}  // namespace mx615
