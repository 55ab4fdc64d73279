#pragma once
// The service window: shows and edits AdjustTable (squelch thresholds,
// deviations, receive volume, audio options, transmit power at ten frequency
// points), reads it from and writes it to the radio, and loads or saves it as
// an ".adj" file. It stays open after a transfer; every 500 ms it carries out
// the load or save a file dialog has handed over, once no transfer runs.

#include <optional>
#include <string>
#include <QPushButton>
#include <array>
#include <vector>

#include "adjust/AdjustTable.h"
#include "link/LinkWindow.h"

class QCheckBox;
class QComboBox;

namespace mx615 {

class frm_Adj_Txp : public LinkWindow {
    Q_OBJECT
public:
    explicit frm_Adj_Txp(WindowHost& host);

    void Form_Load() override;
    void Form_Unload() override;

    // Fills every list with its numbers (list index = value).
    void FillAdjustLists();
    // Sets every control from AdjustTable; the table is not changed.
    void ShowAdjustTable();

    void Command_read_Click();
    void Command_write_Click();
    void Command_Open_Click();
    void Command_Save_Click();
    void Command_close_Click();
    // Every 500 ms: a name handed over by a file dialog is loaded or saved.
    void Timer4_Timer();
    // The file work, with its message; false when the window went away
    // while the message was up.
    bool LoadAdjustFile(const std::string& path);
    bool SaveAdjustFile(const std::string& path);

    bool AdjustReadActive() const;
    bool AdjustWriteActive() const;

    // Squelch opening value of level 1..9; element 0 exists, hidden, tied to
    // no cell.
    std::array<QComboBox*, kSquelchLevels + 1> Combo_sq_open{};
    QComboBox* Combo_dev_Voice = nullptr;
    QComboBox* Combo_dev_ctcss = nullptr;
    QComboBox* Combo_dev_dcs = nullptr;
    QComboBox* Combo_Rx_VH = nullptr;
    QComboBox* Combo_Rx_VL = nullptr;
    QComboBox* Combo_JT = nullptr;   // the crystal, hidden
    std::array<QComboBox*, kFrequencyPoints> Combo_Txp_H{};
    std::array<QComboBox*, kFrequencyPoints> Combo_Txp_L{};
    std::array<QLabel*, kFrequencyPoints> Label_TXP_H{};
    std::array<QLabel*, kFrequencyPoints> Label_Txp_L{};
    // Transmit (byte 13) and receive (byte 14) options, by bit.
    std::array<QCheckBox*, 4> Check_TX{};
    std::array<QCheckBox*, 4> Check_RX{};
    QCheckBox* Check_WN_TX = nullptr;
    QCheckBox* Check_PRE_TX = nullptr;
    QCheckBox* Check_V_HPF_TX = nullptr;
    QCheckBox* Check_V_LPF_TX = nullptr;
    QCheckBox* Check_WN_RX = nullptr;
    QCheckBox* Check_PRE_RX = nullptr;
    QCheckBox* Check_V_HPF_RX = nullptr;
    QCheckBox* Check_V_LPF_RX = nullptr;
    QLabel* Label_ver = nullptr;
    QLabel* Label_version = nullptr;
    QPushButton* Command_read = nullptr;
    QPushButton* Command_write = nullptr;
    QPushButton* Command_Open = nullptr;
    QPushButton* Command_Save = nullptr;
    QPushButton* Command_close = nullptr;

protected:
    bool isCurrent() const override;
    // Close is refused through the pause before a restart too, as Read, Write
    // and the file buttons are: one rule for every button of this window.
    bool closeRefused() const override { return linkBusy(); }

private:
    // The request each dialog handed over, set by its signal and taken by
    // Timer4: an open and a save may both wait for the end of a transfer.
    std::optional<std::string> pendingOpen_;
    std::optional<std::string> pendingSave_;
    // A list that shows one cell and stores the picked index into it.
    struct ValueList {
        QComboBox* box;
        AdjustValue value;
    };

    void buildControls();
    void setCaptions();
    void nameFramedLists();
    int16_t& cell(int line, int byte) const;
    void Combo_Rx_VH_Click();
    void Combo_Rx_VL_Click();
    void Combo_JT_Click();
    void Check_Click(int byte, int bit, bool ticked);
    // Whether Open and Save may go ahead; says why not during a transfer.
    bool fileButtonsFree();
    // Opens the file dialog D; the name it accepts becomes the pending request.
    template <class D>
    void openFileDialog(std::optional<std::string>& pending);

    std::vector<ValueList> valueLists_;
    QLabel* Label_JT_ = nullptr;
    std::vector<std::pair<QWidget*, Bilingual>> captions_;
};

}  // namespace mx615
