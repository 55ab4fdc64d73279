#pragma once
// Opens a window of a kind in the program as its menu command does, for the
// suites that go over every window in a data table.

#include <functional>
#include <vector>

#include "adjust/frm_Adj_Txp.h"
#include "app/Form_setup.h"
#include "app/Form_type.h"
#include "app/MDImain.h"
#include "app/frmAbout.h"
#include "channels/Form_Chann_Edit.h"
#include "channels/frm_chann.h"
#include "features/Form_Edit_Message.h"
#include "features/Form_Edit_Test.h"
#include "features/Form_Edit_scan.h"
#include "features/Form_edit_Key.h"
#include "features/frm_option.h"
#include "files/AdjFileDialog.h"
#include "files/ChannFileDialog.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"

namespace mx615::test {

using Opener = std::function<ChildWindow*(MDImain&)>;

template <class W>
Opener opener()
{
    return [](MDImain& main) -> ChildWindow* { return main.openWindow<W>(); };
}

// Every window and dialog of the program, by its class name.
struct WindowKind {
    const char* name;
    Opener open;
};
inline const std::vector<WindowKind>& EveryWindow()
{
    static const std::vector<WindowKind> windows{
        {"frm_chann", opener<frm_chann>()},
        {"Form_Chann_Edit", opener<Form_Chann_Edit>()},
        {"Form_type", opener<Form_type>()},
        {"Form_setup", opener<Form_setup>()},
        {"frmAbout", opener<frmAbout>()},
        {"Form_Comm_Read", opener<Form_Comm_Read>()},
        {"Form_Comm_Write", opener<Form_Comm_Write>()},
        {"frm_option", opener<frm_option>()},
        {"Form_edit_Key", opener<Form_edit_Key>()},
        {"Form_Edit_scan", opener<Form_Edit_scan>()},
        {"Form_Edit_Test", opener<Form_Edit_Test>()},
        {"Form_Edit_Message", opener<Form_Edit_Message>()},
        {"Form_open_chann", opener<Form_open_chann>()},
        {"Form_save_chann", opener<Form_save_chann>()},
        {"Form_open_adj", opener<Form_open_adj>()},
        {"Form_save_adj", opener<Form_save_adj>()},
        {"frm_Adj_Txp", opener<frm_Adj_Txp>()},
    };
    return windows;
}

}  // namespace mx615::test

Q_DECLARE_METATYPE(mx615::test::Opener)
