#include "link/Form_Comm_Read.h"

#include "link/ClonePlans.h"

namespace mx615 {

Form_Comm_Read::Form_Comm_Read(WindowHost& host) : CommDialog(host, "Command_read")
{
    Command_read = startButton_;
    connect(Command_read, &QPushButton::clicked, this, &Form_Comm_Read::Command_read_Click);
}

void Form_Comm_Read::Form_Load()
{
    TransferPlan plan = ReadPlan();
    // What was read replaces the plan: the windows show it at once, and the
    // read is one step that Edit > Undo takes back.
    plan.unpack = [this, unpack = plan.unpack](ProgramState& state) {
        if (!unpack(state))
            return false;
        host().imageReplaced();
        host().recordStep(kReadStep);
        return true;
    };
    loadDialog(std::move(plan), {{"Read Data From Radio", "从对讲机读取数据"}, {"Read", "读取"}});
}

void Form_Comm_Read::Command_read_Click()
{
    startTransfer();
}

bool Form_Comm_Read::isCurrent() const
{
    return host().window<Form_Comm_Read>() == this;
}

}  // namespace mx615
