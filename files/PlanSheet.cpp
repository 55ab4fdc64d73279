#include "files/PlanSheet.h"

#include <algorithm>

#include "channels/ChannelGrid.h"
#include "model/Codecs.h"
#include "model/Fingerprint.h"
#include "model/Tables.h"

namespace mx615 {

namespace {

namespace SheetTexts {
inline const Bilingual Model{"Model", "型号"};
inline const Bilingual Date{"Date", "日期"};
inline const Bilingual Name{"Name", "名称"};
inline const Bilingual Comment{"Comment", "备注"};
inline const Bilingual Settings{"Settings", "设置"};
inline const Bilingual RadiosOwn{"each radio's own: this plan holds the channels only",
                                 "各对讲机自身的设置：本方案只含信道"};
}  // namespace SheetTexts

bool anyText(const std::array<std::string, kChannels>& texts)
{
    return std::any_of(texts.begin(), texts.end(), [](const std::string& t) { return !Trimmed(t).empty(); });
}

std::string label(const std::string& text)
{
    return FitToWidth(Trimmed(PrintableText(text)), kSheetLabelWidth);
}

// Written on each table, where Qt's text document takes it (not from the
// style sheet).
const std::string kTable = "<table cellspacing=\"0\" style=\"border-collapse: collapse\"";

std::string escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c; break;
        }
    }
    return out;
}

void settingsColumn(const std::vector<SettingSection>& sections, std::string& html)
{
    for (const SettingSection& section : sections) {
        html += "<h2>" + escaped(section.title) + "</h2>\n" + kTable + ">\n";
        for (const SettingLine& line : section.lines)
            html += "<tr><td class=\"label\">" + escaped(line.label) + "</td><td>" + escaped(line.value) +
                    "</td></tr>\n";
        html += "</table>\n";
    }
}

}  // namespace

PlanSheet BuildPlanSheet(const ProgramState& state, const SheetRequest& request)
{
    const bool zh = request.chinese;
    PlanSheet sheet;
    sheet.chinese = zh;
    sheet.title = FitToWidth(Trimmed(PrintableText(request.title)), kSheetTitleWidth);
    const int model = std::clamp<int>(state.ModelIndex, 0, kModelCount - 1);
    sheet.facts = {{SheetTexts::Model.pick(zh), ModelBandText(state, model, zh)},
                   {SheetTexts::Date.pick(zh), request.date}};
    // A plan of the channels only names no settings: each radio keeps its own.
    if (request.channelsOnly)
        sheet.facts.push_back({SheetTexts::Settings.pick(zh), SheetTexts::RadiosOwn.pick(zh)});
    else
        sheet.facts.push_back({kFingerprintLabel.pick(zh), FingerprintValue(state, zh)});

    ChannelTableTexts table = ChannelTableOf(state, zh, request.labels);
    sheet.columns = std::move(table.columns);
    sheet.rows = std::move(table.rows);

    if (!request.channelsOnly)
        for (SettingSection& section : FeatureSections(state, zh))
            if (!section.service)
                sheet.settings.push_back(std::move(section));
    return sheet;
}

ChannelTableTexts ChannelTableOf(const ProgramState& state, bool chinese, const ChannelLabels& labels)
{
    ChannelTableTexts table;
    const bool names = anyText(labels.names);
    const bool comments = anyText(labels.comments);
    for (const std::string& title : ChannelGrid::ColumnTitles(ChannelGrid::kColumnFormat.pick(chinese)))
        table.columns.push_back(Trimmed(title));
    if (names)
        table.columns.push_back(SheetTexts::Name.pick(chinese));
    if (comments)
        table.columns.push_back(SheetTexts::Comment.pick(chinese));
    for (int n = 1; n <= kChannels; ++n) {
        const auto texts = ChannelGrid::RowTexts(state, n, chinese);
        std::vector<std::string> row(texts.begin(), texts.end());
        if (names)
            row.push_back(label(labels.names[std::size_t(n - 1)]));
        if (comments)
            row.push_back(label(labels.comments[std::size_t(n - 1)]));
        table.rows.push_back(std::move(row));
    }

    return table;
}

std::string SheetHtml(const PlanSheet& sheet, Paper paper, const std::string& fontFamily)
{
    // One font for both languages: its Latin letters are plain, and it has the
    // Chinese characters a name of either sheet may hold.
    const std::string fonts = "'" + escaped(fontFamily) + "', sans-serif";
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"" + std::string(sheet.chinese ? "zh-CN" : "en") +
        "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + escaped(sheet.title) +
        "</title>\n<style>\n"
        // Lengths in px (1/96 inch), which Qt's text document takes for
        // padding and margins as a browser does.
        "@page { size: " + (paper == Paper::A4 ? "A4" : "letter") + " portrait; margin: 12mm; }\n"
        "body { font-family: " + fonts + "; font-size: 9pt; color: #000000; margin: 0px; }\n"
        "h1 { font-size: 16pt; margin-top: 0px; margin-bottom: 8px; }\n"
        "h2 { font-size: 10pt; margin-top: 14px; margin-bottom: 4px; }\n"
        "td, th { white-space: nowrap; text-align: left; vertical-align: top; }\n"
        "td.label { color: #404040; padding-right: 14px; }\n"
        "table.channels { margin-top: 14px; font-size: 8pt; }\n"
        "table.settings { margin-top: 6px; }\n"
        "table.channels th, table.channels td { border: 0.5pt solid #808080; padding: 4px 3px 4px 3px; }\n"
        "table.channels th { background-color: #e6e6e6; vertical-align: bottom; }\n"
        "@media screen { body { margin: 12mm; } }\n"
        "</style>\n</head>\n<body>\n<h1>" +
        escaped(sheet.title) + "</h1>\n" + kTable + ">\n";
    for (const SettingLine& fact : sheet.facts)
        html += "<tr><td class=\"label\">" + escaped(fact.label) + "</td><td>" + escaped(fact.value) + "</td></tr>\n";
    html += "</table>\n" + kTable + " class=\"channels\" width=\"100%\">\n<thead><tr>";
    // A column title takes a line for each of its words, so that the column
    // is about as narrow as its values ("CTCSS/DCS", "Dec").
    for (const std::string& column : sheet.columns) {
        std::string title = escaped(column);
        for (auto blank = title.find(' '); blank != std::string::npos; blank = title.find(' ', blank))
            title.replace(blank, 1, "<br>");
        html += "<th>" + title + "</th>";
    }
    html += "</tr></thead>\n<tbody>\n";
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        html += r % 2 ? "<tr bgcolor=\"#f4f4f4\">" : "<tr>";
        for (const std::string& cell : sheet.rows[r])
            html += "<td>" + escaped(cell) + "</td>";
        html += "</tr>\n";
    }
    html += "</tbody>\n</table>\n";

    // The settings in two columns of about the same length, each section whole.
    std::size_t total = 0, first = 0, split = 0;
    for (const SettingSection& section : sheet.settings)
        total += section.lines.size() + 2;
    while (split < sheet.settings.size() && first * 2 < total)
        first += sheet.settings[split++].lines.size() + 2;
    html += kTable + " class=\"settings\" width=\"100%\"><tr><td width=\"50%\">\n";
    settingsColumn({sheet.settings.begin(), sheet.settings.begin() + std::ptrdiff_t(split)}, html);
    html += "</td><td width=\"50%\">\n";
    settingsColumn({sheet.settings.begin() + std::ptrdiff_t(split), sheet.settings.end()}, html);
    html += "</td></tr></table>\n</body>\n</html>\n";
    return html;
}

}  // namespace mx615
