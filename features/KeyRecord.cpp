#include "features/KeyRecord.h"

#include "features/FeatureTexts.h"

namespace mx615 {

namespace {

ChoiceList keyChoices()
{
    ChoiceList list;
    for (int p = 0; p < int(KeyTexts::FunctionEntries.size()); ++p) {
        const int code = p == kKeyNone ? 255 : p == kKeyAutodial ? 0 : p;
        list.push_back({KeyTexts::FunctionEntries[p], code});
    }
    return list;
}

}  // namespace

int Address(FunctionKey key) { return key == FunctionKey::Pf1 ? kPf1Address : kPf2Address; }
const Bilingual& Label(FunctionKey key) { return key == FunctionKey::Pf1 ? KeyTexts::Pf1 : KeyTexts::Pf2; }
const char* ControlName(FunctionKey key) { return key == FunctionKey::Pf1 ? "Combo_pf1" : "Combo_pf2"; }

const ChoiceList& KeyFunctionChoices()
{
    static const ChoiceList list = keyChoices();
    return list;
}

int ShownKeyPosition(const ProgramState& state, FunctionKey key)
{
    const int code = state.byteAt(Address(key));
    if (code > int(KeyFunctionChoices().size()) - 1)
        return kKeyNone;
    return code == 0 ? kKeyAutodial : code;
}

void StoreKeyPosition(ProgramState& state, FunctionKey key, int position)
{
    const ChoiceList& list = KeyFunctionChoices();
    if (position < 0 || position >= int(list.size()))
        return;
    state.setByteAt(Address(key), list[position].code);
}

std::vector<SettingLine> KeySettings(const ProgramState& state, bool chinese)
{
    std::vector<SettingLine> lines;
    for (FunctionKey key : kFunctionKeys)
        lines.push_back(
            {Label(key).pick(chinese), KeyFunctionChoices()[ShownKeyPosition(state, key)].text.pick(chinese)});
    return lines;
}

}  // namespace mx615
