#include "features/Form_edit_Key.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

#include "features/FeatureTexts.h"

namespace mx615 {

Form_edit_Key::Form_edit_Key(WindowHost& host) : FeatureWindow(host, "Command_Help")
{
    setObjectName("Form_edit_Key");
    auto* form = new QFormLayout;
    for (FunctionKey key : kFunctionKeys) {
        QComboBox* combo = makeList(ControlName(key), ListKind::Typed, [this, key](int p) { Combo_pf_Click(key, p); });
        (key == FunctionKey::Pf1 ? Combo_pf1 : Combo_pf2) = combo;
        form->addRow(makeLabel(key == FunctionKey::Pf1 ? "Label_PF1" : "Label_PF2", combo), combo);
    }
    form->setVerticalSpacing(16);
    layOutForm(form, buttonRow({Command_close, Command_Help}));
}

void Form_edit_Key::Form_Load()
{
    placeInMain(2.5, 2, 4);
    for (FunctionKey key : kFunctionKeys)
        fillList(list(key), KeyFunctionChoices());
    setTexts(KeyTexts::Caption, KeyTexts::Captions);
    ShowStoredKeys();
    growToContent();
    showActive();
    Combo_pf1->setFocus();
}

void Form_edit_Key::ShowStoredKeys()
{
    for (FunctionKey key : kFunctionKeys)
        list(key)->setCurrentIndex(ShownKeyPosition(state(), key));
}

void Form_edit_Key::Combo_pf_Click(FunctionKey key, int position)
{
    StoreKeyPosition(state(), key, position);
}

}  // namespace mx615
