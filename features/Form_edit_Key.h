#pragma once
// The key assignment: the function of each of the side keys PF1 and PF2,
// stored in line 17 of the image as soon as it is picked.

#include "features/FeatureWindow.h"
#include "features/KeyRecord.h"

namespace mx615 {

class Form_edit_Key : public FeatureWindow {
    Q_OBJECT
public:
    explicit Form_edit_Key(WindowHost& host);

    void Form_Load() override;
    void ShowStoredKeys();

    // The click handler of either list: stores that key only, so a value
    // loaded meanwhile into the other key is never overwritten by what its
    // list still shows.
    void Combo_pf_Click(FunctionKey key, int position);

    QComboBox* list(FunctionKey key) const { return key == FunctionKey::Pf1 ? Combo_pf1 : Combo_pf2; }

    QComboBox* Combo_pf1 = nullptr;
    QComboBox* Combo_pf2 = nullptr;

protected:
    void showStored() override { ShowStoredKeys(); }
};

}  // namespace mx615
