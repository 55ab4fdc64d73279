#include "channels/ChannelGrid.h"

#include "channels/ChannelRecord.h"
#include "model/Tables.h"

namespace mx615::ChannelGrid {

std::array<std::string, kColumns> RowTexts(const ProgramState& state, int n, bool chinese)
{
    std::array<std::string, kColumns> texts;
    texts[ColNumber] = std::to_string(n);
    if (!ChannelInUse(state, n))
        return texts;
    texts[ColRx] = FrequencyText(state, n, kRxFirst);
    texts[ColDecode] = ToneText(state, n, kDecodeFirst, chinese);
    if (HasTx(state, n)) {
        texts[ColTx] = FrequencyText(state, n, kTxFirst);
        texts[ColEncode] = ToneText(state, n, kEncodeFirst, chinese);
    }
    texts[ColPower] = (HighPower(state, n) ? ChannelTexts::High : ChannelTexts::Low).pick(chinese);
    texts[ColWidth] = (Wide(state, n) ? ChannelTexts::WideBand : ChannelTexts::Narrow).pick(chinese);
    texts[ColScan] = (ScanAdd(state, n) ? ChannelTexts::Yes : ChannelTexts::None).pick(chinese);
    switch (OptionalSignal(state, n)) {
    case 1: texts[ColSignal] = ChannelTexts::Dtmf.pick(chinese); break;
    case 2: texts[ColSignal] = ChannelTexts::FleetSync.pick(chinese); break;
    default: texts[ColSignal] = ChannelTexts::None.pick(chinese); break;  // 3 has no entry of its own
    }
    texts[ColPttId] = (PttId(state, n) ? ChannelTexts::GridOn : ChannelTexts::GridOff).pick(chinese);
    return texts;
}

std::vector<std::string> ColumnChoices(const ProgramState& state, int column, bool chinese)
{
    using namespace ChannelTexts;
    switch (column) {
    case ColDecode:
    case ColEncode: {
        std::vector<std::string> tones{ToneOffGrid.pick(chinese)};
        for (int k = 1; k <= kToneLast; ++k)
            tones.push_back(ToneNameTrimmed(state, k));
        return tones;
    }
    case ColPower: return {High.pick(chinese), Low.pick(chinese)};
    case ColWidth: return {Narrow.pick(chinese), WideBand.pick(chinese)};
    case ColScan: return {Yes.pick(chinese), None.pick(chinese)};
    case ColSignal: return {None.pick(chinese), Dtmf.pick(chinese), FleetSync.pick(chinese)};
    case ColPttId: return {GridOff.pick(chinese), GridOn.pick(chinese)};
    default: return {};
    }
}

void StoreColumnChoice(ProgramState& state, int n, int column, int p)
{
    if (p < 0)
        return;
    switch (column) {
    case ColDecode: StoreTone(state, n, kDecodeFirst, p); break;
    case ColEncode: StoreTone(state, n, kEncodeFirst, p); break;
    case ColPower: SetHighPower(state, n, p == 0 ? 1 : 0); break;
    case ColWidth: SetWide(state, n, p == 1 ? 1 : 0); break;
    case ColScan: SetScanAdd(state, n, p == 0); break;
    case ColSignal: SetOptionalSignal(state, n, p); break;
    case ColPttId: SetPttId(state, n, p); break;
    default: break;
    }
}

Bilingual Caption(int channel)
{
    const std::string number = " " + std::to_string(channel);
    return {"Channel Information [ Channel - " + number + " ]", "信道参数编辑 [ 信道 - " + number + " ]"};
}

Bilingual FieldStep(const Bilingual& field, int channel)
{
    const std::string n = std::to_string(channel);
    return {field.en + " of channel " + n, "信道 " + n + " 的" + field.zh};
}

}  // namespace mx615::ChannelGrid

namespace mx615::ChannelGridTexts {

const Bilingual* ForProblem(FrequencyProblem problem, bool transmit)
{
    switch (problem) {
    case FrequencyProblem::OutOfBand: return transmit ? &TxOutOfBand : &RxOutOfBand;
    case FrequencyProblem::Unstorable: return &BadFrequency;
    case FrequencyProblem::RxFirst: return &RxFirst;
    default: return nullptr;
    }
}

}  // namespace mx615::ChannelGridTexts
