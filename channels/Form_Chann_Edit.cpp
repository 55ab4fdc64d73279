#include "channels/Form_Chann_Edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyle>

#include "ui/PickOnly.h"
#include "ui/Prompt.h"
#include "channels/ChannelGrid.h"
#include "channels/ChannelRecord.h"
#include "channels/frm_chann.h"
#include "model/Codecs.h"
#include "model/Tables.h"
#include "ui/GridEditing.h"

namespace mx615 {

namespace {

const Bilingual kCaption{"Channel Edit", "信道编辑"};
// The number box's caption; a screen reader calls the arrows beside it so too.
const Bilingual kChannelCaption{"Channel", "信道"};
const Bilingual kTxRange{"Over the range of Transmit frequency .", "发射频率超出范围 ！"};
const Bilingual kUnstorable{"This frequency cannot be stored as typed.", "无法按输入的格式保存此频率。"};
const Bilingual kUnstorableHow{"Type three digits for the MHz, a point and at most five decimals, for example 450.025.",
                               "请输入三位兆赫数字、小数点和最多五位小数，例如 450.025。"};

// The lists that depend on the channel: (optional signalling on, decode tone listed).
const Bilingual kCarrier{"Carrier", "载波"};
const Bilingual kQt{"QT/DQT", "QT/DQT"};
const Bilingual kCarrierAndSig{"Carrier+ Opt.Sig", "载波 + 可选信令"};
const Bilingual kCarrierOrSig{"Carrier or Opt.Sig", "载波或可选信令"};
const Bilingual kQtAndSig{"QT/DQT+ Opt.Sig", "QT/DQT + 可选信令"};
const Bilingual kQtOrSig{"QT/DQT or Opt.Sig", "QT/DQT 或可选信令"};
const Bilingual kLockQt{"QT/DQY", "QT/DQT"};   // the English entry of the full list reads so
const Bilingual kLockQtShort{"QT/DQT", "QT/DQT"};
const Bilingual kOptionSignalling{"Option Signalling", "可选信令"};

constexpr int kLastChannel = 16;

// A refilled list shows no entry until a position is set, so that setting the
// stored position counts as a change and runs the list's handler. (A combo
// box selects its first entry by itself when filled.)
void refill(QComboBox* box, const QStringList& entries)
{
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(-1);
}

}  // namespace

Form_Chann_Edit::Form_Chann_Edit(WindowHost& host) : ChildWindow(host)
{
    buildControls();
}

Form_Chann_Edit::~Form_Chann_Edit()
{
    unloading_ = true;
}

void Form_Chann_Edit::buildControls()
{
    auto label = [this](QLabel*& control, const char* name) {
        control = makeNamed<QLabel>(name);
    };
    auto text = [this](QLineEdit*& control, const char* name) {
        control = makeNamed<QLineEdit>(name);
        control->installEventFilter(this);
    };
    auto list = [this](QComboBox*& control, const char* name, Handler handler) {
        control = makeNamed<QComboBox>(name);
        control->setEditable(false);
        control->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        control->setMinimumContentsLength(12);
        control->installEventFilter(this);
        connect(control, &QComboBox::activated, this, [this, control, handler](int) {
            (this->*handler)();
            recordField(control);
        });
    };
    auto check = [this](QCheckBox*& control, const char* name, Handler handler) {
        control = makeNamed<QCheckBox>(name);
        connect(control, &QCheckBox::clicked, this, [this, control, handler](bool) {
            (this->*handler)();
            recordField(control);
        });
    };

    // Created in the order the Tab key visits them.
    label(Label_CHN, "Label_CHN");
    text(Text_CHN, "Text_CHN");
    Text_CHN->setMaxLength(2);
    Text_CHN->setMaximumWidth(60);
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName("VScroll1");
    VScroll1->setRange(0, kLastChannel + 1);   // 0 and 17 are where it wraps
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    // As tall as the number box beside it, so the two read as one control.
    VScroll1->setFixedSize(style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2, Text_CHN->sizeHint().height());
    // It takes the focus like any control, so the arrow keys step through the
    // channels and Tab reaches it.
    VScroll1->setFocusPolicy(Qt::StrongFocus);
    label(Label_RX_freq, "Label_RX_freq");
    text(Text_RX_Freq, "Text_RX_Freq");
    label(Label_TX_freq, "Label_TX_freq");
    text(Text_TX_Freq, "Text_TX_Freq");
    const auto* frequencyChars = new QRegularExpressionValidator(QRegularExpression("[0-9.]*"), this);
    for (QLineEdit* box : {Text_RX_Freq, Text_TX_Freq}) {
        box->setValidator(frequencyChars);
        box->setMaxLength(kFrequencyMaxChars + 1);
    }
    label(Label_Decode, "Label_Decode");
    list(Combo_Decode, "Combo_Decode", &Form_Chann_Edit::Combo_Decode_Click);
    label(Label_Encode, "Label_Encode");
    list(Combo_Encode, "Combo_Encode", &Form_Chann_Edit::Combo_Encode_Click);
    label(Label_OptSig, "Label_OptSig");
    list(Combo_Optsig, "Combo_Optsig", &Form_Chann_Edit::Combo_Optsig_Click);
    label(Label_SpUnmute, "Label_SpUnmute");
    list(Combo_Spunmute, "Combo_Spunmute", &Form_Chann_Edit::Combo_Spunmute_Click);
    label(Label_TXP, "Label_TXP");
    list(Combo_TXP, "Combo_TXP", &Form_Chann_Edit::Combo_TXP_Click);
    label(Label_WN, "Label_WN");
    list(Combo_WN, "Combo_WN", &Form_Chann_Edit::Combo_WN_Click);
    label(Label_BCL, "Label_BCL");
    list(Combo_BCL, "Combo_BCL", &Form_Chann_Edit::Combo_BCL_Click);
    label(Label_PTT_ID, "Label_PTT_ID");
    list(Combo_PTT_ID, "Combo_PTT_ID", &Form_Chann_Edit::Combo_PTT_ID_Click);
    label(Label_Memory, "Label_Memory");
    list(Combo_Memory, "Combo_Memory", &Form_Chann_Edit::Combo_Memory_Click);
    check(Check_BS, "Check_BS", &Form_Chann_Edit::Check_BS_Click);
    check(Check_ScanAdd, "Check_ScanAdd", &Form_Chann_Edit::Check_ScanAdd_Click);
    check(Check_Pri, "Check_Pri", &Form_Chann_Edit::Check_Pri_Click);
    check(Check_Comp, "Check_Comp", &Form_Chann_Edit::Check_Comp_Click);
    Command_close = makeNamed<QPushButton>("Command_close");
    Command_Help = makeNamed<QPushButton>("Command_Help");

    const std::pair<QLabel*, QWidget*> pairs[] = {
        {Label_RX_freq, Text_RX_Freq}, {Label_TX_freq, Text_TX_Freq},   {Label_Decode, Combo_Decode},
        {Label_Encode, Combo_Encode},   {Label_OptSig, Combo_Optsig},   {Label_SpUnmute, Combo_Spunmute},
        {Label_TXP, Combo_TXP},         {Label_WN, Combo_WN},           {Label_BCL, Combo_BCL},
        {Label_PTT_ID, Combo_PTT_ID},   {Label_Memory, Combo_Memory},
    };
    // A compact two-column form whose rows share the dialog's height, the
    // buttons along the bottom edge.
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    auto* number = new QHBoxLayout;
    number->setSpacing(0);
    number->addWidget(Text_CHN);
    number->addWidget(VScroll1);
    number->addStretch();
    Label_CHN->setBuddy(Text_CHN);
    grid->addWidget(Label_CHN, 0, 0);
    grid->addLayout(number, 0, 1);
    int at = 0;
    for (const auto& [caption, control] : pairs) {
        caption->setBuddy(control);
        grid->addWidget(caption, 1 + at / 2, (at % 2) * 2);
        grid->addWidget(control, 1 + at / 2, (at % 2) * 2 + 1);
        ++at;
    }
    grid->addWidget(Check_BS, 7, 0, 1, 2);
    grid->addWidget(Check_ScanAdd, 7, 2, 1, 2);
    grid->addWidget(Check_Pri, 8, 0, 1, 2);
    grid->addWidget(Check_Comp, 8, 2, 1, 2);
    for (int row = 0; row <= 8; ++row)
        grid->setRowStretch(row, 1);
    QBoxLayout* buttons = buttonRow({Command_close, Command_Help}, ButtonsAt::Right);
    buttons->setSpacing(12);
    grid->addLayout(buttons, 9, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(VScroll1, &QScrollBar::valueChanged, this, &Form_Chann_Edit::VScroll1_Change);
    connect(Text_CHN, &QLineEdit::textChanged, this, [this] { Text_CHN_Change(); });
    connect(Command_close, &QPushButton::clicked, this, &Form_Chann_Edit::Command_close_Click);
    connect(Command_Help, &QPushButton::clicked, this, &Form_Chann_Edit::Command_Help_Click);
    setCancelButton(Command_close);
}

// The caption of each control, by its name.
const std::vector<ControlCaption>& dialogCaptions()
{
    static const std::vector<ControlCaption> captions{
        {"Label_CHN", kChannelCaption},
        {"VScroll1", kChannelCaption},
        {"Label_RX_freq", {"Receive Frequency ", "接收频率"}},
        {"Label_TX_freq", {"Transmit Frequency", "发射频率"}},
        {"Label_Decode", {"QT/DQT Decode", "QT/DQT 解码"}},
        {"Label_Encode", {"QT/DQT Encode", "QT/DQT 编码"}},
        {"Label_OptSig", {"Option Signalling", "可选信令"}},
        {"Label_SpUnmute", {"SP Unmute", "SP不静音"}},
        {"Label_TXP", {"TX Power", "发射功率"}},
        {"Label_WN", {"Wide/Narror", "宽带/窄带"}},
        {"Label_BCL", {"Busy Channel Lockout", "繁忙信道锁定"}},
        {"Label_PTT_ID", {"PTT ID", "PTT ID"}},
        {"Label_Memory", {"Autodial Memory", "自动拨号存储器"}},
        {"Check_BS", {"Beat Shift", "拍频偏移"}},
        {"Check_ScanAdd", {"Scan Add", "扫描添加"}},
        {"Check_Pri", {"Priority Channel", "优先信道"}},
        {"Check_Comp", {"Compander", "压括器"}},
        {"Command_close", ChannelGridTexts::Close},
        {"Command_Help", ChannelGridTexts::Help},
    };
    return captions;
}

void Form_Chann_Edit::applyCaptions()
{
    setCaption(kCaption);
    setControlCaptions(dialogCaptions());
}

void Form_Chann_Edit::recordField(QWidget* control)
{
    // Named after the control's caption, or the caption of the label that names it.
    QString name = control->objectName();
    for (const QLabel* label : findChildren<QLabel*>())
        if (label->buddy() == control)
            name = label->objectName();
    for (const ControlCaption& caption : dialogCaptions())
        if (name == QLatin1String(caption.control)) {
            host().recordStep(ChannelGrid::FieldStep(
                {qs(caption.text.en).trimmed().toStdString(), qs(caption.text.zh).trimmed().toStdString()}, n_));
            return;
        }
    host().recordStep(kCaption);
}

void Form_Chann_Edit::Form_Load()
{
    const QSize main = host().frameSize();
    const int width = int(main.width() / 1.3);
    const int height = int(main.height() / 1.3);
    place((main.width() - width) / 2, 0, width, height);
    useDialogFrame();
    applyCaptions();

    int channel = state().CurrentChannel;
    if (channel < 1 || channel > kLastChannel)
        channel = 1;
    if (VScroll1->value() == channel)
        VScroll1_Change(channel);
    else
        VScroll1->setValue(channel);   // its handler puts the number into Text_CHN
    ReloadDialog();

    showActive();
    Text_RX_Freq->setFocus();
}

void Form_Chann_Edit::Form_Activate()
{
    // The table may have moved CurrentChannel while this dialog was behind it:
    // the number, the scroll bar and the fields follow, so no pick made here
    // can land in a channel other than the one on show.
    const int channel = state().CurrentChannel;
    if (channel >= 1 && channel <= kLastChannel && channel != VScroll1->value())
        VScroll1->setValue(channel);
    else
        ReloadDialog();
}

void Form_Chann_Edit::Form_Unload()
{
    unloading_ = true;
}

// The dialog's procedures.

void Form_Chann_Edit::FillDialogLists()
{
    const ProgramState& s = state();
    const bool zh = chinese();
    auto fill = [](QComboBox* box, const QStringList& entries) { refill(box, entries); };
    QStringList tones;
    for (int k = 1; k <= kToneLast; ++k)
        tones << qs(ToneNameTrimmed(s, k));
    fill(Combo_Decode, QStringList{qs(ChannelTexts::ToneOffDialog, zh)} + tones);
    fill(Combo_Encode, QStringList{zh ? qs(ChannelTexts::ToneOffDialog, zh) : qs(ToneNameTrimmed(s, 0))} + tones);
    fill(Combo_Optsig, {qs(ChannelTexts::None, zh), qs(ChannelTexts::Dtmf, zh), qs(ChannelTexts::FleetSync, zh)});
    fill(Combo_TXP, {qs(ChannelTexts::High, zh), qs(ChannelTexts::Low, zh)});
    fill(Combo_WN, {qs(ChannelTexts::Narrow, zh), qs(ChannelTexts::WideBand, zh)});
    fill(Combo_PTT_ID, {qs(ChannelTexts::DialogOff, zh), qs(ChannelTexts::DialogOn, zh)});
    QStringList memories;
    for (int m = 1; m <= 8; ++m)
        memories << QString::number(m);
    fill(Combo_Memory, memories);

    setLook(Text_TX_Freq, true);
    for (QComboBox* box : {Combo_Decode, Combo_Encode, Combo_Optsig, Combo_Spunmute, Combo_TXP, Combo_WN, Combo_BCL,
                           Combo_PTT_ID, Combo_Memory})
        setLook(box, true);
    for (QCheckBox* box : {Check_BS, Check_ScanAdd, Check_Pri, Check_Comp})
        box->setEnabled(true);
}

void Form_Chann_Edit::ClearDialog(int n)
{
    Text_RX_Freq->clear();
    Text_TX_Freq->clear();
    for (QComboBox* box : {Combo_Decode, Combo_Encode, Combo_Optsig, Combo_Spunmute, Combo_TXP, Combo_WN, Combo_BCL,
                           Combo_PTT_ID, Combo_Memory}) {
        box->clear();
        setLook(box, false);
    }
    // Unticking runs the boxes' handlers: a ticked scan-add box takes the
    // channel out of the scan list.
    setTicked(Check_BS, false, &Form_Chann_Edit::Check_BS_Click);
    setTicked(Check_ScanAdd, false, &Form_Chann_Edit::Check_ScanAdd_Click);
    setTicked(Check_Pri, false, &Form_Chann_Edit::Check_Pri_Click);
    setTicked(Check_Comp, false, &Form_Chann_Edit::Check_Comp_Click);
    for (QCheckBox* box : {Check_BS, Check_ScanAdd, Check_Pri, Check_Comp})
        box->setEnabled(false);
    setLook(Text_TX_Freq, false);
    // The receive box stays open, so a frequency can be typed into the empty channel.
    Text_RX_Freq->setEnabled(true);
    ClearChannel(state(), n);
}

void Form_Chann_Edit::ShowChannel(int n)
{
    ProgramState& s = state();
    if (!ChannelInUse(s, n)) {
        Text_RX_Freq->clear();
        Text_TX_Freq->clear();
        ClearDialog(n);
        return;
    }
    Text_RX_Freq->setText(qs(FrequencyText(s, n, kRxFirst)));

    const std::optional<int> decode = ToneIndex(s, n, kDecodeFirst);
    setPosition(Combo_Decode, decode.value_or(-1), &Form_Chann_Edit::Combo_Decode_Click);
    const bool decodeListed = decode && *decode >= 1 && *decode <= kToneLast;

    if (!HasTx(s, n)) {
        Text_TX_Freq->clear();
        setPosition(Combo_Encode, 0, &Form_Chann_Edit::Combo_Encode_Click);
        setLook(Combo_Encode, false);
    } else {
        Text_TX_Freq->setText(qs(FrequencyText(s, n, kTxFirst)));
        setLook(Combo_Encode, true);
        setPosition(Combo_Encode, ToneIndex(s, n, kEncodeFirst).value_or(-1), &Form_Chann_Edit::Combo_Encode_Click);
    }

    setPosition(Combo_TXP, HighPower(s, n) == 1 ? 0 : 1, &Form_Chann_Edit::Combo_TXP_Click);
    setPosition(Combo_WN, Wide(s, n) == 1 ? 1 : 0, &Form_Chann_Edit::Combo_WN_Click);
    setTicked(Check_BS, BeatShift(s, n) == 1, &Form_Chann_Edit::Check_BS_Click);

    // OptionalSignal 3 has no entry: nothing is selected and the record keeps it.
    const int signalling = OptionalSignal(s, n);
    setPosition(Combo_Optsig, signalling <= 2 ? signalling : -1, &Form_Chann_Edit::Combo_Optsig_Click);

    fillDependentLists(n, decodeListed);

    setTicked(Check_Comp, Compander(s, n) == 1, &Form_Chann_Edit::Check_Comp_Click);
    setPosition(Combo_PTT_ID, PttId(s, n), &Form_Chann_Edit::Combo_PTT_ID_Click);
    setPosition(Combo_Memory, AutodialMemory(s, n), &Form_Chann_Edit::Combo_Memory_Click);
    setTicked(Check_ScanAdd, ScanAdd(s, n), &Form_Chann_Edit::Check_ScanAdd_Click);
}

void Form_Chann_Edit::fillDependentLists(int n, bool decodeListed)
{
    const ProgramState& s = state();
    const bool zh = chinese();
    // The optional-signalling field may have changed under a nested ShowChannel.
    const bool signalling = OptionalSignal(s, n) != 0;

    QStringList unmute;
    if (!signalling)
        unmute << qs(decodeListed ? kQt : kCarrier, zh);
    else if (decodeListed)
        unmute << qs(kQt, zh) << qs(kQtAndSig, zh) << qs(kQtOrSig, zh);
    else
        unmute << qs(kCarrier, zh) << qs(kCarrierAndSig, zh) << qs(kCarrierOrSig, zh);
    refill(Combo_Spunmute, unmute);
    const int unmuteValue = signalling ? SpUnmute(s, n) : 0;
    setPosition(Combo_Spunmute, unmuteValue < unmute.size() ? unmuteValue : -1,
                &Form_Chann_Edit::Combo_Spunmute_Click);

    QStringList lockout{qs(ChannelTexts::DialogOff, zh), qs(kCarrier, zh)};
    if (decodeListed)
        lockout << qs(signalling ? kLockQt : kLockQtShort, zh);
    if (signalling)
        lockout << qs(kOptionSignalling, zh);
    refill(Combo_BCL, lockout);
    const int lockoutValue = BusyLockout(s, n);
    setPosition(Combo_BCL, lockoutValue < lockout.size() ? lockoutValue : -1, &Form_Chann_Edit::Combo_BCL_Click);
}

void Form_Chann_Edit::ReloadDialog()
{
    int channel = state().CurrentChannel;
    if (channel < 1 || channel > kLastChannel)
        channel = n_;
    n_ = channel;
    if (!ChannelInUse(state(), n_)) {
        ClearDialog(n_);
    } else {
        FillDialogLists();
        ShowChannel(n_);
    }
}

// Setting controls from the dialog's own procedures.

void Form_Chann_Edit::setPosition(QComboBox* box, int position, Handler handler)
{
    if (position >= box->count())
        position = -1;
    if (box->currentIndex() == position)
        return;
    box->setCurrentIndex(position);
    if (position >= 0)
        (this->*handler)();
}

void Form_Chann_Edit::setTicked(QCheckBox* box, bool ticked, Handler handler)
{
    if (box->isChecked() == ticked)
        return;
    box->setChecked(ticked);
    (this->*handler)();
}

void Form_Chann_Edit::updateTableCaption()
{
    if (frm_chann* table = host().window<frm_chann>())
        table->UpdateCaption();
}

// The channel number.

void Form_Chann_Edit::VScroll1_Change(int value)
{
    // The scroll bar wraps around; setting the wrapped value runs this again.
    if (value <= 0) {
        VScroll1->setValue(kLastChannel);
        return;
    }
    if (value > kLastChannel) {
        VScroll1->setValue(1);
        return;
    }
    state().CurrentChannel = int16_t(value);
    n_ = value;
    updateTableCaption();
    Text_CHN->setText(QString::number(value));
    ReloadDialog();
}

void Form_Chann_Edit::Text_CHN_Change()
{
    // A channel number typed in shows that channel at once. A blank box or 0
    // (on the way to another number) keeps the channel on show.
    bool ok = false;
    const int value = Text_CHN->text().trimmed().toInt(&ok);
    if (!ok || value < 1 || value > kLastChannel || (value == n_ && value == state().CurrentChannel))
        return;
    if (VScroll1->value() != value) {
        VScroll1->setValue(value);
    } else {
        state().CurrentChannel = int16_t(value);
        updateTableCaption();
        ReloadDialog();
    }
}

void Form_Chann_Edit::Text_CHN_LostFocus()
{
    bool ok = false;
    const int value = Text_CHN->text().trimmed().toInt(&ok);
    if (!ok || value < 1 || value > kLastChannel)
        Text_CHN->setText(QStringLiteral("1"));   // shows channel 1 through the change handler
    state().CurrentChannel = int16_t(n_);
    updateTableCaption();
}

bool Form_Chann_Edit::Text_CHN_KeyPress(QKeyEvent* event)
{
    // Digits only, and only while the number stays a channel; the number is
    // judged as it would read after the key, wherever the cursor stands.
    if (event->key() == Qt::Key_Backspace)
        return true;
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() || (event->modifiers() & Qt::ControlModifier))
        return false;
    if (typed.size() != 1 || !typed.at(0).isDigit() || typed.at(0).unicode() > '9')
        return true;
    QString after = Text_CHN->text();
    int at = Text_CHN->cursorPosition();
    if (Text_CHN->hasSelectedText()) {
        at = Text_CHN->selectionStart();
        after.remove(at, Text_CHN->selectedText().size());
    }
    after.insert(at, typed);
    return after.trimmed().toInt() > kLastChannel;
}

// The frequencies.

bool Form_Chann_Edit::frequencyKeyPress(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() || (event->modifiers() & Qt::ControlModifier))
        return false;
    return !TypesFrequencyCharacter(event);
}

void Form_Chann_Edit::showEntry(QLineEdit* box, const ChannelFrequencyEntry& entry, bool receive)
{
    // A transmit frequency typed on an empty channel never comes here: the
    // box is closed there. A box that takes the display form keeps the text
    // as typed.
    if (entry.problem == FrequencyProblem::OutOfBand) {
        warn(receive ? ChannelGridTexts::RxOutOfBand : kTxRange);
        box->setText(qs(entry.shown));
    } else if (entry.problem == FrequencyProblem::Unstorable) {
        // In the band by its value, but of a shape that would store other digits.
        warn(kUnstorable, qs(kUnstorableHow, chinese()));
        box->setText(qs(entry.shown));
    }
}

void Form_Chann_Edit::Text_RX_Freq_LostFocus()
{
    // A box the user has not changed since it was shown stores nothing.
    if (!Text_RX_Freq->isModified())
        return;
    Text_RX_Freq->setModified(false);
    const int n = n_;
    const ChannelFrequencyEntry entry = EnterRxFrequency(state(), n, Text_RX_Freq->text().toStdString());
    if (entry.result == ChannelFrequencyEntry::Result::Cleared) {
        ClearDialog(n);
        return;
    }
    showEntry(Text_RX_Freq, entry, true);
    if (entry.newChannel) {
        FillDialogLists();
        ShowChannel(n);
    }
}

void Form_Chann_Edit::Text_TX_Freq_LostFocus()
{
    if (!Text_TX_Freq->isModified())
        return;
    Text_TX_Freq->setModified(false);
    const int n = n_;
    // The dialog keeps the encode tone with an out-of-band entry.
    const ChannelFrequencyEntry entry = EnterTxFrequency(state(), n, Text_TX_Freq->text().toStdString(), false);
    showEntry(Text_TX_Freq, entry, false);
    if (entry.result == ChannelFrequencyEntry::Result::Cleared) {
        setPosition(Combo_Encode, 0, &Form_Chann_Edit::Combo_Encode_Click);
        setLook(Combo_Encode, false);
    } else if (entry.result == ChannelFrequencyEntry::Result::Stored) {
        setLook(Combo_Encode, true);
    }
}

// The lists and check boxes: each writes its field of the channel on show.

void Form_Chann_Edit::Combo_Decode_Click()
{
    if (Combo_Decode->currentIndex() < 0)
        return;
    StoreTone(state(), n_, kDecodeFirst, Combo_Decode->currentIndex());
    ShowChannel(n_);
}

void Form_Chann_Edit::Combo_Encode_Click()
{
    if (Combo_Encode->currentIndex() >= 0)
        StoreTone(state(), n_, kEncodeFirst, Combo_Encode->currentIndex());
}

void Form_Chann_Edit::Combo_Optsig_Click()
{
    if (Combo_Optsig->currentIndex() < 0)
        return;
    SetOptionalSignal(state(), n_, Combo_Optsig->currentIndex());
    ShowChannel(n_);
}

void Form_Chann_Edit::Combo_Spunmute_Click()
{
    storeShown(Combo_Spunmute, SetSpUnmute);
}

void Form_Chann_Edit::Combo_BCL_Click()
{
    storeShown(Combo_BCL, SetBusyLockout);
}

void Form_Chann_Edit::Combo_TXP_Click()
{
    // High power is the list's first entry.
    storeShown(Combo_TXP, [](ProgramState& s, int n, int position) { SetHighPower(s, n, position == 0 ? 1 : 0); });
}

void Form_Chann_Edit::Combo_WN_Click()
{
    storeShown(Combo_WN, [](ProgramState& s, int n, int position) { SetWide(s, n, position == 1 ? 1 : 0); });
}

void Form_Chann_Edit::Combo_PTT_ID_Click()
{
    storeShown(Combo_PTT_ID, SetPttId);
}

void Form_Chann_Edit::Combo_Memory_Click()
{
    storeShown(Combo_Memory, SetAutodialMemory);
}

void Form_Chann_Edit::storeShown(const QComboBox* box, void (*store)(ProgramState&, int, int))
{
    // A list that shows no entry (while it is refilled) has nothing to store.
    if (box->currentIndex() >= 0)
        store(state(), n_, box->currentIndex());
}

void Form_Chann_Edit::Check_BS_Click()
{
    SetBeatShift(state(), n_, Check_BS->isChecked() ? 1 : 0);
}

void Form_Chann_Edit::Check_Comp_Click()
{
    SetCompander(state(), n_, Check_Comp->isChecked() ? 1 : 0);
}

void Form_Chann_Edit::Check_ScanAdd_Click()
{
    SetScanAdd(state(), n_, Check_ScanAdd->isChecked());
}

void Form_Chann_Edit::Check_Pri_Click()
{
    // The radio has no place for a priority channel: the box is not stored.
}

void Form_Chann_Edit::Command_close_Click()
{
    unload();
}

void Form_Chann_Edit::Command_Help_Click() {}

bool Form_Chann_Edit::eventFilter(QObject* watched, QEvent* event)
{
    if (unloading_)
        return ChildWindow::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Enter in a box moves on, which stores the entry as leaving it does.
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && qobject_cast<QLineEdit*>(watched)) {
            focusNextChild();
            return true;
        }
        if (qobject_cast<QComboBox*>(watched))
            return IsTypedListKey(key);
        if (watched == Text_CHN)
            return Text_CHN_KeyPress(key);
        if (watched == Text_RX_Freq || watched == Text_TX_Freq)
            return frequencyKeyPress(key);
    }
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == Text_CHN)
            Text_CHN_LostFocus();
        else if (watched == Text_RX_Freq)
            Text_RX_Freq_LostFocus();
        else if (watched == Text_TX_Freq)
            Text_TX_Freq_LostFocus();
        if (watched == Text_RX_Freq || watched == Text_TX_Freq)
            recordField(static_cast<QWidget*>(watched));
    }
    return ChildWindow::eventFilter(watched, event);
}

}  // namespace mx615
