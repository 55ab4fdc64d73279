#include "adjust/frm_Adj_Txp.h"

#include <utility>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>

#include "adjust/AdjustPlans.h"
#include "adjust/AdjustTexts.h"
#include "files/AdjFile.h"
#include "files/AdjFileDialog.h"
#include "ui/PickOnly.h"
#include "ui/Prompt.h"

namespace mx615 {

namespace {

// Enough rows of a 128-entry list to pick from without endless scrolling.
constexpr int kVisibleEntries = 16;

QComboBox* makeList(QWidget* parent, const QString& name)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(false);
    box->setMaxVisibleItems(kVisibleEntries);
    // Ten lists stand abreast: on a narrow window they may shrink to what
    // three digits need.
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QSize digits(box->fontMetrics().horizontalAdvance(QStringLiteral("127")), box->fontMetrics().height());
    box->setMinimumWidth(box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, digits, box).width());
    MakePickOnly(box);
    return box;
}

void fillNumbers(QComboBox* box, int entries)
{
    box->clear();
    for (int i = 0; i < entries; ++i)
        box->addItem(QString::number(i));
}

// A frame of value lists, each under its caption, side by side.
QGroupBox* listRow(QWidget* parent, const char* name, const std::vector<std::pair<QLabel*, QComboBox*>>& columns)
{
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(name);
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(2);
    for (int c = 0; c < int(columns.size()); ++c) {
        columns[c].first->setAlignment(Qt::AlignCenter);
        columns[c].first->setBuddy(columns[c].second);
        grid->addWidget(columns[c].first, 0, c);
        grid->addWidget(columns[c].second, 1, c);
    }
    return frame;
}

}  // namespace

frm_Adj_Txp::frm_Adj_Txp(WindowHost& host) : LinkWindow(host, AdjustTexts::DontClose)
{
    buildControls();
}

void frm_Adj_Txp::buildControls()
{
    auto label = [this](const QString& name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    auto caption = [this](QWidget* control, const Bilingual& text) { captions_.push_back({control, text}); };

    // Squelch opening values of levels 1..9.
    std::vector<std::pair<QLabel*, QComboBox*>> squelch;
    for (int level = 0; level <= kSquelchLevels; ++level)
        Combo_sq_open[level] = makeList(this, QStringLiteral("Combo_sq_open_%1").arg(level));
    Combo_sq_open[0]->hide();
    for (int level = 1; level <= kSquelchLevels; ++level) {
        QLabel* levelCaption = label(QStringLiteral("Label_sq_%1").arg(level));
        levelCaption->setText(QString::number(level));
        squelch.push_back({levelCaption, Combo_sq_open[level]});
        valueLists_.push_back({Combo_sq_open[level], SquelchOpenValue(level)});
    }
    QGroupBox* squelchFrame = listRow(this, "Frame_sq_open", squelch);
    caption(squelchFrame, AdjustTexts::SquelchOpen);

    // Transmit power at the ten frequency points.
    auto powerRow = [&](bool high) {
        auto& boxes = high ? Combo_Txp_H : Combo_Txp_L;
        auto& labels = high ? Label_TXP_H : Label_Txp_L;
        std::vector<std::pair<QLabel*, QComboBox*>> columns;
        for (int k = 0; k < kFrequencyPoints; ++k) {
            boxes[k] = makeList(this, QString::fromLatin1(high ? "Combo_Txp_H_%1" : "Combo_Txp_L_%1").arg(k));
            labels[k] = label(QString::fromLatin1(high ? "Label_TXP_H_%1" : "Label_Txp_L_%1").arg(k));
            columns.push_back({labels[k], boxes[k]});
            valueLists_.push_back({boxes[k], TxPowerValue(high, k)});
        }
        QGroupBox* frame = listRow(this, high ? "Frame_TXP_H" : "Frame_Txp_L", columns);
        caption(frame, high ? AdjustTexts::HighPower : AdjustTexts::LowPower);
        return frame;
    };
    QGroupBox* highFrame = powerRow(true);
    QGroupBox* lowFrame = powerRow(false);

    // Deviations, the volume trim and the hidden crystal.
    auto* audio = new QGridLayout;
    auto audioList = [&](QComboBox*& box, const char* name, const Bilingual& text, int row, int column) {
        box = makeList(this, QString::fromLatin1(name));
        QLabel* l = label(QStringLiteral("Label_%1").arg(QString::fromLatin1(name).mid(6)));
        l->setBuddy(box);
        caption(l, text);
        audio->addWidget(l, row, column * 2, Qt::AlignRight);
        audio->addWidget(box, row, column * 2 + 1, Qt::AlignLeft);
        return l;
    };
    audioList(Combo_dev_Voice, "Combo_dev_Voice", AdjustTexts::VoiceDeviation, 0, 0);
    audioList(Combo_dev_ctcss, "Combo_dev_ctcss", AdjustTexts::CtcssDeviation, 1, 0);
    audioList(Combo_dev_dcs, "Combo_dev_dcs", AdjustTexts::DcsDeviation, 2, 0);
    audioList(Combo_Rx_VH, "Combo_Rx_VH", AdjustTexts::VolumeCoarse, 0, 1);
    audioList(Combo_Rx_VL, "Combo_Rx_VL", AdjustTexts::VolumeFine, 1, 1);
    Label_JT_ = audioList(Combo_JT, "Combo_JT", AdjustTexts::Crystal, 2, 1);
    Combo_JT->hide();
    Label_JT_->hide();
    valueLists_.push_back({Combo_dev_Voice, kVoiceDeviation});
    valueLists_.push_back({Combo_dev_ctcss, kCtcssDeviation});
    valueLists_.push_back({Combo_dev_dcs, kDcsDeviation});

    // The audio option bits of bytes 13 and 14.
    auto options = [&](std::array<QCheckBox*, 4>& boxes, bool transmit) {
        auto* frame = makeNamed<QGroupBox>(transmit ? "Frame_TX" : "Frame_RX");
        caption(frame, transmit ? AdjustTexts::Transmit : AdjustTexts::Receive);
        auto* column = new QVBoxLayout(frame);
        column->setSpacing(0);
        static const char* const kNames[] = {"Check_WN_", "Check_PRE_", "Check_V_HPF_", "Check_V_LPF_"};
        for (int bit = 0; bit < 4; ++bit) {
            boxes[bit] = new QCheckBox(frame);
            boxes[bit]->setObjectName(QString::fromLatin1(kNames[bit]) + (transmit ? "TX" : "RX"));
            caption(boxes[bit], (transmit ? AdjustTexts::TxOptions : AdjustTexts::RxOptions)[bit]);
            column->addWidget(boxes[bit]);
            const int byte = transmit ? kTxOptionsByte : kRxOptionsByte;
            connect(boxes[bit], &QCheckBox::clicked, this,
                    [this, byte, bit](bool ticked) { Check_Click(byte, bit, ticked); });
        }
        return frame;
    };
    QGroupBox* txFrame = options(Check_TX, true);
    QGroupBox* rxFrame = options(Check_RX, false);
    Check_WN_TX = Check_TX[kWideBandBit];
    Check_PRE_TX = Check_TX[kEmphasisBit];
    Check_V_HPF_TX = Check_TX[kVoiceHighPassBit];
    Check_V_LPF_TX = Check_TX[kVoiceLowPassBit];
    Check_WN_RX = Check_RX[kWideBandBit];
    Check_PRE_RX = Check_RX[kEmphasisBit];
    Check_V_HPF_RX = Check_RX[kVoiceHighPassBit];
    Check_V_LPF_RX = Check_RX[kVoiceLowPassBit];

    // The version, the transfer's progress and the buttons.
    Label_ver = label("Label_ver");
    Label_version = label("Label_version");
    Label_version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label_version->setMinimumWidth(80);
    ProgressBar1->hide();
    QSizePolicy keepPlace = ProgressBar1->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ProgressBar1->setSizePolicy(keepPlace);
    auto button = [this](QPushButton*& target, const char* name) {
        target = new QPushButton(this);
        target->setObjectName(name);
        // Enter on a focused button presses it, as Space does.
        target->setAutoDefault(true);
    };
    button(Command_read, "Command_read");
    button(Command_write, "Command_write");
    button(Command_Open, "Command_Open");
    button(Command_Save, "Command_Save");
    button(Command_close, "Command_close");
    caption(Command_Open, AdjustTexts::Open);
    caption(Command_Save, AdjustTexts::Save);

    auto* middle = new QHBoxLayout;
    middle->addLayout(audio, 1);
    middle->addWidget(txFrame);
    middle->addWidget(rxFrame);
    auto* status = new QHBoxLayout;
    status->addWidget(Label_ver);
    status->addWidget(Label_version);
    status->addSpacing(12);
    status->addWidget(Label_tr_count, 1);
    status->addWidget(ProgressBar1, 1);
    // On a small screen the values scroll; the progress and the buttons stay
    // in sight.
    auto* values = new QWidget;
    auto* valueLayout = new QVBoxLayout(values);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    valueLayout->setSpacing(4);
    valueLayout->addWidget(squelchFrame);
    valueLayout->addWidget(highFrame);
    valueLayout->addWidget(lowFrame);
    valueLayout->addLayout(middle);
    valueLayout->addStretch();
    auto* scroll = makeNamed<QScrollArea>("ValueArea");
    // Tab goes to the values in it, never to the area itself (which no reader could name).
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(values);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(status);
    layout->addLayout(buttonRow({Command_read, Command_write, Command_Open, Command_Save, Command_close},
                                ButtonsAt::Right));

    for (const ValueList& list : valueLists_) {
        const AdjustValue value = list.value;
        connect(list.box, &QComboBox::activated, this, [this, value](int index) { cell(value.line, value.byte) = int16_t(index); });
    }
    connect(Combo_Rx_VH, &QComboBox::activated, this, &frm_Adj_Txp::Combo_Rx_VH_Click);
    connect(Combo_Rx_VL, &QComboBox::activated, this, &frm_Adj_Txp::Combo_Rx_VL_Click);
    connect(Combo_JT, &QComboBox::activated, this, &frm_Adj_Txp::Combo_JT_Click);
    connect(Command_read, &QPushButton::clicked, this, &frm_Adj_Txp::Command_read_Click);
    connect(Command_write, &QPushButton::clicked, this, &frm_Adj_Txp::Command_write_Click);
    connect(Command_Open, &QPushButton::clicked, this, &frm_Adj_Txp::Command_Open_Click);
    connect(Command_Save, &QPushButton::clicked, this, &frm_Adj_Txp::Command_Save_Click);
    connect(Command_close, &QPushButton::clicked, this, &frm_Adj_Txp::Command_close_Click);
    setCancelButton(Command_close);
}

void frm_Adj_Txp::Form_Load()
{
    ProgramState& s = state();
    makeLink(AdjustReadPlan());
    link()->events.timer4 = [this] { Timer4_Timer(); };

    const QSize main = host().frameSize();
    const QSize inner = host().clientSize();
    const int width = int(main.width() / 1.15);
    const int height = int(main.height() / 1.4);
    place((inner.width() - width) / 2, (inner.height() - height) / 2, width, height);
    setCaptions();
    showActive();

    s.LinkBuffer = {};
    // A name handed over to a window that has since closed is not acted on
    // by a fresh one.
    s.FileOpenDone = false;
    s.FileSaveDone = false;
    FillAdjustLists();
    nameFramedLists();
    ShowAdjustTable();
    Command_read->setFocus();
}

void frm_Adj_Txp::nameFramedLists()
{
    // The lists of a frame stand under a bare number (a squelch level, a
    // frequency point): a screen reader calls each by its frame and that number.
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        for (QLabel* number : frame->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (auto* list = qobject_cast<QComboBox*>(number->buddy()))
                list->setAccessibleName(frame->title() + QLatin1Char(' ') + number->text());
}

void frm_Adj_Txp::setCaptions()
{
    const bool zh = chinese();
    setCaption(AdjustTexts::Window);
    Command_read->setText(qs(AdjustTexts::Read, zh));
    Command_write->setText(qs(AdjustTexts::Write, zh));
    Command_close->setText(qs(AdjustTexts::Close, zh));
    Label_ver->setText(qs(AdjustTexts::Version, zh));
    for (const auto& [control, text] : captions_) {
        if (auto* frame = qobject_cast<QGroupBox*>(control))
            frame->setTitle(qs(text, zh));
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(qs(text, zh));
        else if (auto* l = qobject_cast<QLabel*>(control))
            l->setText(qs(text, zh));
    }
}

void frm_Adj_Txp::Form_Unload()
{
    LinkWindow::Form_Unload();
    // The file dialogs hand their names to this window only.
    host().unloadWindow<Form_open_adj>();
    host().unloadWindow<Form_save_adj>();
}

bool frm_Adj_Txp::isCurrent() const
{
    return host().window<frm_Adj_Txp>() == this;
}

int16_t& frm_Adj_Txp::cell(int line, int byte) const
{
    return state().AdjustTable[line][byte];
}

void frm_Adj_Txp::FillAdjustLists()
{
    for (int k = 0; k < kFrequencyPoints; ++k) {
        Label_TXP_H[k]->setText(QString::number(FrequencyPointMHz(k)));
        Label_Txp_L[k]->setText(QString::number(FrequencyPointMHz(k)));
    }
    for (const ValueList& list : valueLists_)
        fillNumbers(list.box, list.value.entries);
    fillNumbers(Combo_sq_open[0], SquelchOpenValue(1).entries);
    fillNumbers(Combo_Rx_VH, kVolumeEntries);
    fillNumbers(Combo_Rx_VL, kVolumeEntries);
    Combo_JT->clear();
    for (const std::string& entry : AdjustTexts::CrystalEntries)
        Combo_JT->addItem(qs(entry));
}

void frm_Adj_Txp::ShowAdjustTable()
{
    // Only the user's picks store: a value beyond a list shows its last entry
    // and stays in the table as it is.
    for (const ValueList& list : valueLists_)
        list.box->setCurrentIndex(ShownListIndex(cell(list.value.line, list.value.byte), list.value.entries));
    const int volume = cell(0, kVolumeByte);
    Combo_Rx_VH->setCurrentIndex(ShownListIndex(VolumeCoarse(volume), kVolumeEntries));
    Combo_Rx_VL->setCurrentIndex(ShownListIndex(VolumeFine(volume), kVolumeEntries));
    for (int bit = 0; bit < 4; ++bit) {
        Check_TX[bit]->setChecked(OptionTicked(cell(0, kTxOptionsByte), bit));
        Check_RX[bit]->setChecked(OptionTicked(cell(0, kRxOptionsByte), bit));
    }
    Combo_JT->setCurrentIndex(CrystalIndex(cell(0, kTxOptionsByte)));
    Label_version->setText(qs(AdjustVersionText(state())));
}

void frm_Adj_Txp::Combo_Rx_VH_Click()
{
    cell(0, kVolumeByte) = int16_t(WithVolumeCoarse(cell(0, kVolumeByte), Combo_Rx_VH->currentIndex()));
}

void frm_Adj_Txp::Combo_Rx_VL_Click()
{
    cell(0, kVolumeByte) = int16_t(WithVolumeFine(cell(0, kVolumeByte), Combo_Rx_VL->currentIndex()));
}

void frm_Adj_Txp::Combo_JT_Click()
{
    cell(0, kTxOptionsByte) = int16_t(Combo_JT->currentIndex());
}

void frm_Adj_Txp::Check_Click(int byte, int bit, bool ticked)
{
    cell(0, byte) = int16_t(WithOption(cell(0, byte), bit, ticked));
}

bool frm_Adj_Txp::AdjustReadActive() const
{
    return linkBusy() && !link()->writeMode();
}

bool frm_Adj_Txp::AdjustWriteActive() const
{
    return linkBusy() && link()->writeMode();
}

void frm_Adj_Txp::Command_read_Click()
{
    // Starting over in the middle of a write would leave the radio's
    // calibration half written, with nothing said.
    if (!fileButtonsFree())
        return;
    TransferPlan plan = AdjustReadPlan();
    plan.unpack = [this, unpack = std::move(plan.unpack)](ProgramState& s) {
        if (!unpack(s))
            return false;
        ShowAdjustTable();
        return true;
    };
    link()->start(std::move(plan));
}

void frm_Adj_Txp::Command_write_Click()
{
    if (!fileButtonsFree())
        return;
    ResetAdjustLine7Tail(state());
    link()->start(AdjustWritePlan());
}

bool frm_Adj_Txp::fileButtonsFree()
{
    if (!linkBusy())
        return true;
    warn(AdjustTexts::Busy);
    return false;
}

template <class D>
void frm_Adj_Txp::openFileDialog(std::optional<std::string>& pending)
{
    if (!fileButtonsFree())
        return;
    connect(host().openWindow<D>(), &AdjFileDialog::nameAccepted, this,
            [&pending](const QString& path) { pending = path.toStdString(); });
}

void frm_Adj_Txp::Command_Open_Click()
{
    openFileDialog<Form_open_adj>(pendingOpen_);
}

void frm_Adj_Txp::Command_Save_Click()
{
    openFileDialog<Form_save_adj>(pendingSave_);
}

void frm_Adj_Txp::Command_close_Click()
{
    closeUnlessActive();
}

void frm_Adj_Txp::Timer4_Timer()
{
    // A name confirmed in a dialog opened before the transfer began waits for
    // its end: loading in the middle of a write would send the radio part of
    // the old table and part of the file. Then the load goes first and the
    // save second, each with the file its own dialog accepted.
    if (linkBusy())
        return;
    ProgramState& s = state();
    if (const auto path = std::exchange(pendingOpen_, std::nullopt)) {
        s.FileOpenDone = false;
        if (!LoadAdjustFile(*path))
            return;
    }
    if (const auto path = std::exchange(pendingSave_, std::nullopt)) {
        s.FileSaveDone = false;
        SaveAdjustFile(*path);
    }
}

bool frm_Adj_Txp::LoadAdjustFile(const std::string& path)
{
    if (auto fault = mx615::LoadAdjustFile(state(), path))
        return warnTitled(kOperatePromptCapital, fault->text, qs(AdjustTexts::LoadFailed, chinese()));
    ShowAdjustTable();
    if (!warnTitled(kOperatePromptCapital, AdjustTexts::FileLoaded))
        return false;
    ProgressBar1->hide();
    ProgressBar1->setValue(0);
    Label_tr_count->clear();
    return true;
}

bool frm_Adj_Txp::SaveAdjustFile(const std::string& path)
{
    if (auto fault = mx615::SaveAdjustFile(state(), path))
        return warnTitled(kOperatePromptCapital, fault->text, qs(AdjustTexts::SaveFailed, chinese()));
    return warnTitled(kOperatePromptCapital, AdjustTexts::FileSaved);
}

}  // namespace mx615
