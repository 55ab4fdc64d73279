#include "ui/GridEditing.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

#include "model/Codecs.h"
#include "model/ProgramState.h"
#include "ui/Accessibility.h"
#include "ui/PickOnly.h"

namespace mx615 {

namespace {

// A cell's name (the column's title, the row's channel) and what joins it to
// the text the cell shows. SetGridSpeech keeps the words of the grid's
// language on the grid.
const Bilingual kCellName{"%1, channel %2", "%1，信道 %2"};
const Bilingual kCellSeparator{", ", "，"};

// The words of a grid that SetUpEditGrid has set up; null for any other.
const GridSpeech* wordsOf(const QTableWidget* grid)
{
    return grid->findChild<const GridSpeech*>(QString(), Qt::FindDirectChildrenOnly);
}

QString cellName(const QTableWidget* grid, const GridSpeech& words, int row, int column)
{
    const QTableWidgetItem* title = grid->horizontalHeaderItem(column);
    const QString heading = title ? title->text().trimmed() : QString();
    const QString label = CellText(grid, row, 0).trimmed();
    if (column == 0)
        return heading + QLatin1Char(' ') + label;
    return words.cellPattern.arg(heading, label);
}

// A cell that tells the reader its column and row with its text, so that a
// cell reached by the arrow keys, or a row read whole, is never a bare number.
class GridItem : public QTableWidgetItem {
public:
    QVariant data(int role) const override
    {
        const QTableWidget* grid = tableWidget();
        const GridSpeech* words = grid ? wordsOf(grid) : nullptr;
        if (role != Qt::AccessibleTextRole || !words)
            return QTableWidgetItem::data(role);
        QString name = cellName(grid, *words, row(), column());
        if (!words->notice.isEmpty() && row() == grid->currentRow() && column() == grid->currentColumn())
            name = words->notice + words->separator + name;
        if (column() == 0 || text().isEmpty())
            return name;
        return name + words->separator + text();
    }
    QTableWidgetItem* clone() const override { return new GridItem(*this); }
};

}  // namespace

QValidator::State FrequencyValidator::validate(QString& input, int&) const
{
    if (input.size() > kFrequencyMaxChars)
        return Invalid;
    for (const QChar c : input)
        if (c.unicode() > 127 || !IsFrequencyCharacter(char(c.unicode())))
            return Invalid;
    return Acceptable;
}

bool IsEnterKey(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool TypesCharacter(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;  // shortcuts such as paste and select-all
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

bool TypesFrequencyCharacter(const QKeyEvent* key)
{
    const QString text = key->text();
    return text.size() == 1 && text.at(0).unicode() < 128 && IsFrequencyCharacter(char(text.at(0).unicode()));
}

void SetUpEditGrid(QTableWidget* grid)
{
    grid->setRowHidden(0, true);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 10);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setWordWrap(false);
    grid->setTabKeyNavigation(false);
    GridSpeechOf(grid);
    for (int row = 0; row < grid->rowCount(); ++row)
        for (int column = 0; column < grid->columnCount(); ++column) {
            auto* item = new GridItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (column == 0)
                item->setBackground(grid->palette().button());
            grid->setItem(row, column, item);
        }
}

GridSpeech::GridSpeech(QObject* parent)
    : QObject(parent), cellPattern(QString::fromStdString(kCellName.en)),
      separator(QString::fromStdString(kCellSeparator.en))
{
}

GridSpeech* GridSpeechOf(QTableWidget* grid)
{
    auto* speech = grid->findChild<GridSpeech*>(QString(), Qt::FindDirectChildrenOnly);
    return speech ? speech : new GridSpeech(grid);
}

void SetGridSpeech(QTableWidget* grid, const QString& name, bool chinese)
{
    grid->setAccessibleName(name);
    GridSpeech* speech = GridSpeechOf(grid);
    speech->cellPattern = QString::fromStdString(kCellName.pick(chinese));
    speech->separator = QString::fromStdString(kCellSeparator.pick(chinese));
}

QString CellName(const QTableWidget* grid, int row, int column)
{
    const GridSpeech* words = wordsOf(grid);
    return words ? cellName(grid, *words, row, column) : QString();
}

void SetColumnTitles(QTableWidget* grid, const std::string& format)
{
    const std::vector<std::string> titles = ColumnTitles(format);
    QStringList labels;
    for (int column = 0; column < grid->columnCount(); ++column) {
        const QString title = column < int(titles.size()) ? QString::fromStdString(titles[column]) : QString();
        labels << title;
        if (QTableWidgetItem* item = grid->item(0, column))
            item->setText(title);
    }
    grid->setHorizontalHeaderLabels(labels);
}

QString CellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void SetCellText(QTableWidget* grid, int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = grid->item(row, column))
        item->setText(text);
}

void PlaceOverCell(QTableWidget* grid, QWidget* editor, int row, int column)
{
    QRect rect = grid->visualRect(grid->model()->index(row, column));
    rect.moveTopLeft(grid->viewport()->mapTo(editor->parentWidget(), rect.topLeft()));
    editor->setGeometry(rect);
}

void ShowCellEditor(QTableWidget* grid, QLineEdit* editor, int row, int column)
{
    PlaceOverCell(grid, editor, row, column);
    editor->show();
    editor->raise();
    // The focus first: a screen reader that hears of the text before the
    // focus reads the text alone, without the editor's name.
    editor->setFocus();
    editor->setText(CellText(grid, row, column));
    editor->selectAll();
}

int FitColumns(QTableWidget* grid, const std::vector<std::vector<const char*>>& samples,
                const std::vector<int>& extra)
{
    // Each column gets its widest text and a margin; what is left of the
    // grid's width is shared out evenly, and where the grid is narrow the
    // margins shrink first, so the columns fit without a scroll bar wherever
    // they can.
    constexpr int kLeastMargin = 8;
    const QFontMetrics cellFont(grid->font());
    const QFontMetrics titleFont(grid->horizontalHeader()->font());
    const int columns = grid->columnCount();
    std::vector<int> widths(columns);
    int total = 0;
    for (int column = 0; column < columns; ++column) {
        int width = 0;
        if (column < int(samples.size()))
            for (const char* sample : samples[column])
                width = std::max(width, cellFont.horizontalAdvance(QString::fromUtf8(sample)));
        width += column < int(extra.size()) ? extra[column] : 0;
        const QTableWidgetItem* title = grid->item(0, column);
        widths[column] = std::max(width, titleFont.horizontalAdvance(title ? title->text() : QString()));
        total += widths[column];
    }
    const int margin = std::max(kLeastMargin, (grid->viewport()->width() - total) / std::max(1, columns));
    for (int column = 0; column < columns; ++column)
        grid->setColumnWidth(column, widths[column] + margin);
    total += columns * kLeastMargin;
    return total + grid->verticalScrollBar()->sizeHint().width() + 2 * grid->frameWidth();
}

// The overlay editor.

CellEditor::CellEditor(QTableWidget* grid, QWidget* parent, Client& client, const char* textName,
                       const char* listName)
    : QObject(parent), grid_(grid), client_(client)
{
    text_ = new QLineEdit(parent);
    text_->setObjectName(QString::fromLatin1(textName));
    text_->setValidator(new FrequencyValidator(text_));
    text_->setAlignment(Qt::AlignCenter);
    text_->hide();
    text_->installEventFilter(this);
    if (listName) {
        list_ = new QComboBox(parent);
        list_->setObjectName(QString::fromLatin1(listName));
        list_->setEditable(false);
        list_->setMaxVisibleItems(16);
        list_->hide();
        list_->installEventFilter(this);
    }
    grid_->installEventFilter(this);
}

void CellEditor::place()
{
    if (open_ == Kind::Text)
        PlaceOverCell(grid_, text_, row_, column_);
    else if (open_ == Kind::List)
        PlaceOverCell(grid_, list_, row_, column_);
}

void CellEditor::begin()
{
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (row < 1 || row >= grid_->rowCount() || column < 0)
        return;
    if (open_ != Kind::None)
        commitAndClose();
    const Kind kind = client_.editorFor(row, column);
    if (kind == Kind::None || (kind == Kind::List && !list_)) {
        grid_->setFocus();
        return;
    }
    grid_->scrollToItem(grid_->item(row, column));
    row_ = row;
    column_ = column;
    saved_ = CellText(grid_, row, column);
    // The reader hears what the editor edits, then the value it holds.
    QWidget* editor = kind == Kind::Text ? static_cast<QWidget*>(text_) : list_;
    editor->setAccessibleName(CellName(grid_, row, column));
    RenewForReader(editor);
    if (kind == Kind::Text) {
        if (list_)
            list_->hide();
        open_ = Kind::Text;
        ShowCellEditor(grid_, text_, row, column);
        return;
    }
    text_->hide();
    PlaceOverCell(grid_, list_, row, column);
    // Filling the list is not a choice: only activated() stores.
    list_->clear();
    client_.fillList(row, column, list_);
    list_->setCurrentIndex(list_->findText(saved_));
    list_->show();
    list_->raise();
    open_ = Kind::List;
    list_->setFocus();
}

bool CellEditor::commit()
{
    const Kind kind = open_;
    open_ = Kind::None;  // before any message box can move the focus
    if (kind == Kind::None)
        return true;
    return client_.commitCell(row_, column_, kind);
}

void CellEditor::commitAndClose()
{
    if (open_ != Kind::None)
        commit();
    close();
}

void CellEditor::close()
{
    open_ = Kind::None;
    // Hand the focus back before hiding, so it does not wander to a button.
    if (text_->hasFocus() || (list_ && list_->hasFocus()))
        grid_->setFocus();
    text_->hide();
    text_->clear();
    if (list_) {
        list_->hide();
        list_->clear();
    }
}

void CellEditor::abandon()
{
    const int row = row_;
    close();
    client_.abandoned(row);
    grid_->setFocus();
}

void CellEditor::abandonIfReplaced()
{
    if (open_ != Kind::None && CellText(grid_, row_, column_) != saved_)
        abandon();
}

void CellEditor::moveTo(int row, int column)
{
    grid_->setCurrentCell(std::clamp(row, 1, grid_->rowCount() - 1), column);
    begin();
}

void CellEditor::enter(Kind kind)
{
    const int row = row_;
    const int column = column_;
    const QString typed = text_->text();
    if (!commit()) {
        if (!client_.stillLoaded())
            return;
        // Refused: stay on the cell with what was typed, to be corrected.
        begin();
        text_->setText(typed);
        return;
    }
    close();
    client_.moveOn(row, column, kind);
}

bool CellEditor::gridKeyPress(QKeyEvent* key)
{
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (IsEnterKey(key) || key->key() == Qt::Key_F2) {
        client_.activateCell(row, column);
        return true;
    }
    if (TypesFrequencyCharacter(key) && key->modifiers() == Qt::NoModifier &&
        client_.editorFor(row, column) == Kind::Text) {
        client_.activateCell(row, column);
        if (open_ == Kind::Text)
            text_->setText(key->text());
        return true;
    }
    // Other characters would jump the cursor to a matching cell; ignore them.
    return TypesCharacter(key);
}

bool CellEditor::editorKeyPress(QKeyEvent* key, Kind kind)
{
    if (IsEnterKey(key)) {
        if (open_ == kind)
            enter(kind);
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        abandon();
        return true;
    }
    if (kind == Kind::List)
        return IsTypedListKey(key);
    // Only digits and the point are typed; other characters are discarded.
    return TypesCharacter(key) && !TypesFrequencyCharacter(key);
}

void CellEditor::lostFocus(QFocusEvent* event, Kind kind)
{
    // The list's own popup and a message box or another program taking over
    // are not the user leaving the cell.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (open_ == kind)
        commitAndClose();
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (watched == grid_) {
        if (type == QEvent::KeyPress)
            return gridKeyPress(static_cast<QKeyEvent*>(event));
        if (type == QEvent::FocusIn)
            AnnounceCurrentCell(grid_);
        if (type == QEvent::Resize) {
            client_.gridResized();
            place();
        }
        return false;
    }
    const Kind kind = watched == text_ ? Kind::Text : watched == list_ && list_ ? Kind::List : Kind::None;
    if (kind == Kind::None)
        return false;
    // Escape and Enter belong to the open editor, not to a button of the window.
    if (type == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsEnterKey(key) || key->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    if (type == QEvent::KeyPress)
        return editorKeyPress(static_cast<QKeyEvent*>(event), kind);
    if (type == QEvent::FocusIn && kind == Kind::List)
        saved_ = list_->currentText();
    if (type == QEvent::FocusOut)
        lostFocus(static_cast<QFocusEvent*>(event), kind);
    return false;
}

}  // namespace mx615
