#pragma once
// The scan information: priority mode and channel, the two look-back times,
// the revert channel, dropout delay and TX dwell time, in line 22 of the image.

#include "features/FeatureWindow.h"
#include "features/ScanRecord.h"

namespace mx615 {

class Form_Edit_scan : public FeatureWindow {
    Q_OBJECT
public:
    explicit Form_Edit_scan(WindowHost& host);

    void Form_Load() override;
    // Shows every stored value, rebuilds the revert list for the priority
    // mode and applies the mode's enabling rule.
    void ShowScanSettings();

    // Handlers.
    void Combo_pri_Click(int position);
    void Combo_BA_Click(int position) { StoreLookBackPosition(state(), LookBack::A, position); }
    void Combo_BB_Click(int position) { StoreLookBackPosition(state(), LookBack::B, position); }
    void Combo_BC_Click(int position) { StoreRevertPosition(state(), mode(), position); }
    void Combo_RYC_Click(int position) { StoreDelaySeconds(state(), ScanDelay::Dropout, position); }
    void Combo_TYC_Click(int position) { StoreDelaySeconds(state(), ScanDelay::Dwell, position); }
    void Text_prich_Change();

    QComboBox* Combo_pri = nullptr;
    QLineEdit* Text_prich = nullptr;
    QComboBox* Combo_BA = nullptr;
    QComboBox* Combo_BB = nullptr;
    QComboBox* Combo_BC = nullptr;
    QComboBox* Combo_RYC = nullptr;
    QComboBox* Combo_TYC = nullptr;

protected:
    void showStored() override { ShowScanSettings(); }
    bool textKeyPress(QLineEdit* box, QKeyEvent* key) override;

private:
    // The priority mode the list shows.
    PriorityMode mode() const;
};

}  // namespace mx615
