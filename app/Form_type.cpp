#include "app/Form_type.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/ProgramState.h"
#include "model/Tables.h"
#include "ui/Prompt.h"

namespace mx615 {

namespace {

const Bilingual kCaption{"Model Select", "机型选择"};
const std::vector<ControlCaption> kCaptions{
    {"Label1", {"Model", "机  型"}},
    {"Label2", {"Band", "频  段"}},
    {"Command_enter", {"Confirm", "确 定"}},
    {"Command_Cancel", {"Cancel", "取 消"}},
};

}  // namespace

Form_type::Form_type(WindowHost& host) : ChildWindow(host)
{
    setObjectName("Form_type");
    Combo_type = makeNamed<QComboBox>("Combo_type");
    // The list has a text part, but only a chosen entry may stand in it.
    Combo_type->setEditable(true);
    Combo_type->setInsertPolicy(QComboBox::NoInsert);
    Combo_type->setCompleter(nullptr);
    Label1 = makeLabel("Label1", Combo_type);
    Label2 = makeLabel("Label2");
    Label_band = makeLabel("Label_band");
    Command_enter = makeButton("Command_enter");
    Command_Cancel = makeButton("Command_Cancel");

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(Combo_type, 0, 1);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(Label_band, 1, 1);
    fields->setColumnStretch(1, 1);
    fields->setVerticalSpacing(16);
    layOutForm(fields, buttonRow({Command_enter, Command_Cancel}));

    connect(Combo_type, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            Combo_type_Click();
    });
    connect(Combo_type->lineEdit(), &QLineEdit::textEdited, this, &Form_type::Combo_type_Change);
    connect(Command_enter, &QPushButton::clicked, this, &Form_type::Command_enter_Click);
    connect(Command_Cancel, &QPushButton::clicked, this, &Form_type::Command_Cancel_Click);
    setDefaultButton(Command_enter);
    setCancelButton(Command_Cancel);
}

void Form_type::Form_Load()
{
    setCaption(kCaption);
    setControlCaptions(kCaptions);
    placeInClient(2, 2);

    const ProgramState& s = state();
    for (int row = 0; row < kModelCount; ++row)
        Combo_type->addItem(qs(s.ModelNames[row]));
    // Adding the first entry selects it; the stored model is then chosen as
    // a change, so the selection step runs for it.
    Combo_type->setCurrentIndex(-1);
    Combo_type->setCurrentIndex(s.ModelIndex);
    showBand(s.ModelIndex);
    growToContent();
    useDialogFrame();
    showActive();
    Combo_type->setFocus();
}

void Form_type::showBand(int row)
{
    if (row < 0 || row >= kModelCount)
        return;
    const auto& band = state().BandTable[row];
    Label_band->setText(qs(BandLabelText(band[0], band[1])));
}

void Form_type::Combo_type_Click()
{
    showBand(Combo_type->currentIndex());
    lastChosen_ = Combo_type->currentText();
}

void Form_type::Combo_type_Change()
{
    Combo_type->setFocus();
    Combo_type->setEditText(lastChosen_);
}

void Form_type::Command_enter_Click()
{
    const int row = Combo_type->currentIndex();
    if (row < 0 || row >= kModelCount)
        return;
    ProgramState& s = state();
    s.BandLowMHz = s.BandTable[row][0];
    s.BandHighMHz = s.BandTable[row][1];
    s.ModelIndex = int16_t(row);
    host().showBandPanel();
    host().recordStep(caption());
    unload();
}

void Form_type::Command_Cancel_Click()
{
    unload();
}

}  // namespace mx615
