#pragma once
// The test-mode frequencies: sixteen receive/transmit pairs in lines
// 40..47 (0x280..0x2FF), each in the 4-byte frequency code. The
// window's grid has row 1..16 per test channel, column 1 RX and 2 TX. The
// band check, the zero fill and the band-low text are the channel table's
// (ChannelRecord.h, FrequencyEntry.h), and so are its warnings.

#include <string>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

struct Bilingual;

namespace TestGrid {
constexpr int kRows = 17;  // the title row and test channels 1..16
constexpr int kColumns = 3;
constexpr int kFirstLine = 40, kLastLine = 47;
enum Column { ColNumber = 0, ColRx = 1, ColTx = 2 };
}  // namespace TestGrid

// Where the frequency of (row 1..16, column 1 or 2) lives: frequency
// k = 2 (row - 1) + column - 1 takes bytes 4 (k mod 4) .. +3 of line
// 40 + k div 4.
struct ImageField {
    int line;
    int firstByte;
};
ImageField TestFrequencyField(int row, int column);

// The cell text: empty when the first byte is 0xFF (whatever the other three
// hold), otherwise the frequency text ("155.05000").
std::string TestFrequencyText(const ProgramState& state, int row, int column);

// Stores a cell's text: an empty (or blank) text as FF FF FF FF, any other by
// the digit mapping of FrequencyTextToBcd. Only the four bytes of the cell.
void StoreTestFrequency(ProgramState& state, int row, int column, const std::string& cellText);

// What leaving an edited cell does to the row's two cells.
struct TestCellEdit {
    std::string rx;                     // the row's RX cell afterwards
    std::string tx;                     // the row's TX cell afterwards
    const Bilingual* warning = nullptr; // a warning to show (title kOperatePrompt), or none
    bool refused = false;               // an in-band text that cannot be stored as typed
                                        // (ChannelGridTexts::BadFrequency): both cells keep
                                        // their texts
    bool focusToGrid = false;           // RX copied into an empty TX: the focus returns to the grid
};
// The leave-cell rules for column 1 (RX) or 2 (TX) with the typed text and
// the row's current cell texts:
// - RX out of band: a typed text warns (RxOutOfBand) and becomes the band's
//   lower limit ("400.00000"); an empty text empties both cells.
// - RX in band: the text in the display form ("470.10000"); an empty TX cell
//   receives the same text.
// - TX with an empty RX cell and a typed text: warns (RxFirst), TX unchanged.
// - TX out of band: a typed text warns (TxOutOfBand) and becomes the band's
//   lower limit; an empty text empties the TX cell only. In band: the display form.
// Column 0 changes nothing. The editor's text is emptied afterwards in every case.
TestCellEdit LeaveTestCell(const ProgramState& state, int column, const std::string& typed, const std::string& rxCell,
                           const std::string& txCell);

std::string TestFrequencyRowLabel(int row);  // "1" .. "16"

// Every test channel as the window shows it: "1", RX text, TX text.
struct TestFrequencyRow {
    std::string channel;
    std::string rx;
    std::string tx;
};
std::vector<TestFrequencyRow> TestFrequencyRows(const ProgramState& state);

}  // namespace mx615
