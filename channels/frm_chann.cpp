#include "channels/frm_chann.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/Prompt.h"
#include "ui/PickOnly.h"
#include "channels/ChannelGrid.h"
#include "channels/ChannelRecord.h"
#include "channels/Form_Chann_Edit.h"
#include "channels/FrequencyEntry.h"
#include "files/ChannFileDialog.h"
#include "model/Codecs.h"
#include "model/RadioDefaults.h"
#include "ui/GridEditing.h"

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
    SetUpEditGrid(MSF_chann, this);
    Text_Edit = MakeCellEditor(this, "Text_Edit");

    Combo_edit = new QComboBox(this);
    Combo_edit->setObjectName("Combo_edit");
    Combo_edit->setEditable(false);
    Combo_edit->setMaxVisibleItems(16);
    Combo_edit->hide();
    Combo_edit->installEventFilter(this);

    auto button = [this](QPushButton*& target, const char* name) {
        target = new QPushButton(this);
        target->setObjectName(name);
        target->setAutoDefault(false);
        return target;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(button(Command_Edit, "Command_Edit"));
    buttons->addWidget(button(Command_def, "Command_def"));
    buttons->addWidget(button(Command_clear, "Command_clear"));
    buttons->addWidget(button(Command_close, "Command_close"));
    buttons->addWidget(button(Command_Help, "Command_Help"));
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(MSF_chann, 1);
    layout->addLayout(buttons);

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
}

void frm_chann::applyCaptions()
{
    const bool zh = chinese();
    SetColumnTitles(MSF_chann, kColumnFormat.pick(zh));
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
    // from the radio, a file, the channel dialog). Committing the editor's old
    // text later would silently overwrite the new value, so drop the edit.
    if (open_ != Editor::None && cell(EditRow, EditCol) != SavedCellText)
        abandonEdit();
}

void frm_chann::Form_Unload()
{
    // The open editor's entry is dropped with the window, as with any close.
    open_ = Editor::None;
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
    BeginCellEdit();
    state().CurrentChannel = int16_t(row);
    UpdateCaption();
}

void frm_chann::MSF_chann_LeaveCell()
{
    commitAndClose();
}

void frm_chann::MSF_chann_Scroll()
{
    // An editor left behind would float over another cell.
    commitAndClose();
}

void frm_chann::BeginCellEdit()
{
    const int row = MSF_chann->currentRow();
    const int column = MSF_chann->currentColumn();
    if (row < 1 || row > kChannels || column < 0)
        return;
    if (open_ != Editor::None)
        commitAndClose();
    MSF_chann->scrollToItem(MSF_chann->item(row, column));
    EditRow = row;
    EditCol = column;
    SavedCellText = cell(row, column);

    if (IsFrequencyColumn(column)) {
        Combo_edit->hide();
        open_ = Editor::Text;
        ShowCellEditor(MSF_chann, Text_Edit, row, column);
        return;
    }
    const bool listOpens = IsListColumn(column) && ChannelInUse(state(), row) &&
                           (column != ColEncode || HasTx(state(), row));
    if (!listOpens) {
        MSF_chann->setFocus();
        return;
    }
    Text_Edit->hide();
    placeEditor(Combo_edit);
    // Filling the list is not a choice: only activated() stores.
    Combo_edit->clear();
    for (const std::string& entry : ColumnChoices(state(), column, chinese()))
        Combo_edit->addItem(qs(entry));
    Combo_edit->setCurrentIndex(Combo_edit->findText(SavedCellText));
    choiceMade_ = false;
    Combo_edit->show();
    Combo_edit->raise();
    open_ = Editor::Combo;
    Combo_edit->setFocus();
}

bool frm_chann::CommitCell()
{
    const Editor editor = open_;
    open_ = Editor::None;  // before any message box can move the focus
    if (editor == Editor::Text)
        return EditCol == ColRx ? commitRx(Text_Edit->text()) : commitTx(Text_Edit->text());
    if (editor == Editor::Combo && choiceMade_)
        setCell(EditRow, EditCol, Combo_edit->currentText());
    return true;
}

bool frm_chann::commitRx(const QString& text)
{
    const int n = EditRow;
    const std::string typed = Trimmed(text.toStdString());
    const bool wasEmpty = !ChannelInUse(state(), n);
    if (typed.empty()) {
        ClearChannelRow(n);
        return true;
    }
    std::string stored;
    if (!FrequencyInBand(state(), typed)) {
        warn(ChannelGridTexts::RxOutOfBand);
        stored = BandLowText(state());
    } else if (const auto normal = NormalisedFrequencyText(state(), typed)) {
        stored = *normal;
    } else {
        warn(ChannelGridTexts::BadFrequency);
        return false;
    }
    StoreFrequency(state(), stored, n, kRxFirst);
    setCell(n, ColRx, stored);
    Text_Edit->setText(qs(stored));
    if (wasEmpty) {
        SetChannelDefaults(state(), n);
        ShowChannelRow(n);
    }
    return true;
}

bool frm_chann::commitTx(const QString& text)
{
    const int n = EditRow;
    const std::string typed = Trimmed(text.toStdString());
    if (!ChannelInUse(state(), n)) {
        if (!typed.empty()) {
            warn(ChannelGridTexts::RxFirst);
            Text_Edit->clear();
        }
        return true;  // nothing to store on an empty channel
    }
    auto& line = state().RadioImage[n];
    if (typed.empty()) {
        for (int b : {4, 5, 6, 7, 10, 11})
            line[b] = 0xFF;
        setCell(n, ColTx, QString());
        setCell(n, ColEncode, QString());
        return true;
    }
    std::string stored;
    bool toneOff = false;
    if (!FrequencyInBand(state(), typed)) {
        warn(ChannelGridTexts::TxOutOfBand);
        stored = BandLowText(state());
        toneOff = true;
    } else if (const auto normal = NormalisedFrequencyText(state(), typed)) {
        stored = *normal;
    } else {
        warn(ChannelGridTexts::BadFrequency);
        return false;
    }
    StoreFrequency(state(), stored, n, kTxFirst);
    if (toneOff)
        line[10] = line[11] = 0xFF;
    setCell(n, ColTx, stored);
    Text_Edit->setText(qs(stored));
    // The encode tone is shown only with a TX frequency; show what it holds.
    setCell(n, ColEncode, ToneText(state(), n, kEncodeFirst, chinese()));
    return true;
}

void frm_chann::Combo_edit_Click(int index)
{
    if (open_ != Editor::Combo)
        return;
    SavedCellText = Combo_edit->currentText();
    StoreComboChoice(index);
}

void frm_chann::StoreComboChoice(int p)
{
    StoreColumnChoice(state(), EditRow, EditCol, p);
    choiceMade_ = true;
    // The cell follows the record at once, so that abandoning the list later
    // cannot leave a cell that disagrees with the stored value.
    setCell(EditRow, EditCol, Combo_edit->currentText());
}

void frm_chann::Combo_edit_GotFocus()
{
    SavedCellText = Combo_edit->currentText();
}

void frm_chann::commitAndClose()
{
    if (open_ != Editor::None)
        CommitCell();
    closeEditors();
}

void frm_chann::closeEditors()
{
    open_ = Editor::None;
    // Hand the focus back before hiding, so it does not wander to a button.
    if (Text_Edit->hasFocus() || Combo_edit->hasFocus())
        MSF_chann->setFocus();
    Text_Edit->hide();
    Combo_edit->hide();
    Text_Edit->clear();
    Combo_edit->clear();
}

void frm_chann::abandonEdit()
{
    const int row = EditRow;
    closeEditors();
    // A cell may show an offered value that was never stored; show the record.
    ShowChannelRow(row);
    MSF_chann->setFocus();
}

void frm_chann::moveTo(int row, int column)
{
    MSF_chann->setCurrentCell(std::clamp(row, 1, kChannels), column);
    BeginCellEdit();
}

void frm_chann::enterFromText()
{
    const int row = EditRow;
    const int column = EditCol;
    const QString typed = Text_Edit->text();
    if (!CommitCell()) {
        // Refused: stay on the cell with what was typed, to be corrected.
        BeginCellEdit();
        Text_Edit->setText(typed);
        return;
    }
    if (column == ColRx) {
        if (cell(row, ColTx).isEmpty())
            setCell(row, ColTx, cell(row, ColRx));  // offered as TX, stored only when committed
        moveTo(row, ColTx);
        return;
    }
    if (cell(row, ColRx).isEmpty() && cell(row, ColTx).isEmpty())
        moveTo(row + 1, ColRx);
    else
        moveTo(row, ColDecode);
}

void frm_chann::enterFromCombo()
{
    const int row = EditRow;
    const int column = EditCol;
    CommitCell();
    if (column < ColPttId)
        moveTo(row, column + 1);
    else
        moveTo(row + 1, ColRx);
}

bool frm_chann::MSF_chann_KeyPress(QKeyEvent* key)
{
    const int column = MSF_chann->currentColumn();
    if (IsEnterKey(key) || key->key() == Qt::Key_F2) {
        MSF_chann_Click(MSF_chann->currentRow(), column);
        return true;
    }
    if (IsFrequencyColumn(column) && TypesFrequencyCharacter(key) && key->modifiers() == Qt::NoModifier) {
        MSF_chann_Click(MSF_chann->currentRow(), column);
        if (open_ == Editor::Text)
            Text_Edit->setText(key->text());
        return true;
    }
    // Other characters would jump the cursor to a matching cell; ignore them.
    return TypesCharacter(key);
}

bool frm_chann::Text_Edit_KeyPress(QKeyEvent* key)
{
    if (IsEnterKey(key)) {
        if (open_ == Editor::Text)
            enterFromText();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        abandonEdit();
        return true;
    }
    // Only digits and the point are typed; other characters are discarded.
    return TypesCharacter(key) && !TypesFrequencyCharacter(key);
}

bool frm_chann::Combo_edit_KeyPress(QKeyEvent* key)
{
    if (IsEnterKey(key)) {
        if (open_ == Editor::Combo)
            enterFromCombo();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        abandonEdit();
        return true;
    }
    return IsTypedListKey(key);
}

void frm_chann::editorLostFocus(QFocusEvent* event, Editor editor)
{
    // The list's own popup and a message box or another program taking over
    // are not the user leaving the cell.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (open_ == editor)
        commitAndClose();
}

bool frm_chann::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (watched == MSF_chann) {
        if (type == QEvent::KeyPress)
            return MSF_chann_KeyPress(static_cast<QKeyEvent*>(event));
        if (type == QEvent::Resize) {
            fitColumns();
            if (open_ != Editor::None)
                placeEditor(open_ == Editor::Text ? static_cast<QWidget*>(Text_Edit) : Combo_edit);
        }
    } else if (watched == Text_Edit) {
        if (type == QEvent::KeyPress)
            return Text_Edit_KeyPress(static_cast<QKeyEvent*>(event));
        if (type == QEvent::FocusOut)
            editorLostFocus(static_cast<QFocusEvent*>(event), Editor::Text);
    } else if (watched == Combo_edit) {
        if (type == QEvent::KeyPress)
            return Combo_edit_KeyPress(static_cast<QKeyEvent*>(event));
        if (type == QEvent::FocusIn)
            Combo_edit_GotFocus();
        if (type == QEvent::FocusOut)
            editorLostFocus(static_cast<QFocusEvent*>(event), Editor::Combo);
    }
    return ChildWindow::eventFilter(watched, event);
}

void frm_chann::Command_Edit_Click()
{
    host().openWindow<Form_Chann_Edit>();
}

void frm_chann::Command_clear_Click()
{
    closeEditors();
    for (int n = 1; n <= kChannels; ++n)
        ClearChannel(state(), n);
    state().ChannelCount = kChannels;
    showAllRows();  // every row is empty now, so this also empties the scan list
}

void frm_chann::Command_def_Click()
{
    closeEditors();
    LoadDefaultChannels(state());
    state().ChannelCount = kChannels;
    showAllRows();
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

void frm_chann::placeEditor(QWidget* editor)
{
    PlaceOverCell(MSF_chann, editor, EditRow, EditCol);
}

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
    const QTableWidgetItem* item = MSF_chann->item(row, column);
    return item ? item->text() : QString();
}

void frm_chann::setCell(int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = MSF_chann->item(row, column))
        item->setText(text);
}

void frm_chann::setCell(int row, int column, const std::string& text)
{
    setCell(row, column, qs(text));
}

}  // namespace mx615
