#include "features/Choices.h"

#include <algorithm>

#include "channels/ChannelRecord.h"

namespace mx615 {

std::vector<std::string> ChoiceTexts(const ChoiceList& list, bool chinese)
{
    std::vector<std::string> texts;
    texts.reserve(list.size());
    for (const Choice& c : list)
        texts.push_back(c.text.pick(chinese));
    return texts;
}

int TypedChoicePosition(const std::string& typed, const ChoiceList& list, bool chinese)
{
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const Choice& c) { return c.text.pick(chinese) == typed; });
    return it == list.end() ? 0 : int(it - list.begin());
}

int LimitedPosition(int position, const ChoiceList& list)
{
    const int last = int(list.size()) - 1;
    return std::clamp(position, 0, std::max(last, 0));
}

ChoiceList NumberChoices(int first, int last, int step, int codeOffset)
{
    ChoiceList list;
    for (int value = first, p = 0; value <= last; value += step, ++p) {
        const std::string text = std::to_string(value);
        list.push_back({{text, text}, p + codeOffset});
    }
    return list;
}

const Bilingual& CheckWord(bool checked)
{
    return checked ? ChannelTexts::DialogOn : ChannelTexts::DialogOff;
}

}  // namespace mx615
