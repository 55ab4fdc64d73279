#pragma once
// What the channel table shows and stores, apart from its widgets: the column
// titles, the texts of a channel's row, the pick list of each column and what
// a pick writes into the record. Row n of the table is channel n; row 0 holds
// the titles.

#include <array>
#include <string>
#include <vector>

#include "channels/FrequencyEntry.h"
#include "model/Codecs.h"
#include "model/ProgramState.h"

namespace mx615 {

namespace ChannelGrid {

constexpr int kRows = 17;  // the title row and channels 1..16
constexpr int kColumns = 10;

enum Column {
    ColNumber = 0,
    ColRx = 1,
    ColTx = 2,
    ColDecode = 3,
    ColEncode = 4,
    ColPower = 5,
    ColWidth = 6,
    ColScan = 7,
    ColSignal = 8,
    ColPttId = 9,
};

inline bool IsFrequencyColumn(int column) { return column == ColRx || column == ColTx; }
inline bool IsListColumn(int column) { return column >= ColDecode && column <= ColPttId; }

// The column format of the grid: titles separated by "|", each starting with
// "^" (centred).
inline const Bilingual kColumnFormat{
    "^ Channel |^RX Frequency|^TX Frequency|^CTCSS/DCS Dec|^CTCSS/DCS Enc|^TX Power|^  W/N  |^Scan_Add|"
    "^ OptSingal |^ PTT-ID",
    "^ 信道号 |^接收频率(MHZ)|^发射频率(MHZ)|^QT/DQT 解码|^QT/DQT 编码|^发射功率|^信道带宽|^扫描添加|"
    "^ 可选信令 |^ PTT-ID"};

// The titles of a format string, without their alignment marks.
using mx615::ColumnTitles;

// The texts of row n (columns 0..9) as the record holds them. An empty
// channel (byte 0 = 0xFF) gives blanks in columns 1..9 whatever else it holds.
std::array<std::string, kColumns> RowTexts(const ProgramState& state, int n, bool chinese);

// The pick list of a list column (3..9), in the order of the stored values.
std::vector<std::string> ColumnChoices(const ProgramState& state, int column, bool chinese);

// Writes position p of the column's pick list into channel n; the other bits
// of the byte keep their values.
void StoreColumnChoice(ProgramState& state, int n, int column, int p);

// "Channel Information [ Channel -  1 ]".
Bilingual Caption(int channel);

// The undo step that changed one field of a channel, from the field's
// caption in both languages: "RX Frequency of channel 3".
Bilingual FieldStep(const Bilingual& field, int channel);

}  // namespace ChannelGrid

namespace ChannelGridTexts {
inline const Bilingual Close{"Close", "关闭"};
inline const Bilingual Edit{"Channel Edit", "信道编辑"};
inline const Bilingual Help{"Help", "帮助"};
inline const Bilingual Default{"Default", "出厂值"};
inline const Bilingual Clear{"Clear", "清除"};

// What a screen reader calls the grid, which shows no caption of its own.
inline const Bilingual GridName{"Channels", "信道列表"};

inline const Bilingual RxOutOfBand{"Over the range of receive frequency .", "接收频率超出范围 ！"};
inline const Bilingual RxFirst{"Please input the receive frequency in advance.", "请先输入接收频率 ！"};
inline const Bilingual TxOutOfBand{"Over the range of transmit frequency .", "发射频率超出范围 ！"};
// A text in band that has no storable shape ("450..025", "450.0250001").
inline const Bilingual BadFrequency{
    "The frequency is not a valid number. Type it as three digits, a point and up to five decimals, "
    "for example 450.02500.",
    "频率格式不正确，请输入三位整数、小数点和最多五位小数，例如 450.02500 ！"};

// The grids' warning for a frequency entry's problem (the channel table and
// the test grid word them alike); none for None.
const Bilingual* ForProblem(FrequencyProblem problem, bool transmit);
}  // namespace ChannelGridTexts

}  // namespace mx615
