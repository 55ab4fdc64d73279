#include "channels/frm_chann.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "channels/ChannelGrid.h"
#include "channels/ChannelRecord.h"
#include "channels/Form_Chann_Edit.h"
#include "files/ChannFileDialog.h"
#include "model/Codecs.h"
#include "model/RadioDefaults.h"
#include "ui/Prompt.h"

namespace mx615 {

using namespace ChannelGrid;

frm_chann::frm_chann(WindowHost& host) : ChildWindow(host)
{
    setObjectName("frm_chann");
    buildControls();
}

void frm_chann::buildControls()
{
    MSF_chann = new QTableWidget(kRows, kColumns, this);
    MSF_chann->setObjectName("MSF_chann");
    // Row n is channel n; row 0 holds the titles for that numbering.
    SetUpEditGrid(MSF_chann);
    // A run of channels is selected as rows are in a spreadsheet (Shift with
    // the arrows or a click, Ctrl+A), for the row commands.
    MSF_chann->setSelectionMode(QAbstractItemView::ContiguousSelection);
    MSF_chann->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MSF_chann, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        showRowsMenu(MSF_chann->viewport()->mapToGlobal(at));
    });
    // Shift+F10 opens it too, at the current cell, as the Menu key does.
    auto* menuKeys = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), MSF_chann, nullptr, nullptr,
                                   Qt::WidgetWithChildrenShortcut);
    connect(menuKeys, &QShortcut::activated, this, [this] {
        const QRect cell = MSF_chann->visualRect(MSF_chann->currentIndex());
        showRowsMenu(MSF_chann->viewport()->mapToGlobal(cell.center()));
    });
    editor_ = new CellEditor(MSF_chann, this, *this, "Text_Edit", "Combo_edit");
    Text_Edit = editor_->text();
    Combo_edit = editor_->list();

    Command_Edit = makeButton("Command_Edit");
    Command_def = makeButton("Command_def");
    Command_clear = makeButton("Command_clear");
    Command_close = makeButton("Command_close");
    Command_Help = makeButton("Command_Help");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(MSF_chann, 1);
    layout->addLayout(buttonRow({Command_Edit, Command_def, Command_clear, Command_close, Command_Help}));

    connect(MSF_chann, &QTableWidget::cellClicked, this, &frm_chann::MSF_chann_Click);
    connect(MSF_chann, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        MSF_chann_LeaveCell();
        // The caption and the channel dialog follow the cursor, by mouse or key.
        if (row >= 1 && row <= kChannels) {
            state().CurrentChannel = int16_t(row);
            UpdateCaption();
        }
    });
    connect(MSF_chann->verticalScrollBar(), &QScrollBar::valueChanged, this, &frm_chann::MSF_chann_Scroll);
    connect(MSF_chann->horizontalScrollBar(), &QScrollBar::valueChanged, this, &frm_chann::MSF_chann_Scroll);
    connect(Combo_edit, &QComboBox::activated, this, &frm_chann::Combo_edit_Click);
    connect(Command_Edit, &QPushButton::clicked, this, &frm_chann::Command_Edit_Click);
    connect(Command_def, &QPushButton::clicked, this, &frm_chann::Command_def_Click);
    connect(Command_clear, &QPushButton::clicked, this, &frm_chann::Command_clear_Click);
    connect(Command_close, &QPushButton::clicked, this, &frm_chann::Command_close_Click);
    connect(Command_Help, &QPushButton::clicked, this, &frm_chann::Command_Help_Click);
    // The channel table stays open beside the other windows and has no
    // Escape: in an open cell editor Escape abandons the entry (the editor
    // takes it), and elsewhere it does nothing, so that it never closes the
    // table with the dialogs opened from it.
}

void frm_chann::applyCaptions()
{
    const bool zh = chinese();
    SetColumnTitles(MSF_chann, kColumnFormat.pick(zh));
    SetGridSpeech(MSF_chann, qs(ChannelGridTexts::GridName, zh), zh);
    Command_close->setText(qs(ChannelGridTexts::Close, zh));
    Command_Edit->setText(qs(ChannelGridTexts::Edit, zh));
    Command_Help->setText(qs(ChannelGridTexts::Help, zh));
    Command_def->setText(qs(ChannelGridTexts::Default, zh));
    Command_clear->setText(qs(ChannelGridTexts::Clear, zh));
}

void frm_chann::Form_Load()
{
    applyCaptions();
    const QSize inner = host().clientSize();
    const int width = int(host().frameSize().width() / 1.05);
    const int height = int(host().frameSize().height() / 1.3);
    place((inner.width() - width) / 8, (inner.height() - height) / 8, width, height);
    if (frame())
        frame()->show();
    else
        show();
    Text_Edit->hide();
    state().ChannelCount = kChannels;
    for (int n = 1; n <= kChannels; ++n)
        setCell(n, ColNumber, QString::number(n));
    state().CurrentChannel = 1;
    showAllRows();
    fitColumns();
    MSF_chann->setCurrentCell(1, ColRx);
    UpdateCaption();
    MSF_chann->setFocus();
}

void frm_chann::Form_Activate()
{
    state().ChannelCount = kChannels;
    showAllRows();
    // The record under an open editor may have been replaced meanwhile (a read
    // from the radio, a file, the channel dialog).
    editor_->abandonIfReplaced();
}

void frm_chann::Form_Unload()
{
    // The open editor's entry is dropped with the window, as with any close.
    editor_->forget();
}

frm_chann::Editor frm_chann::openEditor() const
{
    switch (editor_->open()) {
    case CellEditor::Kind::Text: return Editor::Text;
    case CellEditor::Kind::List: return Editor::Combo;
    default: return Editor::None;
    }
}

void frm_chann::showAllRows()
{
    for (int n = 1; n <= kChannels; ++n)
        ShowChannelRow(n);
}

void frm_chann::UpdateCaption()
{
    setCaption(Caption(state().CurrentChannel));
}

void frm_chann::ShowChannelRow(int n)
{
    if (n < 1 || n > kChannels)
        return;
    if (!ChannelInUse(state(), n)) {
        ClearChannelRow(n);
        return;
    }
    const auto texts = RowTexts(state(), n, chinese());
    for (int column = ColRx; column < kColumns; ++column)
        setCell(n, column, texts[column]);
}

void frm_chann::ClearChannelRow(int n)
{
    for (int column = ColRx; column < kColumns; ++column)
        setCell(n, column, QString());
    ClearChannel(state(), n);
    SetScanAdd(state(), n, false);
}

void frm_chann::MSF_chann_Click(int row, int column)
{
    if (row < 1 || row > kChannels || column < 0)
        return;
    // Shift or Ctrl with a click widens the selection; it edits nothing.
    if (QGuiApplication::keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
        return;
    BeginCellEdit();
    state().CurrentChannel = int16_t(row);
    UpdateCaption();
}

void frm_chann::MSF_chann_LeaveCell()
{
    editor_->commitAndClose();
}

void frm_chann::MSF_chann_Scroll()
{
    // An editor left behind would float over another cell.
    editor_->commitAndClose();
}

void frm_chann::BeginCellEdit()
{
    editor_->begin();
}

CellEditor::Kind frm_chann::editorFor(int row, int column) const
{
    if (IsFrequencyColumn(column))
        return CellEditor::Kind::Text;
    const bool listOpens = IsListColumn(column) && ChannelInUse(state(), row) &&
                           (column != ColEncode || HasTx(state(), row));
    return listOpens ? CellEditor::Kind::List : CellEditor::Kind::None;
}

void frm_chann::fillList(int, int column, QComboBox* list)
{
    for (const std::string& entry : ColumnChoices(state(), column, chinese()))
        list->addItem(qs(entry));
    choiceMade_ = false;
}

bool frm_chann::commitCell(int row, int column, CellEditor::Kind kind)
{
    bool stored = true;
    if (kind == CellEditor::Kind::Text) {
        stored = column == ColRx ? commitRx(row, Text_Edit->text()) : commitTx(row, Text_Edit->text());
        if (stored)
            recordCellStep(row, column);
    } else if (kind == CellEditor::Kind::List && choiceMade_) {
        setCell(row, column, Combo_edit->currentText());   // each pick was a step of its own already
    }
    return stored;
}

void frm_chann::recordCellStep(int row, int column)
{
    // "RX Frequency of channel 3", named after the column's title.
    auto title = [column](bool zh) {
        const auto titles = ColumnTitles(kColumnFormat.pick(zh));
        QString text = column < int(titles.size()) ? qs(titles[std::size_t(column)]).trimmed() : QString();
        return text.toStdString();
    };
    host().recordStep(FieldStep({title(false), title(true)}, row));
}

bool frm_chann::showProblem(FrequencyProblem problem, bool transmit)
{
    if (const Bilingual* warning = ChannelGridTexts::ForProblem(problem, transmit))
        warn(*warning);
    if (problem == FrequencyProblem::RxFirst)
        Text_Edit->clear();
    return problem != FrequencyProblem::Unstorable;
}

bool frm_chann::commitRx(int n, const QString& text)
{
    const ChannelFrequencyEntry entry = EnterRxFrequency(state(), n, text.toStdString());
    if (entry.result == ChannelFrequencyEntry::Result::Cleared) {
        ClearChannelRow(n);
        return true;
    }
    if (!showProblem(entry.problem, false))
        return false;
    setCell(n, ColRx, entry.shown);
    Text_Edit->setText(qs(entry.shown));
    if (entry.newChannel)
        ShowChannelRow(n);
    return true;
}

bool frm_chann::commitTx(int n, const QString& text)
{
    // An out-of-band TX entry takes the encode tone with it in the table.
    const ChannelFrequencyEntry entry = EnterTxFrequency(state(), n, text.toStdString(), true);
    if (!showProblem(entry.problem, true))
        return false;
    if (entry.result == ChannelFrequencyEntry::Result::Cleared) {
        setCell(n, ColTx, QString());
        setCell(n, ColEncode, QString());
    } else if (entry.result == ChannelFrequencyEntry::Result::Stored) {
        setCell(n, ColTx, entry.shown);
        Text_Edit->setText(qs(entry.shown));
        // The encode tone is shown only with a TX frequency; show what it holds.
        setCell(n, ColEncode, ToneText(state(), n, kEncodeFirst, chinese()));
    }
    return true;
}

void frm_chann::Combo_edit_Click(int index)
{
    if (editor_->open() != CellEditor::Kind::List)
        return;
    editor_->setSavedText(Combo_edit->currentText());
    StoreComboChoice(index);
}

void frm_chann::StoreComboChoice(int p)
{
    StoreColumnChoice(state(), editor_->row(), editor_->column(), p);
    choiceMade_ = true;
    // The cell follows the record at once, so that abandoning the list later
    // cannot leave a cell that disagrees with the stored value.
    setCell(editor_->row(), editor_->column(), Combo_edit->currentText());
    recordCellStep(editor_->row(), editor_->column());
}

void frm_chann::moveOn(int row, int column, CellEditor::Kind kind)
{
    if (kind == CellEditor::Kind::List) {
        if (column < ColPttId)
            editor_->moveTo(row, column + 1);
        else
            editor_->moveTo(row + 1, ColRx);
        return;
    }
    if (column == ColRx) {
        if (cell(row, ColTx).isEmpty())
            setCell(row, ColTx, cell(row, ColRx));  // offered as TX, stored only when committed
        editor_->moveTo(row, ColTx);
        return;
    }
    if (cell(row, ColRx).isEmpty() && cell(row, ColTx).isEmpty())
        editor_->moveTo(row + 1, ColRx);
    else
        editor_->moveTo(row, ColDecode);
}

void frm_chann::Command_Edit_Click()
{
    host().openWindow<Form_Chann_Edit>();
}

void frm_chann::Command_clear_Click()
{
    editor_->close();
    for (int n = 1; n <= kChannels; ++n)
        ClearChannel(state(), n);
    state().ChannelCount = kChannels;
    showAllRows();  // every row is empty now, so this also empties the scan list
    host().recordStep(ChannelGridTexts::Clear);
}

void frm_chann::Command_def_Click()
{
    editor_->close();
    LoadDefaultChannels(state());
    state().ChannelCount = kChannels;
    showAllRows();
    host().recordStep(ChannelGridTexts::Default);
}

void frm_chann::Command_close_Click()
{
    WindowHost& main = host();
    unload();
    main.unloadWindow<Form_Chann_Edit>();
    main.unloadWindow<Form_open_chann>();
    main.unloadWindow<Form_save_chann>();
}

void frm_chann::Command_Help_Click() {}

void frm_chann::fitColumns()
{
    // Each column as wide as its widest possible text, in either language.
    static const std::vector<std::vector<const char*>> samples{
        {"16"},
        {"888.88888", "1666.66665"},
        {"888.88888", "1666.66665"},
        {"D754I", "250.3", "None", "无"},
        {"D754I", "250.3", "None", "无"},
        {"High", "Low", "高"},
        {"Narrow", "Wide", "窄带"},
        {"Yes", "None", "有"},
        {"FleetSync", "DTMF", "None"},
        {"OFF", "ON", "开"},
    };
    // A list cell also needs room for the drop-down arrow of its editor.
    const int arrow = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    std::vector<int> extra(kColumns, 0);
    for (int column = 0; column < kColumns; ++column)
        if (IsListColumn(column))
            extra[column] = arrow;
    FitColumns(MSF_chann, samples, extra);
}

QString frm_chann::cell(int row, int column) const
{
    return CellText(MSF_chann, row, column);
}

void frm_chann::setCell(int row, int column, const QString& text)
{
    SetCellText(MSF_chann, row, column, text);
}

void frm_chann::setCell(int row, int column, const std::string& text)
{
    setCell(row, column, qs(text));
}

}  // namespace mx615
