#pragma once
// The channel sheet a dealer hands the customer with the radios: the plan's
// title, its model and band, the date and the plan's fingerprint; the 16
// channels as the channel table shows them, with the names and comments a CSV
// gives them; and the radio-wide settings as the feature windows show them.
// The test-mode frequencies and the adjustment values are the service
// technician's and stay off it. The sheet is built here as texts and laid out
// as one HTML page, which a browser prints and Qt's text document turns into
// a PDF.

#include <cstddef>
#include <string>
#include <vector>

#include "features/FeatureSummary.h"
#include "files/ChannelCsv.h"

namespace mx615 {

enum class Paper { A4, Letter };

struct SheetRequest {
    std::string title;
    std::string date;   // as printed, "2026-12-08"
    bool chinese = false;
    // Names and comments; a column appears when any channel has one.
    ChannelLabels labels;
    // The plan holds channels only (a CSV without the radio under it): the
    // radio-wide settings and the fingerprint are each radio's own, so the
    // sheet says so instead of showing settings nobody planned.
    bool channelsOnly = false;
};

struct PlanSheet {
    bool chinese = false;
    std::string title;
    std::vector<SettingLine> facts;   // model and band, date, fingerprint
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;   // channels 1..16
    std::vector<SettingSection> settings;
};

// The display columns a name or a comment keeps (16 letters, 8 Chinese
// characters); a longer one is cut and ends in "…", so that a full plan keeps
// to one page.
constexpr std::size_t kSheetLabelWidth = 16;
// The same for the title.
constexpr std::size_t kSheetTitleWidth = 60;

PlanSheet BuildPlanSheet(const ProgramState& state, const SheetRequest& request);

// The channel table as the channel window shows it, for the sheet and for
// mx615-cli show: the column titles and a row per channel 1..16, with a Name
// and a Comment column where labels holds any (each cut to kSheetLabelWidth).
struct ChannelTableTexts {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};
ChannelTableTexts ChannelTableOf(const ProgramState& state, bool chinese, const ChannelLabels& labels = {});

// The sheet as a page of HTML with its print style (paper, margins). Texts are
// escaped. fontFamily names the font, one that has the Chinese characters.
std::string SheetHtml(const PlanSheet& sheet, Paper paper, const std::string& fontFamily);

// The font SheetHtml names when no other is known.
inline const std::string kSheetChineseFont = "WenQuanYi Micro Hei";

}  // namespace mx615
