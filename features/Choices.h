#pragma once
// The building blocks the feature editors share: a list entry with the code it
// stores (a control's caption by control name is ControlCaption in
// model/ProgramState.h), and one line of a window's
// settings put in that window's words (for the command-line tool).

#include <string>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

// One entry of a pick list: what it shows and the code it stores.
struct Choice {
    Bilingual text;
    int code = 0;
};
using ChoiceList = std::vector<Choice>;

// A setting as its window shows it: the label and the shown value.
struct SettingLine {
    std::string label;
    std::string value;
};

// The shown texts of a list, in one language, in list order.
std::vector<std::string> ChoiceTexts(const ChoiceList& list, bool chinese);

// The position a list selects when text is typed into it: the entry whose
// text (in the current language) is exactly the typed text; any other text
// leaves no selection, which the lists' "..._Change" rule turns into
// position 0.
int TypedChoicePosition(const std::string& typed, const ChoiceList& list, bool chinese);

// A position limited to the list: beyond the last entry gives the last.
int LimitedPosition(int position, const ChoiceList& list);

// Entries whose text is the same number in both languages: "0", "1", ...
// The code of the entry at position p is p + codeOffset.
ChoiceList NumberChoices(int first, int last, int step, int codeOffset = 0);

// The check-box words used when a setting is printed.
const Bilingual& CheckWord(bool checked);

}  // namespace mx615
