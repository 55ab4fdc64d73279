#pragma once
// The maker's words: the company name of the status bar and the texts of the
// about box, which the main window fills at start-up and again when the
// language really changes.

#include "model/ProgramState.h"

namespace mx615 {

inline const Bilingual kCompanyName{"Harbor Signal Electronics Co., Ltd.", "港湾信号电子有限公司"};

AboutTexts FillAboutTexts(bool chinese);

// Shown when the system-information tool cannot be started; it exists only in
// Chinese and is shown in both languages.
inline const std::string kSystemInfoUnavailable = "此时系统信息不可用";

}  // namespace mx615
