#include "app/AboutTexts.h"

namespace mx615 {

AboutTexts FillAboutTexts(bool chinese)
{
    if (chinese)
        return {"MX-615Plus 系列对讲机编程软件",
                "版权所有 © 2012-2026 " + kCompanyName.zh,
                "本软件由" + kCompanyName.zh + "设计开发。",
                "警告：本软件受著作权法保护。未经授权复制或传播本软件的全部或部分，将依法追究责任。",
                "确定",
                "系统信息(&S)..."};
    return {"MX-615Plus series programming software",
            "Copyright © 2012-2026 " + kCompanyName.en,
            "This software was designed by " + kCompanyName.en + ".",
            "Warning: this program is protected by copyright law. Unauthorised copying or distribution of "
            "this program, or any part of it, will be prosecuted.",
            "Confirm",
            "System Information(&S)..."};
}

}  // namespace mx615
