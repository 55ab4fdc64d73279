#include "features/TestFrequencies.h"

#include "channels/ChannelGrid.h"
#include "channels/ChannelRecord.h"
#include "channels/FrequencyEntry.h"
#include "model/Codecs.h"

namespace mx615 {

ImageField TestFrequencyField(int row, int column)
{
    const int k = 2 * (row - 1) + (column - 1);
    return {TestGrid::kFirstLine + k / 4, 4 * (k % 4)};
}

std::string TestFrequencyText(const ProgramState& state, int row, int column)
{
    const ImageField f = TestFrequencyField(row, column);
    if ((state.RadioImage[f.line][f.firstByte] & 0xFF) == 0xFF)
        return {};
    return FrequencyText(state, f.line, f.firstByte);
}

void StoreTestFrequency(ProgramState& state, int row, int column, const std::string& cellText)
{
    const ImageField f = TestFrequencyField(row, column);
    if (Trimmed(cellText).empty()) {
        for (int b = 0; b < 4; ++b)
            state.RadioImage[f.line][f.firstByte + b] = 0xFF;
        return;
    }
    FrequencyTextToBcd(state, cellText, f.line, f.firstByte);
}

TestCellEdit LeaveTestCell(const ProgramState& state, int column, const std::string& typed, const std::string& rxCell,
                           const std::string& txCell)
{
    TestCellEdit edit{rxCell, txCell};
    if (column != TestGrid::ColRx && column != TestGrid::ColTx)
        return edit;
    const bool rx = column == TestGrid::ColRx;
    const std::string text = Trimmed(typed);
    std::string& cell = rx ? edit.rx : edit.tx;

    if (!rx && Trimmed(rxCell).empty() && !text.empty()) {
        edit.warning = ChannelGridTexts::ForProblem(FrequencyProblem::RxFirst, true);
        return edit;
    }
    if (text.empty()) {
        cell.clear();
        if (rx)
            edit.tx.clear();
        return edit;
    }
    const FrequencyToStore store = StorableFrequency(state, text);
    edit.warning = ChannelGridTexts::ForProblem(store.problem, !rx);
    if (store.problem == FrequencyProblem::Unstorable) {
        edit.refused = true;
        return edit;
    }
    cell = store.text;
    if (store.problem == FrequencyProblem::OutOfBand)
        return edit;
    if (rx && Trimmed(edit.tx).empty()) {
        edit.tx = cell;
        edit.focusToGrid = true;
    }
    return edit;
}

std::string TestFrequencyRowLabel(int row) { return std::to_string(row); }

std::vector<TestFrequencyRow> TestFrequencyRows(const ProgramState& state)
{
    std::vector<TestFrequencyRow> rows;
    for (int row = 1; row < TestGrid::kRows; ++row)
        rows.push_back({TestFrequencyRowLabel(row), TestFrequencyText(state, row, TestGrid::ColRx),
                        TestFrequencyText(state, row, TestGrid::ColTx)});
    return rows;
}

}  // namespace mx615
