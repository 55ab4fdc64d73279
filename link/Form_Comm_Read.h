#pragma once
// The read dialog: fetches radio memory 0x000..0x3FF into RadioImage lines 0..63.

#include "link/CommDialog.h"

namespace mx615 {

// The undo step of a read.
inline const Bilingual kReadStep{"Read from radio", "从对讲机读取数据"};

class Form_Comm_Read : public CommDialog {
    Q_OBJECT
public:
    explicit Form_Comm_Read(WindowHost& host);

    QPushButton* Command_read = nullptr;

    void Form_Load() override;
    void Command_read_Click();

protected:
    bool isCurrent() const override;
};

}  // namespace mx615
