#pragma once
// The channel sheet as a PDF: its HTML page laid out by Qt's text document on
// one page of the paper and written by Qt's PDF writer, the fonts embedded.
// Needs a QGuiApplication (for the fonts), but no display.

#include <optional>
#include <string>

#include "files/PlanSheet.h"

namespace mx615::cli {

// The PDF's bytes in pdf; the reason when it cannot be made (no Chinese font
// for a Chinese sheet).
std::optional<std::string> SheetPdf(const PlanSheet& sheet, Paper paper, std::string& pdf);

}  // namespace mx615::cli
