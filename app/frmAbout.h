#pragma once
// The about box: the product title, the rights notice, the designer, a legal
// warning, Confirm, and a button that starts the system-information tool.

#include "ui/ChildWindow.h"

class QLabel;
class QPushButton;

namespace mx615 {

class frmAbout : public ChildWindow {
    Q_OBJECT
public:
    explicit frmAbout(WindowHost& host);

    void Form_Load() override;
    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Starts the system's information tool, or says it is not available.
    void StartSysInfo();

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

}  // namespace mx615
