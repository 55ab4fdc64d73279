#include "features/Form_Edit_Test.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "features/FeatureTexts.h"
#include "ui/GridEditing.h"
#include "ui/Prompt.h"

namespace mx615 {

using namespace TestGrid;

namespace {

bool isFrequencyColumn(int column) { return column == ColRx || column == ColTx; }

}  // namespace

Form_Edit_Test::Form_Edit_Test(WindowHost& host) : FeatureWindow(host, "Command_Help")
{
    setObjectName("Form_Edit_Test");
    MSF_chann = new QTableWidget(kRows, kColumns, this);
    MSF_chann->setObjectName("MSF_chann");
    SetUpEditGrid(MSF_chann, this);
    Text_Edit = MakeCellEditor(this, "Text_Edit");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(MSF_chann, 1);
    layout->addLayout(buttonRow());

    connect(MSF_chann, &QTableWidget::cellClicked, this, &Form_Edit_Test::MSF_chann_Click);
    connect(MSF_chann, &QTableWidget::currentCellChanged, this, &Form_Edit_Test::MSF_chann_LeaveCell);
    // An editor left behind would float over another cell.
    connect(MSF_chann->verticalScrollBar(), &QScrollBar::valueChanged, this, &Form_Edit_Test::commitAndClose);
    connect(MSF_chann->horizontalScrollBar(), &QScrollBar::valueChanged, this, &Form_Edit_Test::commitAndClose);
}

void Form_Edit_Test::Form_Load()
{
    placeInMain(3, 2, 4);
    for (int row = 1; row < kRows; ++row)
        setCell(row, ColNumber, QString::fromStdString(TestFrequencyRowLabel(row)));
    setTexts(TestTexts::Caption, TestTexts::Captions);
    SetColumnTitles(MSF_chann, TestTexts::ColumnFormat.pick(chinese()));
    ShowTestFrequencies();
    // The window is a third of the main window wide; never so narrow that a
    // frequency column is cut off.
    MSF_chann->setMinimumWidth(fitColumns());
    growToContent();
    showActive();
    MSF_chann->setCurrentCell(1, ColRx);
    MSF_chann->setFocus();
}

void Form_Edit_Test::Form_Activate()
{
    ShowTestFrequencies();
    // The frequency under an open editor may have been replaced meanwhile (a
    // read from the radio, a file): the old entry must not overwrite it.
    if (editing_ && cell(editRow_, editCol_) != savedText_) {
        closeEditor();
        MSF_chann->setFocus();
    }
}

void Form_Edit_Test::Form_Unload()
{
    // Closing keeps an entry in progress when it stands as typed.
    if (editing_)
        commitEdit(true);
    editing_ = false;
}

void Form_Edit_Test::ShowTestFrequencies()
{
    for (int row = 1; row < kRows; ++row)
        for (int column : {ColRx, ColTx})
            setCell(row, column, QString::fromStdString(TestFrequencyText(state(), row, column)));
}

void Form_Edit_Test::MSF_chann_Click(int row, int column)
{
    if (row < 1 || row >= kRows || !isFrequencyColumn(column))
        return;
    OpenCellEditor();
}

void Form_Edit_Test::MSF_chann_LeaveCell()
{
    commitAndClose();
}

void Form_Edit_Test::OpenCellEditor()
{
    const int row = MSF_chann->currentRow();
    const int column = MSF_chann->currentColumn();
    if (row < 1 || row >= kRows || !isFrequencyColumn(column))
        return;
    if (editing_)
        commitAndClose();
    MSF_chann->scrollToItem(MSF_chann->item(row, column));
    editRow_ = row;
    editCol_ = column;
    savedText_ = cell(row, column);
    editing_ = true;
    ShowCellEditor(MSF_chann, Text_Edit, row, column);
}

bool Form_Edit_Test::commitEdit(bool quiet)
{
    editing_ = false;  // before any message box can move the focus
    const TestCellEdit edit = LeaveTestCell(state(), editCol_, Text_Edit->text().toStdString(),
                                            cell(editRow_, ColRx).toStdString(), cell(editRow_, ColTx).toStdString());
    if (quiet && edit.warning)
        return false;
    setCell(editRow_, ColRx, QString::fromStdString(edit.rx));
    setCell(editRow_, ColTx, QString::fromStdString(edit.tx));
    // The grid reaches the image as each cell is left, not only when the
    // grid loses the focus, so a transfer or a save never misses an entry.
    StoreChangedFrequencies();
    if (edit.warning && !warn(*edit.warning))
        return false;
    return !edit.refused;
}

void Form_Edit_Test::StoreChangedFrequencies()
{
    // Only cells that changed are written: a stored value the grid cannot
    // show exactly (a frequency below 100 MHz under a higher band, a digit
    // beyond 9) keeps its bytes until the user enters another one.
    for (int row = 1; row < kRows; ++row)
        for (int column : {ColRx, ColTx}) {
            const std::string text = cell(row, column).toStdString();
            if (text != TestFrequencyText(state(), row, column))
                StoreTestFrequency(state(), row, column, text);
        }
}

void Form_Edit_Test::commitAndClose()
{
    if (editing_)
        commitEdit();
    closeEditor();
}

void Form_Edit_Test::closeEditor()
{
    editing_ = false;
    // Hand the focus back before hiding, so it does not wander to a button.
    if (Text_Edit->hasFocus())
        MSF_chann->setFocus();
    Text_Edit->hide();
    Text_Edit->clear();
}

void Form_Edit_Test::enterFromEditor()
{
    const int row = editRow_;
    const int column = editCol_;
    const QString typed = Text_Edit->text();
    if (!commitEdit()) {
        if (!loaded())
            return;
        // Refused: stay on the cell with what was typed, to be corrected.
        OpenCellEditor();
        Text_Edit->setText(typed);
        return;
    }
    closeEditor();
    if (column == ColRx && !cell(row, ColRx).isEmpty())
        moveTo(row, ColTx);
    else
        moveTo(row + 1, ColRx);
}

void Form_Edit_Test::moveTo(int row, int column)
{
    MSF_chann->setCurrentCell(std::clamp(row, 1, kRows - 1), column);
    OpenCellEditor();
}

bool Form_Edit_Test::gridKeyPress(QKeyEvent* key)
{
    const int column = MSF_chann->currentColumn();
    if (IsEnterKey(key) || key->key() == Qt::Key_F2) {
        OpenCellEditor();
        return true;
    }
    if (isFrequencyColumn(column) && TypesFrequencyCharacter(key) && key->modifiers() == Qt::NoModifier) {
        OpenCellEditor();
        if (editing_)
            Text_Edit->setText(key->text());
        return true;
    }
    // Other characters would jump the cursor to a matching cell; ignore them.
    return TypesCharacter(key);
}

bool Form_Edit_Test::editorKeyPress(QKeyEvent* key)
{
    if (IsEnterKey(key)) {
        if (editing_)
            enterFromEditor();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        closeEditor();  // the cell keeps its text
        return true;
    }
    return TypesCharacter(key) && !TypesFrequencyCharacter(key);
}

bool Form_Edit_Test::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (watched == MSF_chann) {
        if (type == QEvent::KeyPress)
            return gridKeyPress(static_cast<QKeyEvent*>(event));
        if (type == QEvent::Resize) {
            fitColumns();
            if (editing_)
                PlaceOverCell(MSF_chann, Text_Edit, editRow_, editCol_);
        }
    } else if (watched == Text_Edit) {
        // Escape and Enter belong to the editor while it is open, not to the
        // window's Close button.
        if (type == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (IsEnterKey(key) || key->key() == Qt::Key_Escape) {
                event->accept();
                return true;
            }
        }
        if (type == QEvent::KeyPress)
            return editorKeyPress(static_cast<QKeyEvent*>(event));
        if (type == QEvent::FocusOut) {
            // The window going to the back or a message box is not the
            // user leaving the cell.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (editing_ && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                commitAndClose();
        }
    }
    return FeatureWindow::eventFilter(watched, event);
}

int Form_Edit_Test::fitColumns()
{
    static const std::vector<std::vector<const char*>> samples{{"16"}, {"888.88888"}, {"888.88888"}};
    return FitColumns(MSF_chann, samples);
}

QString Form_Edit_Test::cell(int row, int column) const
{
    const QTableWidgetItem* item = MSF_chann->item(row, column);
    return item ? item->text() : QString();
}

void Form_Edit_Test::setCell(int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = MSF_chann->item(row, column))
        item->setText(text);
}

}  // namespace mx615
