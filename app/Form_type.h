#pragma once
// The model dialog: choosing the radio model sets the frequency band that the
// channel and test-frequency editors accept. It changes nothing stored.

#include <QString>

#include "ui/ChildWindow.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace mx615 {

class Form_type : public ChildWindow {
    Q_OBJECT
public:
    explicit Form_type(WindowHost& host);

    void Form_Load() override;

    // Handlers.
    void Combo_type_Click();
    void Combo_type_Change();
    void Command_enter_Click();
    void Command_Cancel_Click();

    QLabel* Label1 = nullptr;
    QComboBox* Combo_type = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label_band = nullptr;
    QPushButton* Command_enter = nullptr;
    QPushButton* Command_Cancel = nullptr;

private:
    void showBand(int row);

    // The text of the model last chosen, put back when the list is typed into.
    QString lastChosen_;
};

}  // namespace mx615
