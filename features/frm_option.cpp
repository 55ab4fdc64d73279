#include "features/frm_option.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "features/FeatureTexts.h"
#include "model/Codecs.h"
#include "ui/GridEditing.h"
#include "ui/Prompt.h"

namespace mx615 {

frm_option::frm_option(WindowHost& host) : FeatureWindow(host, "Command_help")
{
    setObjectName("frm_option");
    buildControls();
}

void frm_option::buildControls()
{
    auto makeOptionList = [this](OptionList which) {
        const ListKind kind = which == OptionList::Voice ? ListKind::PickOnly : ListKind::Typed;
        auto click = which == OptionList::PttId ? std::function<void(int)>([this](int p) { Combo_PTT_ID_Click(p); })
                                                : [this, which](int p) { Combo_Click(which, p); };
        lists_[int(which)] = makeList(ControlName(which), kind, click);
    };
    auto makeOptionCheck = [this](OptionCheck which) {
        std::function<void(bool)> click = [this, which](bool on) { Check_Click(which, on); };
        if (which == OptionCheck::Vox)
            click = [this](bool on) { Check_VOX_Click(on); };
        else if (which == OptionCheck::ScramblerActivation)
            click = [this](bool on) { Check_Scr_Acti_Click(on); };
        checks_[int(which)] = makeCheck(ControlName(which), click);
    };
    // A label and its list, one row of a form.
    auto row = [this](QFormLayout* form, const char* labelName, OptionList which) {
        form->addRow(makeLabel(labelName, list(which)), list(which));
    };

    // Created in the order the Tab key visits them.
    for (OptionList which : {OptionList::Tot, OptionList::Toa, OptionList::Squelch, OptionList::Mic,
                             OptionList::Voice})
        makeOptionList(which);
    for (OptionCheck which : {OptionCheck::BatterySave, OptionCheck::Beep, OptionCheck::ScramblerActivation,
                              OptionCheck::ScramblerBackup})
        makeOptionCheck(which);
    auto* Frame_mode = makeNamed<QGroupBox>("Frame_mode");
    makeOptionCheck(OptionCheck::Clone);

    auto* Frame_pttid = makeNamed<QGroupBox>("Frame_pttid");
    makeOptionList(OptionList::PttType);
    makeOptionList(OptionList::PttId);
    Text_tx_begin = makeText("Text_tx_begin");
    Text_tx_end = makeText("Text_tx_end");

    auto* Frame_vox = makeNamed<QGroupBox>("Frame_vox");
    makeOptionCheck(OptionCheck::Vox);
    makeOptionList(OptionList::VoxGain);
    makeOptionList(OptionList::VoxDelay);
    makeOptionCheck(OptionCheck::VoxTone);
    makeOptionCheck(OptionCheck::VoxReceive);
    Check_vox_Operation = makeCheck("Check_vox_Operation", [this](bool) { Check_vox_Operation_Click(); });

    auto* general = new QFormLayout;
    row(general, "Label_tot", OptionList::Tot);
    row(general, "Label_toa", OptionList::Toa);
    row(general, "Label_sql", OptionList::Squelch);
    row(general, "Label_mic_level", OptionList::Mic);
    row(general, "Label_voice", OptionList::Voice);
    for (OptionCheck which : {OptionCheck::BatterySave, OptionCheck::Beep, OptionCheck::ScramblerActivation,
                              OptionCheck::ScramblerBackup})
        general->addRow(check(which));
    auto* mode = new QVBoxLayout(Frame_mode);
    mode->addWidget(check(OptionCheck::Clone));
    general->addRow(Frame_mode);

    auto* ptt = new QFormLayout(Frame_pttid);
    row(ptt, "Label_ptt_Type", OptionList::PttType);
    row(ptt, "Label_PTT_ID", OptionList::PttId);
    for (auto [labelName, box] : {std::pair{"Label_TX_begin", Text_tx_begin}, std::pair{"Label_TX_end", Text_tx_end}}) {
        box->setMaxLength(kDtmfPositions);
        connect(box, &QLineEdit::textEdited, this,
                [this, box] { Text_tx_Change(box == Text_tx_begin ? DtmfString::Begin : DtmfString::End); });
        ptt->addRow(makeLabel(labelName, box), box);
    }

    auto* vox = new QFormLayout(Frame_vox);
    vox->addRow(check(OptionCheck::Vox));
    row(vox, "Label_Vox_g", OptionList::VoxGain);
    row(vox, "Label_VOX_t", OptionList::VoxDelay);
    vox->addRow(check(OptionCheck::VoxTone));
    vox->addRow(check(OptionCheck::VoxReceive));
    vox->addRow(Check_vox_Operation);

    auto* right = new QVBoxLayout;
    right->addWidget(Frame_pttid);
    right->addWidget(Frame_vox);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(general, 1);
    columns->addSpacing(12);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addStretch();
    layout->addLayout(buttonRow({Command_close, Command_Help}));
}

void frm_option::Form_Load()
{
    placeInMain(1.2, 1.35, 10);
    setTexts(OptionTexts::Caption, OptionTexts::Captions);
    for (OptionList which : kOptionLists)
        fillList(list(which), Choices(which));
    ShowStoredOptions();
    growToContent();
    showActive();
    list(OptionList::Tot)->setFocus();
}

void frm_option::ShowStoredOptions()
{
    const ProgramState& s = state();
    auto showList = [&](OptionList which) { list(which)->setCurrentIndex(ShownPosition(s, which)); };
    auto showCheck = [&](OptionCheck which) { check(which)->setChecked(ShownCheck(s, which)); };

    for (OptionList which : {OptionList::Tot, OptionList::Toa, OptionList::Squelch, OptionList::Mic,
                             OptionList::Voice})
        showList(which);
    for (OptionCheck which : {OptionCheck::BatterySave, OptionCheck::Beep, OptionCheck::ScramblerActivation,
                              OptionCheck::ScramblerBackup})
        showCheck(which);
    check(OptionCheck::ScramblerBackup)
        ->setEnabled(ScramblerBackupEnabled(check(OptionCheck::ScramblerActivation)->isChecked()));
    showList(OptionList::PttType);
    showList(OptionList::PttId);
    Text_tx_begin->setText(qs(ShownDtmf(s, DtmfString::Begin)));
    Text_tx_end->setText(qs(ShownDtmf(s, DtmfString::End)));
    applyPttIdRule(list(OptionList::PttId)->currentIndex());
    showCheck(OptionCheck::Vox);
    showList(OptionList::VoxGain);
    showList(OptionList::VoxDelay);
    for (OptionCheck which : {OptionCheck::VoxTone, OptionCheck::VoxReceive, OptionCheck::Clone})
        showCheck(which);
    applyVoxRule(check(OptionCheck::Vox)->isChecked());
}

void frm_option::Combo_Click(OptionList which, int position)
{
    StorePosition(state(), which, position);
}

void frm_option::Combo_PTT_ID_Click(int position)
{
    applyPttIdRule(position);
    StorePosition(state(), OptionList::PttId, position);
}

void frm_option::applyPttIdRule(int position)
{
    const DtmfBoxesEnabled enabled = DtmfBoxesFor(position);
    setLook(Text_tx_begin, enabled.begin);
    setLook(Text_tx_end, enabled.end);
}

void frm_option::Check_Click(OptionCheck which, bool checked)
{
    StoreCheck(state(), which, checked);
}

void frm_option::Check_VOX_Click(bool checked)
{
    applyVoxRule(checked);
    StoreCheck(state(), OptionCheck::Vox, checked);
}

void frm_option::applyVoxRule(bool checked)
{
    const bool enabled = VoxSubControlsEnabled(checked);
    for (const char* name : kVoxSubControls) {
        QWidget* control = findChild<QWidget*>(QString::fromLatin1(name));
        if (qobject_cast<QComboBox*>(control))
            setLook(control, enabled);
        else if (control)
            control->setEnabled(enabled);
    }
}

void frm_option::Check_Scr_Acti_Click(bool checked)
{
    check(OptionCheck::ScramblerBackup)->setEnabled(ScramblerBackupEnabled(checked));
    StoreCheck(state(), OptionCheck::ScramblerActivation, checked);
}

bool frm_option::textKeyPress(QLineEdit* box, QKeyEvent* key)
{
    // Backspace would shorten the string; the DTMF boxes take only their
    // sixteen characters, added one key at a time. Delete and cutting still
    // remove characters, and the stored string follows the box.
    if (key->key() == Qt::Key_Backspace)
        return true;
    if (!TypesCharacter(key))
        return false;
    const DtmfString which = box == Text_tx_begin ? DtmfString::Begin : DtmfString::End;
    const auto accepted = FilteredDtmfKey(box->text().toStdString(), key->text().toUcs4().value(0));
    if (accepted) {
        box->insert(QString(QLatin1Char(*accepted)));
        storeDtmfBox(which);
    }
    return true;
}

void frm_option::Text_tx_Change(DtmfString which)
{
    // Text that arrives other than by typing (a paste) is cut at its first
    // character that is no DTMF key; what the box then shows is stored.
    QLineEdit* box = dtmfBox(which);
    const QString cleaned = qs(CleanedDtmfText(box->text().toStdString()));
    if (cleaned != box->text())
        box->setText(cleaned);
    storeDtmfBox(which);
}

void frm_option::storeDtmfBox(DtmfString which)
{
    StoreDtmf(state(), which, Trimmed(dtmfBox(which)->text().toStdString()));
}

}  // namespace mx615
