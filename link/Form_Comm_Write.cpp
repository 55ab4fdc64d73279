#include "link/Form_Comm_Write.h"

#include "link/ClonePlans.h"

namespace mx615 {

Form_Comm_Write::Form_Comm_Write(WindowHost& host) : CommDialog(host, "Command_write")
{
    Command_write = startButton_;
    connect(Command_write, &QPushButton::clicked, this, &Form_Comm_Write::Command_write_Click);
}

void Form_Comm_Write::Form_Load()
{
    loadDialog(WritePlan(), {{"Write Data to Radio", "写数据到对讲机"}, {"Write", "写入"}});
}

void Form_Comm_Write::Command_write_Click()
{
    startTransfer();
}

bool Form_Comm_Write::isCurrent() const
{
    return host().window<Form_Comm_Write>() == this;
}

}  // namespace mx615
