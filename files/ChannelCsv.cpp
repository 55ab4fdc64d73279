#include "files/ChannelCsv.h"

#include <algorithm>
#include <cstdlib>
#include <array>
#include <cctype>
#include <map>

#include "channels/ChannelRecord.h"
#include "files/CsvWriter.h"
#include "files/NumberFile.h"
#include "model/Codecs.h"
#include "model/Tables.h"

namespace mx615 {

namespace {

constexpr long long kStepsPerMHz = 100000;   // 10 Hz steps

const std::array<const char*, 21> kColumns = {
    "Location", "Name",     "Frequency", "Duplex", "Offset", "Tone",    "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep",
    "Skip",     "Power",    "Comment",   "URCALL", "RPT1CALL", "RPT2CALL", "DVCODE"};

// The radio's two power levels as watts, in the notation the readers of
// these files take ("%.1fW"); the import reads 2 W and more as high.
constexpr const char* kHighPowerWatts = "5.0W";
constexpr const char* kLowPowerWatts = "1.0W";

// What a column holds when the file has no such column: the values those
// tools write for a tone column that is not used, a simplex FM channel that
// scans at high power.
const std::map<std::string, std::string> kDefaults = {
    {"rToneFreq", "88.5"}, {"cToneFreq", "88.5"}, {"DtcsCode", "023"}, {"RxDtcsCode", "023"},
    {"DtcsPolarity", "NN"}, {"CrossMode", "Tone->Tone"}, {"Offset", "0"}};

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// ---- the CSV layer: records with the line they start on -------------------

struct Record {
    int line = 0;
    std::vector<std::string> fields;
};

// The separator of the file: the one of ",", ";" and a tab that the header row
// (the first line that is neither blank nor a comment) holds most often outside
// quotes. A spreadsheet saved where the decimal point is a comma writes ";".
char separatorOf(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string line = trimmed(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        std::size_t counts[3] = {};
        bool quoted = false;
        for (const char c : line) {
            quoted = c == '"' ? !quoted : quoted;
            if (!quoted && (c == ',' || c == ';' || c == '\t'))
                ++counts[c == ',' ? 0 : c == ';' ? 1 : 2];
        }
        const std::size_t most = std::max({counts[0], counts[1], counts[2]});
        return most == 0 || counts[0] == most ? ',' : counts[1] == most ? ';' : '\t';
    }
    return ',';
}

std::optional<CsvProblem> readRecords(std::string_view text, char separator, std::vector<Record>& records)
{
    std::size_t pos = 0;
    int line = 1;
    while (pos < text.size()) {
        // A line that starts with "#" is a comment, whatever it holds (an
        // unpaired quote too).
        const std::size_t first = text.find_first_not_of(" \t", pos);
        if (first != std::string_view::npos && text[first] == '#') {
            const std::size_t end = text.find_first_of("\r\n", first);
            if (end == std::string_view::npos)
                break;
            pos = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
            ++line;
            continue;
        }
        Record record{line, {}};
        std::string field;
        bool quoted = false, wasQuoted = false, ended = false;
        while (!ended) {
            if (pos >= text.size()) {
                if (quoted)
                    return CsvProblem{record.line, "a quoted field that starts here is never closed."};
                break;
            }
            const char c = text[pos++];
            if (quoted) {
                if (c == '"' && pos < text.size() && text[pos] == '"') {
                    field += '"';
                    ++pos;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    if (c == '\n')
                        ++line;
                    field += c;
                }
            } else if (c == '"' && !wasQuoted && trimmed(field).empty()) {
                quoted = wasQuoted = true;
                field.clear();
            } else if (c == separator) {
                record.fields.push_back(field);
                field.clear();
                wasQuoted = false;
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && pos < text.size() && text[pos] == '\n')
                    ++pos;
                ++line;
                ended = true;
            } else {
                field += c;
            }
        }
        record.fields.push_back(field);
        const bool blank = std::all_of(record.fields.begin(), record.fields.end(),
                                       [](const std::string& f) { return trimmed(f).empty(); });
        // A quoted first field that starts with "#" is a comment as well.
        if (!blank && trimmed(record.fields.front()).rfind('#', 0) != 0)
            records.push_back(std::move(record));
    }
    return std::nullopt;
}

// ---- numbers --------------------------------------------------------------

enum class Decimal { Ok, NotANumber, TooFine };

// A plain decimal "446.00625" as whole units of 10^-decimals.
Decimal exactDecimal(std::string_view text, int decimals, long long& value)
{
    const std::string s = trimmed(text);
    const auto point = s.find('.');
    const std::string whole = s.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : s.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || (!whole.empty() && !allDigits(whole)) ||
        (!fraction.empty() && !allDigits(fraction)) || whole.size() > 6)
        return Decimal::NotANumber;
    value = whole.empty() ? 0 : std::stoll(whole);
    for (int i = 0; i < decimals; ++i)
        value = value * 10 + (i < int(fraction.size()) ? fraction[std::size_t(i)] - '0' : 0);
    for (std::size_t i = std::size_t(decimals); i < fraction.size(); ++i)
        if (fraction[i] != '0')
            return Decimal::TooFine;
    return Decimal::Ok;
}

// "446.00625" from 44600625 steps; the digits the channel codec reads by position.
std::string stepsText(long long steps, int decimals)
{
    std::string fraction = std::to_string(steps % kStepsPerMHz);
    fraction.insert(0, 5 - fraction.size(), '0');
    return std::to_string(steps / kStepsPerMHz) + "." + fraction + std::string(std::size_t(decimals - 5), '0');
}

long long storedSteps(const ProgramState& state, int n, int first)
{
    long long steps = 0;
    exactDecimal(FrequencyText(state, n, first), 5, steps);
    return steps;
}

// ---- one row --------------------------------------------------------------

struct Row {
    int line = 0;
    const std::map<std::string, std::size_t>* columns = nullptr;
    const std::vector<std::string>* fields = nullptr;
    // With ";" or a tab between the fields, a comma in a number is its decimal point.
    bool decimalComma = false;

    // The value as the file gives it, blanks trimmed.
    std::string given(const std::string& name) const
    {
        const auto it = columns->find(lower(name));
        return it == columns->end() || it->second >= fields->size() ? std::string() : trimmed((*fields)[it->second]);
    }
    // The value, or the column's default when the file leaves it empty.
    std::string operator[](const std::string& name) const
    {
        const std::string value = given(name);
        return value.empty() && kDefaults.count(name) ? kDefaults.at(name) : value;
    }
    // A number's text with a decimal point, whichever mark the file uses.
    std::string number(const std::string& name) const
    {
        std::string value = (*this)[name];
        if (decimalComma)
            std::replace(value.begin(), value.end(), ',', '.');
        return value;
    }
};

// What a row stores.
struct Channel {
    long long rx = 0;
    std::optional<long long> tx;
    int encode = 0, decode = 0;   // tone list positions, 0 = off
    bool wide = true, high = true, scan = true;
    std::string name, comment;
};

struct RowFault {
    std::string text;
};

std::string quoted(const std::string& value) { return "\"" + ShownValue(value) + "\""; }

// Within the band of the model, the limits included as the channel table has them.
long long inBand(const ProgramState& state, long long steps, const char* what)
{
    const int model = std::clamp<int>(state.ModelIndex, 0, kModelCount - 1);
    const long long low = state.BandTable[model][0] * kStepsPerMHz;
    const long long high = state.BandTable[model][1] * kStepsPerMHz;
    if (steps < low || steps > high)
        throw RowFault{std::string(what) + " frequency " + (steps < 0 ? "-" + stepsText(-steps, 5) : stepsText(steps, 5)) +
                       " MHz lies outside the band of the " + ModelBandText(state, model) + "."};
    return steps;
}

// A frequency in MHz, or with the unit after it: "446.00625 MHz", "446006.25 kHz".
Decimal frequencySteps(std::string figure, long long& steps)
{
    int decimals = 5;   // 10 Hz steps in a figure of MHz
    const std::string unit = figure.size() > 3 ? lower(figure.substr(figure.size() - 3)) : std::string();
    if (unit == "mhz" || unit == "khz") {
        figure = trimmed(figure.substr(0, figure.size() - 3));
        decimals = unit == "khz" ? 2 : 5;
    }
    return exactDecimal(figure, decimals, steps);
}

long long frequencyIn(const Row& row, const std::string& column)
{
    const std::string value = row[column];
    long long steps = 0;
    switch (frequencySteps(row.number(column), steps)) {
    case Decimal::NotANumber:
        throw RowFault{column + " " + quoted(value) + " is not a frequency in MHz."};
    case Decimal::TooFine:
        throw RowFault{column + " " + ShownValue(value) +
                       " has a digit below 10 Hz; the radio stores frequencies in 10 Hz steps."};
    case Decimal::Ok:
        break;
    }
    return steps;
}

int ctcssTone(const ProgramState& state, const Row& row, const std::string& column)
{
    long long tenths = 0;
    const std::string name = exactDecimal(row.number(column), 1, tenths) == Decimal::Ok
                                 ? std::to_string(tenths / 10) + "." + std::to_string(tenths % 10)
                                 : std::string();
    for (int k = kCtcssFirst; k <= kCtcssLast && !name.empty(); ++k)
        if (ToneNameTrimmed(state, k) == name)
            return k;
    throw RowFault{column + " " + quoted(row[column]) + " is not a CTCSS tone of the radio's tone list."};
}

int dcsTone(const ProgramState& state, const std::string& column, const std::string& code, char polarity)
{
    // The code's digits are a name, not a number: "23" is "023", "0023" is nothing.
    if (!allDigits(code) || code.size() > 3)
        throw RowFault{column + " " + quoted(code) + " is not a DCS code (three octal digits such as 023)."};
    const std::string name = "D" + std::string(3 - code.size(), '0') + code + (polarity == 'R' ? "I" : "N");
    for (int k = kDcsNormalFirst; k <= kToneLast; ++k)
        if (ToneNameTrimmed(state, k) == name)
            return k;
    throw RowFault{column + " " + quoted(code) + " is not a DCS code of the radio's tone list."};
}

char polarityOf(const Row& row, int side)
{
    std::string polarity = row["DtcsPolarity"];
    std::transform(polarity.begin(), polarity.end(), polarity.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    if (polarity.size() != 2 || std::string("NR").find(polarity[0]) == std::string::npos ||
        std::string("NR").find(polarity[1]) == std::string::npos)
        throw RowFault{"DtcsPolarity " + quoted(polarity) + " is not two letters N (normal) or R (reversed)."};
    return polarity[std::size_t(side)];
}

[[noreturn]] void badCrossMode(const Row& row)
{
    throw RowFault{"CrossMode " + quoted(row["CrossMode"]) + " is not one of Tone->Tone, Tone->DTCS, DTCS->Tone, "
                   "DTCS->DTCS, ->Tone, ->DTCS, Tone->, DTCS->."};
}

// The tone of one side of a Cross row: "Tone", "DTCS" or nothing.
int crossSide(const ProgramState& state, const Row& row, const std::string& kind, bool encode)
{
    if (kind.empty())
        return 0;
    if (lower(kind) == "tone")
        return encode ? ctcssTone(state, row, "rToneFreq") : ctcssTone(state, row, "cToneFreq");
    if (lower(kind) == "dtcs")
        return encode ? dcsTone(state, "DtcsCode", row["DtcsCode"], polarityOf(row, 0))
                      : dcsTone(state, "RxDtcsCode", row["RxDtcsCode"], polarityOf(row, 1));
    badCrossMode(row);
}

void readTones(const ProgramState& state, const Row& row, Channel& channel)
{
    const std::string mode = lower(row["Tone"]);
    if (mode.empty())
        return;
    if (mode == "tone") {
        channel.encode = ctcssTone(state, row, "rToneFreq");
    } else if (mode == "tsql") {
        channel.encode = channel.decode = ctcssTone(state, row, "cToneFreq");
    } else if (mode == "dtcs") {
        channel.encode = dcsTone(state, "DtcsCode", row["DtcsCode"], polarityOf(row, 0));
        channel.decode = dcsTone(state, "DtcsCode", row["DtcsCode"], polarityOf(row, 1));
    } else if (mode == "cross") {
        const std::string cross = row["CrossMode"];
        const auto arrow = cross.find("->");
        if (arrow == std::string::npos || cross == "->")
            badCrossMode(row);
        channel.encode = crossSide(state, row, cross.substr(0, arrow), true);
        channel.decode = crossSide(state, row, cross.substr(arrow + 2), false);
    } else {
        throw RowFault{"Tone " + quoted(row["Tone"]) + " is not a tone mode the radio has (none, Tone, TSQL, DTCS, Cross)."};
    }
}

bool readPower(const Row& row)
{
    const std::string p = lower(row.number("Power"));
    if (p.empty() || p == "high" || p == "h")
        return true;
    if (p == "low" || p == "l")
        return false;
    long long milliwatts = 0;
    const std::string figure = p.back() == 'w' ? p.substr(0, p.size() - 1) : p;
    if (exactDecimal(figure, 3, milliwatts) != Decimal::NotANumber)
        return milliwatts >= 2000;   // 2 W and more is the radio's high power
    throw RowFault{"Power " + quoted(row["Power"]) + " is neither High, Low nor a figure in watts such as 5.0W."};
}

// A column that takes one of two words, either case, an empty field meaning
// the first: whether it names the second. Any other word is refused.
bool namesSecond(const Row& row, const std::string& column, const char* first, const char* second, const char* refusal)
{
    const std::string word = lower(row[column]);
    if (!word.empty() && word != first && word != second)
        throw RowFault{column + " " + quoted(row[column]) + refusal};
    return word == second;
}

// The row's channel, with every fault it has (a frequency outside the band and
// a mode the radio lacks are told together, so one edit mends the row).
Channel readChannel(const ProgramState& state, const Row& row, std::vector<std::string>& faults)
{
    Channel channel;
    auto attempt = [&](const auto& read) {
        try {
            read();
        } catch (const RowFault& fault) {
            faults.push_back(fault.text);
        }
    };
    std::optional<long long> rx;
    attempt([&] {
        rx = frequencyIn(row, "Frequency");
        channel.rx = inBand(state, *rx, "The receive");
    });
    attempt([&] {
        const std::string duplex = lower(row["Duplex"]);
        if (duplex.empty()) {
            channel.tx = channel.rx;
        } else if (duplex == "+" || duplex == "-") {
            const long long offset = frequencyIn(row, "Offset");
            if (rx)
                channel.tx = inBand(state, duplex == "+" ? *rx + offset : *rx - offset, "The transmit");
        } else if (duplex == "split") {
            if (row.given("Offset").empty())
                throw RowFault{"Duplex split takes the transmit frequency from Offset, which is empty."};
            channel.tx = inBand(state, frequencyIn(row, "Offset"), "The transmit");
        } else if (duplex != "off") {
            throw RowFault{"Duplex " + quoted(row["Duplex"]) + " is not one of \"\", +, -, split, off."};
        }
    });
    attempt([&] { readTones(state, row, channel); });
    attempt([&] {
        channel.wide = !namesSecond(row, "Mode", "fm", "nfm", " is not FM or NFM; the radio has only those two.");
    });
    attempt([&] { channel.scan = !namesSecond(row, "Skip", "p", "s", " is not \"\", P or S."); });
    attempt([&] { channel.high = readPower(row); });
    return channel;
}

// Channels sit on a raster of 2.5 kHz or 6.25 kHz (250 or 625 steps of
// 10 Hz). A spreadsheet's rounding (446,0063) puts a frequency between them:
// the nearest raster point is the channel meant.
std::optional<long long> nearestOnRaster(long long steps)
{
    if (steps % 250 == 0 || steps % 625 == 0)
        return std::nullopt;
    long long best = 0;
    for (const long long grid : {250LL, 625LL})
        for (const long long point : {steps / grid * grid, steps / grid * grid + grid})
            if (best == 0 || std::llabs(point - steps) < std::llabs(best - steps))
                best = point;
    return best;
}

void noteOffRaster(const Row& row, const Channel& channel, std::vector<Bilingual>& notices)
{
    const std::string line = std::to_string(row.line);
    auto note = [&](long long steps, const char* en, const char* zh) {
        if (const auto nearest = nearestOnRaster(steps))
            notices.push_back({"line " + line + ": the " + en + " frequency " + stepsText(steps, 5) +
                                   " MHz lies on no channel raster (2.5 or 6.25 kHz); the nearest channel is " +
                                   stepsText(*nearest, 5) + " MHz. It was stored as the file has it.",
                               "第 " + line + " 行：" + zh + "频率 " + stepsText(steps, 5) +
                                   " MHz 不在任何信道间隔 (2.5 或 6.25 kHz) 上；最近的信道为 " + stepsText(*nearest, 5) +
                                   " MHz。已按文件中的值存入。"});
    };
    note(channel.rx, "receive", "接收");
    if (channel.tx && *channel.tx != channel.rx)
        note(*channel.tx, "transmit", "发射");
}

void storeChannel(ProgramState& state, int n, const Channel& channel)
{
    ClearChannel(state, n);
    StoreFrequency(state, stepsText(channel.rx, 5), n, kRxFirst);
    SetChannelDefaults(state, n);
    if (channel.tx)
        StoreFrequency(state, stepsText(*channel.tx, 5), n, kTxFirst);
    StoreTone(state, n, kDecodeFirst, channel.decode);
    StoreTone(state, n, kEncodeFirst, channel.tx ? channel.encode : 0);
    SetWide(state, n, channel.wide ? 1 : 0);
    SetHighPower(state, n, channel.high ? 1 : 0);
    SetScanAdd(state, n, channel.scan);
}

// Channel numbers from the Location column, when every row has its own 1..16;
// otherwise why the column cannot be followed (the caller tells it only when
// the file has the column).
std::optional<std::vector<int>> locations(const std::vector<Row>& rows, Bilingual& why)
{
    std::vector<int> numbers;
    std::map<int, int> seen;   // channel -> line
    for (const Row& row : rows) {
        const std::string location = row["Location"];
        const std::string line = std::to_string(row.line);
        if (location.empty()) {
            why = {"line " + line + " has no Location", "第 " + line + " 行没有 Location"};
            return std::nullopt;
        }
        const int n = allDigits(location) && location.size() <= 2 ? std::stoi(location) : -1;
        if (n < 1 || n > kChannels) {
            why = {"line " + line + " has Location " + quoted(location) + ", which is no channel 1-16",
                   "第 " + line + " 行的 Location " + quoted(location) + " 不是 1-16 的信道"};
            return std::nullopt;
        }
        if (const auto [it, fresh] = seen.emplace(n, row.line); !fresh) {
            why = {"lines " + std::to_string(it->second) + " and " + line + " both have Location " + location,
                   "第 " + std::to_string(it->second) + " 行和第 " + line + " 行的 Location 都是 " + location};
            return std::nullopt;
        }
        numbers.push_back(n);
    }
    return numbers;
}

// Row by row, where the rows went when the Location column was not followed.
void notePlacement(const std::vector<std::pair<const Row*, int>>& placed, const Bilingual& why,
                   std::vector<Bilingual>& notices)
{
    notices.push_back({"The Location column was not followed (" + why.en +
                           "): the rows went to channels 1-16 in file order.",
                       "未按 Location 列存放 (" + why.zh + ")：各行按文件顺序存入信道 1-16。"});
    for (const auto& [row, n] : placed) {
        const std::string line = std::to_string(row->line), channel = std::to_string(n);
        const std::string location = row->given("Location");
        const std::string name = row->given("Name");
        const std::string en = location.empty() ? "" : "Location " + location;
        const std::string label = name.empty() ? "" : quoted(name);
        const std::string both = en + (!en.empty() && !label.empty() ? ", " : "") + label;
        notices.push_back({"line " + line + (both.empty() ? "" : " (" + both + ")") + " went to channel " + channel + ".",
                           "第 " + line + " 行" + (both.empty() ? "" : " (" + both + ")") + " 存入信道 " + channel + "。"});
    }
}

}  // namespace

CsvImport ImportChannelCsv(std::string_view text, ProgramState& state, bool skipBad)
{
    CsvImport result;
    std::vector<Record> records;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")   // the byte-order mark spreadsheets write
        text.remove_prefix(3);
    const char separator = separatorOf(text);
    if (auto fault = readRecords(text, separator, records)) {
        result.unusable = fault;
        return result;
    }
    if (records.empty()) {
        result.unusable = CsvProblem{1, "the file is empty; a channel CSV starts with a header row naming its columns."};
        return result;
    }
    std::map<std::string, std::size_t> columns;
    const Record& header = records.front();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = lower(trimmed(header.fields[i]));
        if (!name.empty() && !columns.emplace(name, i).second) {
            result.unusable = CsvProblem{header.line, "the column " + quoted(trimmed(header.fields[i])) + " appears twice."};
            return result;
        }
    }
    if (!columns.count("frequency")) {
        result.unusable = CsvProblem{header.line, "the header row has no Frequency column; it must name the columns "
                                                  "(Location, Frequency, Duplex, Offset, Tone, ...)."};
        return result;
    }

    // Rows without a frequency (empty, or 0 as some tools write for an unused
    // memory) hold no channel: they are skipped and counted, and take no place.
    std::vector<Row> rows;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const Row row{records[r].line, &columns, &records[r].fields, separator != ','};
        long long steps = -1;
        const std::string frequency = row.number("Frequency");
        if (frequency.empty() || (frequencySteps(frequency, steps) == Decimal::Ok && steps == 0))
            ++result.skipped;
        else
            rows.push_back(row);
    }
    if (rows.empty()) {
        result.noChannels = true;
        return result;
    }
    // The Location column is followed only when every row has its own
    // channel; a file without the column goes in file order without a word.
    Bilingual why;
    const auto byLocation = locations(rows, why);
    const bool locationIgnored = !byLocation && columns.count("location");
    std::vector<std::pair<const Row*, int>> placed;
    std::vector<Bilingual> offRaster;

    std::vector<std::pair<int, Channel>> good;
    bool named = false;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        named = named || !row["Name"].empty() || !row["Comment"].empty();
        if (!byLocation && r >= std::size_t(kChannels)) {
            result.refused.push_back({row.line, "row " + std::to_string(r + 1) + " is more than the radio's 16 channels."});
            continue;
        }
        std::vector<std::string> faults;
        Channel channel = readChannel(state, row, faults);
        if (!faults.empty()) {
            std::string text;
            for (const std::string& fault : faults)
                text += (text.empty() ? "" : " ") + fault;
            result.refused.push_back({row.line, text});
            continue;
        }
        channel.name = row["Name"];
        channel.comment = row["Comment"];
        const int n = byLocation ? (*byLocation)[r] : int(r) + 1;
        placed.emplace_back(&row, n);
        noteOffRaster(row, channel, offRaster);
        good.emplace_back(n, std::move(channel));
    }
    if (named)
        result.notes.push_back(kCsvLabelsNotStored);
    // With every row refused, --skip-bad would store an empty plan: that is
    // no import.
    if (!result.refused.empty() && (!skipBad || good.empty()))
        return result;

    for (int n = 1; n <= kChannels; ++n) {
        ClearChannel(state, n);
        SetScanAdd(state, n, false);
    }
    for (const auto& [n, channel] : good) {
        storeChannel(state, n, channel);
        result.channels.push_back(n);
        result.labels.names[std::size_t(n - 1)] = channel.name;
        result.labels.comments[std::size_t(n - 1)] = channel.comment;
    }
    std::sort(result.channels.begin(), result.channels.end());
    if (locationIgnored)
        notePlacement(placed, why, result.notices);
    result.notices.insert(result.notices.end(), offRaster.begin(), offRaster.end());
    result.applied = true;
    return result;
}

std::vector<std::string> CsvProblemLines(const std::string& name, const CsvImport& result)
{
    constexpr std::size_t kShown = 40;
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < result.refused.size() && i < kShown; ++i)
        lines.push_back(name + " line " + std::to_string(result.refused[i].line) + ": " + result.refused[i].text);
    if (result.refused.size() > kShown)
        lines.push_back(name + ": " + std::to_string(result.refused.size() - kShown) +
                        (result.refused.size() - kShown == 1 ? " more row refused." : " more rows refused."));
    return lines;
}

std::optional<int> ModelTakingCsv(std::string_view text, const ProgramState& state)
{
    for (int model = 0; model < kModelCount; ++model) {
        if (model == state.ModelIndex)
            continue;
        ProgramState trial = state;
        trial.ModelIndex = int16_t(model);
        if (ImportChannelCsv(text, trial, false).applied)
            return model;
    }
    return std::nullopt;
}

namespace {

struct ToneColumns {
    std::string mode, rTone = "88.5", cTone = "88.5", code = "023", rxCode = "023", cross = "Tone->Tone";
    char encodePolarity = 'N', decodePolarity = 'N';
};

bool isCtcss(int k) { return k >= kCtcssFirst && k <= kCtcssLast; }
bool isDcs(int k) { return k >= kDcsNormalFirst && k <= kToneLast; }

ToneColumns toneColumns(const ProgramState& state, int encode, int decode)
{
    ToneColumns t;
    auto code = [&](int k) { return ToneNameTrimmed(state, k).substr(1, 3); };
    auto polarity = [](int k) { return k >= kDcsInvertedFirst ? 'R' : 'N'; };
    if (encode == 0 && decode == 0)
        return t;
    if (isCtcss(encode) && decode == 0) {
        t.mode = "Tone";
        t.rTone = ToneNameTrimmed(state, encode);
    } else if (isCtcss(encode) && encode == decode) {
        t.mode = "TSQL";
        t.cTone = ToneNameTrimmed(state, decode);
    } else if (isDcs(encode) && isDcs(decode) && code(encode) == code(decode)) {
        t.mode = "DTCS";
        t.code = code(encode);
        t.encodePolarity = polarity(encode);
        t.decodePolarity = polarity(decode);
    } else {
        t.mode = "Cross";
        auto side = [&](int k) { return isCtcss(k) ? "Tone" : isDcs(k) ? "DTCS" : ""; };
        t.cross = std::string(side(encode)) + "->" + side(decode);
        if (isCtcss(encode))
            t.rTone = ToneNameTrimmed(state, encode);
        if (isCtcss(decode))
            t.cTone = ToneNameTrimmed(state, decode);
        if (isDcs(encode)) {
            t.code = code(encode);
            t.encodePolarity = polarity(encode);
        }
        if (isDcs(decode)) {
            t.rxCode = code(decode);
            t.decodePolarity = polarity(decode);
        }
    }
    return t;
}

}  // namespace

char CsvSeparatorOf(std::string_view text)
{
    return separatorOf(text);
}

CsvExport ExportChannelCsv(const ProgramState& state, const ChannelLabels* labels, char separator)
{
    CsvExport out;
    out.text = CsvRow(std::vector<std::string>(kColumns.begin(), kColumns.end()), separator);
    for (int n = 1; n <= kChannels; ++n) {
        if (!ChannelInUse(state, n))
            continue;
        auto tone = [&](int first, const char* which) {
            const auto k = ToneIndex(state, n, first);
            if (k)
                return *k;
            out.notes.push_back("Channel " + std::to_string(n) + ": the " + which + " tone (" +
                                ToneText(state, n, first, false) + ") is not in the radio's tone list; written as no tone.");
            return 0;
        };
        const long long rx = storedSteps(state, n, kRxFirst);
        const int decode = tone(kDecodeFirst, "decode");
        const int encode = HasTx(state, n) ? tone(kEncodeFirst, "encode") : 0;
        std::string duplex = "off";
        long long offset = 0;
        if (HasTx(state, n)) {
            const long long tx = storedSteps(state, n, kTxFirst);
            duplex = tx == rx ? "" : tx > rx ? "+" : "-";
            offset = tx > rx ? tx - rx : rx - tx;
        }
        const ToneColumns t = toneColumns(state, encode, decode);
        const std::string name = labels ? labels->names[std::size_t(n - 1)] : std::string();
        const std::string comment = labels ? labels->comments[std::size_t(n - 1)] : std::string();
        out.text += CsvRow({std::to_string(n),
                            name,
                            stepsText(rx, 6),
                            duplex,
                            stepsText(offset, 6),
                            t.mode,
                            t.rTone,
                            t.cTone,
                            t.code,
                            std::string{t.encodePolarity, t.decodePolarity},
                            t.rxCode,
                            t.cross,
                            Wide(state, n) ? "FM" : "NFM",
                            "5.00",
                            ScanAdd(state, n) ? "" : "S",
                            HighPower(state, n) ? kHighPowerWatts : kLowPowerWatts,
                            comment, "", "", "", ""},
                           separator);
    }
    return out;
}

}  // namespace mx615
