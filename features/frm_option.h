#pragma once
// The optional features: time-out timer, squelch, microphone, voice, battery
// save, beep, scrambler, PTT ID with its DTMF strings, VOX and clone mode,
// all in lines 18..21 of the image. Each control stores its value at once.

#include <array>

#include "features/FeatureWindow.h"
#include "features/OptionRecord.h"

namespace mx615 {

class frm_option : public FeatureWindow {
    Q_OBJECT
public:
    explicit frm_option(WindowHost& host);

    void Form_Load() override;

    // Copies every stored value into its control, in the window's order;
    // each control's handler stores what it shows, which normalises the value.
    void ShowStoredOptions();

    // Handlers.
    void Combo_Click(OptionList which, int position);
    void Combo_PTT_ID_Click(int position);
    void Check_Click(OptionCheck which, bool checked);
    void Check_VOX_Click(bool checked);
    void Check_Scr_Acti_Click(bool checked);
    void Check_vox_Operation_Click() {}  // has no byte: lasts while the window is open
    void Text_tx_Change(DtmfString which);

    QComboBox* list(OptionList which) const { return lists_[int(which)]; }
    QCheckBox* check(OptionCheck which) const { return checks_[int(which)]; }
    QLineEdit* dtmfBox(DtmfString which) const { return which == DtmfString::Begin ? Text_tx_begin : Text_tx_end; }

    QLineEdit* Text_tx_begin = nullptr;
    QLineEdit* Text_tx_end = nullptr;
    QCheckBox* Check_vox_Operation = nullptr;

protected:
    void showStored() override { ShowStoredOptions(); }
    bool textKeyPress(QLineEdit* box, QKeyEvent* key) override;

private:
    void buildControls();
    void applyPttIdRule(int position);
    void applyVoxRule(bool checked);
    void storeDtmfBox(DtmfString which);

    std::array<QComboBox*, std::size(kOptionLists)> lists_{};
    std::array<QCheckBox*, std::size(kOptionChecks)> checks_{};
};

}  // namespace mx615
