#include "features/FeatureSummary.h"

#include "channels/ChannelGrid.h"
#include "features/FeatureTexts.h"
#include "features/KeyRecord.h"
#include "features/MessageRecord.h"
#include "features/OptionRecord.h"
#include "features/ScanRecord.h"
#include "features/TestFrequencies.h"
#include "model/Codecs.h"

namespace mx615 {

std::vector<SettingSection> FeatureSections(const ProgramState& state, bool chinese)
{
    std::vector<SettingSection> sections{
        {OptionTexts::Caption.pick(chinese), OptionSettings(state, chinese)},
        {KeyTexts::Caption.pick(chinese), KeySettings(state, chinese)},
        {ScanTexts::Caption.pick(chinese), ScanSettings(state, chinese)},
    };

    SettingSection test{.title = TestTexts::Caption.pick(chinese), .service = true};
    const auto titles = ChannelGrid::ColumnTitles(TestTexts::ColumnFormat.pick(chinese));
    for (const TestFrequencyRow& row : TestFrequencyRows(state)) {
        test.lines.push_back({row.channel + " " + Trimmed(titles[TestGrid::ColRx]), row.rx});
        test.lines.push_back({row.channel + " " + Trimmed(titles[TestGrid::ColTx]), row.tx});
    }
    sections.push_back(test);

    SettingSection messages{MessageTexts::Caption.pick(chinese), {}};
    int number = 1;
    for (const std::string& text : ShownMessages(state))
        messages.lines.push_back({std::to_string(number++), text});
    sections.push_back(messages);
    return sections;
}

}  // namespace mx615
