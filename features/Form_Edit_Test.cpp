#include "features/Form_Edit_Test.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "features/FeatureTexts.h"
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
    SetUpEditGrid(MSF_chann);
    editor_ = new CellEditor(MSF_chann, this, *this, "Text_Edit");
    Text_Edit = editor_->text();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(MSF_chann, 1);
    layout->addLayout(buttonRow({Command_close, Command_Help}));

    connect(MSF_chann, &QTableWidget::cellClicked, this, &Form_Edit_Test::MSF_chann_Click);
    connect(MSF_chann, &QTableWidget::currentCellChanged, this, &Form_Edit_Test::MSF_chann_LeaveCell);
    // An editor left behind would float over another cell.
    connect(MSF_chann->verticalScrollBar(), &QScrollBar::valueChanged, editor_, &CellEditor::commitAndClose);
    connect(MSF_chann->horizontalScrollBar(), &QScrollBar::valueChanged, editor_, &CellEditor::commitAndClose);
}

void Form_Edit_Test::Form_Load()
{
    placeInMain(3, 2, 4);
    for (int row = 1; row < kRows; ++row)
        setCell(row, ColNumber, QString::fromStdString(TestFrequencyRowLabel(row)));
    setTexts(TestTexts::Caption, TestTexts::Captions);
    SetColumnTitles(MSF_chann, TestTexts::ColumnFormat.pick(chinese()));
    SetGridSpeech(MSF_chann, qs(TestTexts::GridName, chinese()), chinese());
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
    editor_->abandonIfReplaced();
}

void Form_Edit_Test::Form_Unload()
{
    // Closing keeps an entry in progress when it stands as typed.
    if (editing()) {
        editor_->forget();
        commitEdit(editor_->row(), editor_->column(), true);
    }
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
    editor_->commitAndClose();
}

void Form_Edit_Test::OpenCellEditor()
{
    editor_->begin();
}

CellEditor::Kind Form_Edit_Test::editorFor(int, int column) const
{
    return isFrequencyColumn(column) ? CellEditor::Kind::Text : CellEditor::Kind::None;
}

bool Form_Edit_Test::commitEdit(int row, int column, bool quiet)
{
    const TestCellEdit edit = LeaveTestCell(state(), column, Text_Edit->text().toStdString(),
                                            cell(row, ColRx).toStdString(), cell(row, ColTx).toStdString());
    if (quiet && edit.warning)
        return false;
    setCell(row, ColRx, QString::fromStdString(edit.rx));
    setCell(row, ColTx, QString::fromStdString(edit.tx));
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

void Form_Edit_Test::moveOn(int row, int column, CellEditor::Kind)
{
    if (column == ColRx && !cell(row, ColRx).isEmpty())
        editor_->moveTo(row, ColTx);
    else
        editor_->moveTo(row + 1, ColRx);
}

int Form_Edit_Test::fitColumns()
{
    static const std::vector<std::vector<const char*>> samples{{"16"}, {"888.88888"}, {"888.88888"}};
    return FitColumns(MSF_chann, samples);
}

QString Form_Edit_Test::cell(int row, int column) const
{
    return CellText(MSF_chann, row, column);
}

void Form_Edit_Test::setCell(int row, int column, const QString& text)
{
    SetCellText(MSF_chann, row, column, text);
}

}  // namespace mx615
