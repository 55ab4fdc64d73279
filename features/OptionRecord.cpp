#include "features/OptionRecord.h"

#include "features/FeatureTexts.h"
#include "model/Codecs.h"

namespace mx615 {

namespace {

struct ListInfo {
    int address;
    const Bilingual* label;
    const char* control;
};

ListInfo info(OptionList list)
{
    using namespace OptionTexts;
    namespace A = OptionAddress;
    switch (list) {
    case OptionList::Tot: return {A::Tot, &Tot, "Combo_TOT"};
    case OptionList::Toa: return {A::Toa, &Toa, "Combo_TOA"};
    case OptionList::Squelch: return {A::Squelch, &Squelch, "Combo_Sql"};
    case OptionList::Mic: return {A::Mic, &Mic, "Combo_Mic_Level"};
    case OptionList::Voice: return {A::Voice, &Voice, "Combo_Voice"};
    case OptionList::PttType: return {A::PttType, &PttType, "Combo_Ptt_Type"};
    case OptionList::PttId: return {A::PttId, &PttId, "Combo_PTT_ID"};
    case OptionList::VoxGain: return {A::VoxGain, &VoxGain, "Combo_VOX_g"};
    case OptionList::VoxDelay: return {A::VoxDelay, &VoxDelay, "Combo_VOX_t"};
    }
    return {A::Tot, &Tot, "Combo_TOT"};
}

ListInfo info(OptionCheck check)
{
    using namespace OptionTexts;
    namespace A = OptionAddress;
    switch (check) {
    case OptionCheck::BatterySave: return {A::BatterySave, &BatterySave, "Check_Save"};
    case OptionCheck::Beep: return {A::Beep, &Beep, "Check_Beep"};
    case OptionCheck::ScramblerActivation: return {A::ScramblerActivation, &ScramblerActivation, "Check_Scr_Acti"};
    case OptionCheck::ScramblerBackup: return {A::ScramblerBackup, &ScramblerBackup, "Check_Scr_Back"};
    case OptionCheck::Vox: return {A::Vox, &Vox, "Check_VOX"};
    case OptionCheck::VoxTone: return {A::VoxTone, &VoxTone, "Check_vox_Tone"};
    case OptionCheck::VoxReceive: return {A::VoxReceive, &VoxReceive, "Check_vox_Receive"};
    case OptionCheck::Clone: return {A::Clone, &Clone, "Check_Clone"};
    }
    return {A::BatterySave, &BatterySave, "Check_Save"};
}

template <std::size_t N>
ChoiceList fixedChoices(const std::array<Bilingual, N>& entries)
{
    ChoiceList list;
    for (std::size_t p = 0; p < N; ++p)
        list.push_back({entries[p], int(p)});
    return list;
}

// "Off", then 1 ... 10; code = position.
ChoiceList offThenOneToTen()
{
    ChoiceList list{{FeatureTexts::Off, 0}};
    for (const Choice& c : NumberChoices(1, 10, 1, 1))
        list.push_back(c);
    return list;
}

int codeOffset(OptionList list) { return list == OptionList::Tot ? 1 : 0; }

bool isDtmfCharacter(char32_t c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D'); }

}  // namespace

int Address(OptionList list) { return info(list).address; }
int Address(OptionCheck check) { return info(check).address; }
const Bilingual& Label(OptionList list) { return *info(list).label; }
const Bilingual& Label(OptionCheck check) { return *info(check).label; }
const char* ControlName(OptionList list) { return info(list).control; }
const char* ControlName(OptionCheck check) { return info(check).control; }

const ChoiceList& Choices(OptionList list)
{
    static const ChoiceList tot = NumberChoices(15, 600, 15, 1);
    static const ChoiceList offToTen = offThenOneToTen();
    static const ChoiceList squelch = NumberChoices(0, 9, 1);
    static const ChoiceList mic = fixedChoices(OptionTexts::MicEntries);
    static const ChoiceList voice = fixedChoices(OptionTexts::VoiceEntries);
    static const ChoiceList pttType = fixedChoices(OptionTexts::PttTypeEntries);
    static const ChoiceList pttId = fixedChoices(OptionTexts::PttIdEntries);
    static const ChoiceList voxDelay = fixedChoices(OptionTexts::VoxDelayEntries);
    switch (list) {
    case OptionList::Tot: return tot;
    case OptionList::Toa:
    case OptionList::VoxGain: return offToTen;
    case OptionList::Squelch: return squelch;
    case OptionList::Mic: return mic;
    case OptionList::Voice: return voice;
    case OptionList::PttType: return pttType;
    case OptionList::PttId: return pttId;
    case OptionList::VoxDelay: return voxDelay;
    }
    return tot;
}

int ShownPosition(const ProgramState& state, OptionList list)
{
    int code = state.byteAt(Address(list));
    if (list == OptionList::Tot && code == 0)
        code = 1;
    return LimitedPosition(code - codeOffset(list), Choices(list));
}

void StorePosition(ProgramState& state, OptionList list, int position)
{
    const ChoiceList& choices = Choices(list);
    if (position < 0 || position >= int(choices.size()))
        return;
    state.setByteAt(Address(list), choices[position].code);
}

bool ShownCheck(const ProgramState& state, OptionCheck check) { return state.byteAt(Address(check)) != 0; }

void StoreCheck(ProgramState& state, OptionCheck check, bool checked)
{
    state.setByteAt(Address(check), checked ? 1 : 0);
}

DtmfBoxesEnabled DtmfBoxesFor(int pttIdPosition)
{
    switch (pttIdPosition) {
    case kPttBot: return {true, false};
    case kPttEot: return {false, true};
    default: return {true, true};
    }
}

bool VoxSubControlsEnabled(bool voxChecked) { return voxChecked; }
bool ScramblerBackupEnabled(bool activationChecked) { return !activationChecked; }

int DtmfLine(DtmfString which)
{
    return which == DtmfString::Begin ? OptionAddress::DtmfBeginLine : OptionAddress::DtmfEndLine;
}

bool IsDtmfKey(char32_t key) { return isDtmfCharacter(key) || (key >= 'a' && key <= 'd'); }

std::string ShownDtmf(const ProgramState& state, DtmfString which)
{
    std::string text;
    const auto& line = state.RadioImage[DtmfLine(which)];
    for (int p = 0; p < kDtmfPositions; ++p) {
        const int code = line[p] & 0xFF;
        if (isDtmfCharacter(char32_t(code)))
            text += char(code);
    }
    return text;
}

std::optional<char> FilteredDtmfKey(const std::string& boxText, char32_t key)
{
    if (Trimmed(boxText).size() >= std::size_t(kDtmfPositions) || !IsDtmfKey(key))
        return std::nullopt;
    return key >= 'a' ? char(key - 'a' + 'A') : char(key);
}

void StoreDtmf(ProgramState& state, DtmfString which, const std::string& text)
{
    auto& line = state.RadioImage[DtmfLine(which)];
    for (int p = 0; p < kDtmfPositions; ++p)
        line[p] = int16_t(p < int(text.size()) ? uint8_t(text[p]) : 255);
}

std::optional<char> DtmfKeyPress(ProgramState& state, DtmfString which, const std::string& boxText, char32_t key)
{
    const auto accepted = FilteredDtmfKey(boxText, key);
    if (accepted)
        StoreDtmf(state, which, Trimmed(boxText) + *accepted);
    return accepted;
}

std::string CleanedDtmfText(const std::string& text)
{
    const std::string t = Trimmed(text);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= 'a' && c <= 'd')
            return t.substr(0, i) + char(c - 'a' + 'A');
        if (!isDtmfCharacter(char32_t(uint8_t(c))))
            return t.substr(0, i);
    }
    return text;
}

std::vector<SettingLine> OptionSettings(const ProgramState& state, bool chinese)
{
    std::vector<SettingLine> lines;
    auto list = [&](OptionList l) {
        lines.push_back({Label(l).pick(chinese), Choices(l)[ShownPosition(state, l)].text.pick(chinese)});
    };
    auto check = [&](OptionCheck c) {
        lines.push_back({Label(c).pick(chinese), CheckWord(ShownCheck(state, c)).pick(chinese)});
    };
    list(OptionList::Tot);
    list(OptionList::Toa);
    list(OptionList::Squelch);
    list(OptionList::Mic);
    list(OptionList::Voice);
    check(OptionCheck::BatterySave);
    check(OptionCheck::Beep);
    check(OptionCheck::ScramblerActivation);
    check(OptionCheck::ScramblerBackup);
    list(OptionList::PttType);
    list(OptionList::PttId);
    lines.push_back({OptionTexts::TxBegin.pick(chinese), ShownDtmf(state, DtmfString::Begin)});
    lines.push_back({OptionTexts::TxEnd.pick(chinese), ShownDtmf(state, DtmfString::End)});
    check(OptionCheck::Vox);
    list(OptionList::VoxGain);
    list(OptionList::VoxDelay);
    check(OptionCheck::VoxTone);
    check(OptionCheck::VoxReceive);
    check(OptionCheck::Clone);
    return lines;
}

}  // namespace mx615
