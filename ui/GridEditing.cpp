#include "ui/GridEditing.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

#include "channels/ChannelGrid.h"
#include "channels/FrequencyEntry.h"

namespace mx615 {

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

void SetUpEditGrid(QTableWidget* grid, QObject* watcher)
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
    for (int row = 0; row < grid->rowCount(); ++row)
        for (int column = 0; column < grid->columnCount(); ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (column == 0)
                item->setBackground(grid->palette().button());
            grid->setItem(row, column, item);
        }
    grid->installEventFilter(watcher);
}

QLineEdit* MakeCellEditor(QWidget* parent, const char* name)
{
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QString::fromLatin1(name));
    editor->setValidator(new FrequencyValidator(editor));
    editor->setAlignment(Qt::AlignCenter);
    editor->hide();
    editor->installEventFilter(parent);
    return editor;
}

void SetColumnTitles(QTableWidget* grid, const std::string& format)
{
    const std::vector<std::string> titles = ChannelGrid::ColumnTitles(format);
    QStringList labels;
    for (int column = 0; column < grid->columnCount(); ++column) {
        const QString title = column < int(titles.size()) ? QString::fromStdString(titles[column]) : QString();
        labels << title;
        if (QTableWidgetItem* item = grid->item(0, column))
            item->setText(title);
    }
    grid->setHorizontalHeaderLabels(labels);
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
    const QTableWidgetItem* item = grid->item(row, column);
    editor->setText(item ? item->text() : QString());
    editor->selectAll();
    editor->show();
    editor->raise();
    editor->setFocus();
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

}  // namespace mx615
