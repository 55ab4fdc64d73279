#include "features/Form_Edit_scan.h"

#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "features/FeatureTexts.h"
#include "ui/GridEditing.h"
#include "ui/Prompt.h"

namespace mx615 {

Form_Edit_scan::Form_Edit_scan(WindowHost& host) : FeatureWindow(host, "Command_Help")
{
    setObjectName("Form_Edit_scan");
    auto* form = new QFormLayout;
    auto row = [this, form](QComboBox*& target, const char* name, const char* label, auto click) {
        target = makeList(name, ListKind::Typed, [this, click](int p) { (this->*click)(p); });
        form->addRow(makeLabel(label, target), target);
    };
    // Choosing the mode is a pick from three; it has no text to type into.
    Combo_pri = makeList("Combo_pri", ListKind::PickOnly, [this](int p) { Combo_pri_Click(p); });
    form->addRow(makeLabel("Label_pri", Combo_pri), Combo_pri);
    // The two-digit limit is the key filter's: a length limit on the box
    // would cut a pasted "123" to a valid-looking 12 before it is checked.
    Text_prich = makeText("Text_prich");
    form->addRow(makeLabel("Label_prich", Text_prich), Text_prich);
    row(Combo_BA, "Combo_BA", "Label_BA", &Form_Edit_scan::Combo_BA_Click);
    row(Combo_BB, "Combo_BB", "Label_BB", &Form_Edit_scan::Combo_BB_Click);
    row(Combo_BC, "Combo_BC", "Label_BC", &Form_Edit_scan::Combo_BC_Click);
    row(Combo_RYC, "Combo_RYC", "Label_RYC", &Form_Edit_scan::Combo_RYC_Click);
    row(Combo_TYC, "Combo_TYC", "Label_TYC", &Form_Edit_scan::Combo_TYC_Click);
    form->setVerticalSpacing(12);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttonRow({Command_close, Command_Help}));

    // Only what the user types or pastes is checked; the window's own
    // showing and emptying of the box stores nothing and warns of nothing.
    connect(Text_prich, &QLineEdit::textEdited, this, &Form_Edit_scan::Text_prich_Change);
}

void Form_Edit_scan::Form_Load()
{
    placeInMain(1.8, 1.4, 6);
    setTexts(ScanTexts::Caption, ScanTexts::Captions);
    fillList(Combo_pri, PriorityModeChoices());
    fillList(Combo_BA, LookBackChoices());
    fillList(Combo_BB, LookBackChoices());
    fillList(Combo_RYC, DelayChoices());
    fillList(Combo_TYC, DelayChoices());
    ShowScanSettings();
    growToContent();
    showActive();
    Combo_pri->setFocus();
}

PriorityMode Form_Edit_scan::mode() const
{
    const int position = Combo_pri->currentIndex();
    return position < 0 ? ShownPriorityMode(state()) : PriorityMode(position);
}

void Form_Edit_scan::ShowScanSettings()
{
    const ProgramState& s = state();
    const PriorityMode shownMode = ShownPriorityMode(s);
    Combo_pri->setCurrentIndex(int(shownMode));
    Text_prich->setText(qs(ShownPriorityChannel(s)));
    Combo_BA->setCurrentIndex(ShownLookBackPosition(s, LookBack::A));
    Combo_BB->setCurrentIndex(ShownLookBackPosition(s, LookBack::B));
    fillList(Combo_BC, RevertChoices(shownMode));
    Combo_BC->setCurrentIndex(ShownRevertPosition(s, shownMode));
    Combo_RYC->setCurrentIndex(ShownDelaySeconds(s, ScanDelay::Dropout));
    Combo_TYC->setCurrentIndex(ShownDelaySeconds(s, ScanDelay::Dwell));

    const ScanEnabling rule = ScanEnablingFor(shownMode);
    if (rule.emptyPriorityChannel)
        Text_prich->clear();
    setLook(Text_prich, rule.priorityChannelEnabled);
    setLook(Combo_BA, rule.lookBackEnabled);
    setLook(Combo_BB, rule.lookBackEnabled);
}

void Form_Edit_scan::Combo_pri_Click(int position)
{
    StorePriorityMode(state(), position);
    ShowScanSettings();
    StoreRevertPosition(state(), mode(), Combo_BC->currentIndex());
}

bool Form_Edit_scan::textKeyPress(QLineEdit* box, QKeyEvent* key)
{
    // Digits only, two at most. Backspace is refused too; Delete removes a
    // digit (and an empty box in Fixed mode is warned of like any entry).
    if (key->key() == Qt::Key_Backspace)
        return true;
    if (!TypesCharacter(key))
        return false;
    return !PriorityChannelKeyAccepted(box->text().toStdString(), key->text().toUcs4().value(0));
}

void Form_Edit_scan::Text_prich_Change()
{
    const auto entry = PriorityChannelChanged(state(), mode(), Text_prich->text().toStdString());
    if (entry != PriorityChannelEntry::Rejected)
        return;
    // Emptying the box afterwards is the window's doing and is not checked again.
    if (warn(ScanTexts::PriorityChannelRange))
        Text_prich->clear();
}

}  // namespace mx615
