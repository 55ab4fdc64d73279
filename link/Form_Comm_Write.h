#pragma once
// The write dialog: sends RadioImage lines 0..48 to radio memory 0x000..0x30F.

#include "link/CommDialog.h"

namespace mx615 {

class Form_Comm_Write : public CommDialog {
    Q_OBJECT
public:
    explicit Form_Comm_Write(WindowHost& host);

    QPushButton* Command_write = nullptr;

    void Form_Load() override;
    void Command_write_Click();

protected:
    bool isCurrent() const override;
};

}  // namespace mx615
