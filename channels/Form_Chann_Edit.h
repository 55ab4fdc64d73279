#pragma once
// The channel detail dialog: every field of one channel, including those the
// table has no column for, and a way to step through the channels. It keeps
// no copy of the channel: each control writes its field into the record at
// once. The fields on show always belong to CurrentChannel.

#include "channels/FrequencyEntry.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace mx615 {

class Form_Chann_Edit : public ChildWindow {
    Q_OBJECT
public:
    explicit Form_Chann_Edit(WindowHost& host);
    ~Form_Chann_Edit() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    // The dialog's procedures, on channel n = CurrentChannel.
    void FillDialogLists();
    void ClearDialog(int n);
    void ShowChannel(int n);
    void ReloadDialog();
    void showImage() override { ReloadDialog(); }

    // Handlers.
    void VScroll1_Change(int value);
    void Text_CHN_Change();
    void Text_CHN_LostFocus();
    void Text_RX_Freq_LostFocus();
    void Text_TX_Freq_LostFocus();
    void Combo_Decode_Click();
    void Combo_Encode_Click();
    void Combo_Optsig_Click();
    void Combo_Spunmute_Click();
    void Combo_BCL_Click();
    void Combo_TXP_Click();
    void Combo_WN_Click();
    void Combo_PTT_ID_Click();
    void Combo_Memory_Click();
    void Check_BS_Click();
    void Check_Comp_Click();
    void Check_ScanAdd_Click();
    void Check_Pri_Click();
    void Command_close_Click();
    void Command_Help_Click();

    // The channel whose fields are on show.
    int shownChannel() const { return n_; }

    QLabel* Label_CHN = nullptr;
    QLineEdit* Text_CHN = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QLabel* Label_RX_freq = nullptr;
    QLineEdit* Text_RX_Freq = nullptr;
    QLabel* Label_TX_freq = nullptr;
    QLineEdit* Text_TX_Freq = nullptr;
    QLabel* Label_Decode = nullptr;
    QComboBox* Combo_Decode = nullptr;
    QLabel* Label_Encode = nullptr;
    QComboBox* Combo_Encode = nullptr;
    QLabel* Label_OptSig = nullptr;
    QComboBox* Combo_Optsig = nullptr;
    QLabel* Label_SpUnmute = nullptr;
    QComboBox* Combo_Spunmute = nullptr;
    QLabel* Label_TXP = nullptr;
    QComboBox* Combo_TXP = nullptr;
    QLabel* Label_WN = nullptr;
    QComboBox* Combo_WN = nullptr;
    QLabel* Label_BCL = nullptr;
    QComboBox* Combo_BCL = nullptr;
    QLabel* Label_PTT_ID = nullptr;
    QComboBox* Combo_PTT_ID = nullptr;
    QLabel* Label_Memory = nullptr;
    QComboBox* Combo_Memory = nullptr;
    QCheckBox* Check_BS = nullptr;
    QCheckBox* Check_ScanAdd = nullptr;
    QCheckBox* Check_Pri = nullptr;
    QCheckBox* Check_Comp = nullptr;
    QPushButton* Command_close = nullptr;
    QPushButton* Command_Help = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Handler = void (Form_Chann_Edit::*)();

    void buildControls();
    // Stores the position a list shows through store, for the channel on show.
    void storeShown(const QComboBox* box, void (*store)(ProgramState&, int, int));
    void applyCaptions();
    // A field's change is one undo step, "TX Power of channel 3".
    void recordField(QWidget* control);
    // Sets a list position or a tick as the dialog's own procedures do: when
    // the value changes, the control's click handler runs as for a user's
    // pick. Position -1 (no entry for the stored value) runs nothing.
    void setPosition(QComboBox* box, int position, Handler handler);
    void setTicked(QCheckBox* box, bool ticked, Handler handler);
    void fillDependentLists(int n, bool decodeListed);
    void updateTableCaption();
    bool Text_CHN_KeyPress(QKeyEvent* event);
    bool frequencyKeyPress(QKeyEvent* event);
    // Shows an entry's outcome in the box it was typed into: a warning in the
    // dialog's words, the band's low edge or the stored value again.
    void showEntry(QLineEdit* box, const ChannelFrequencyEntry& entry, bool receive);

    int n_ = 1;
    bool unloading_ = false;
};

}  // namespace mx615
