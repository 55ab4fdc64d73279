#include "files/ChannelRows.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "channels/ChannelRecord.h"
#include "files/ChannelCsv.h"

namespace mx615 {

namespace {

constexpr int kRecordBytes = 16;

bool hasHeaderRow(std::string_view text, char separator)
{
    // The first line that is neither blank nor a comment names a Frequency column.
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        std::string line(text.substr(pos, end - pos));
        pos = end + 1;
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        std::transform(line.begin(), line.end(), line.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        std::size_t start = 0;
        while (start <= line.size()) {
            const std::size_t stop = std::min(line.find(separator, start), line.size());
            std::string field = line.substr(start, stop - start);
            field.erase(std::remove(field.begin(), field.end(), '"'), field.end());
            const auto a = field.find_first_not_of(" \t"), b = field.find_last_not_of(" \t");
            if (a != std::string::npos && field.substr(a, b - a + 1) == "frequency")
                return true;
            start = stop + 1;
        }
        return false;
    }
    return false;
}

// "3:0102...;4:..." : each copied channel's number, its 16 record bytes in hex
// and its scan bit.
std::string recordBytes(const ProgramState& state, int first, int last)
{
    std::string out;
    for (int n = first; n <= last; ++n) {
        if (!ChannelInUse(state, n))
            continue;
        out += std::to_string(n) + ':';
        char hex[3];
        for (int b = 0; b < kRecordBytes; ++b) {
            std::snprintf(hex, sizeof hex, "%02X", state.RadioImage[n][b] & 0xFF);
            out += hex;
        }
        out += ScanAdd(state, n) ? ":1;" : ":0;";
    }
    return out;
}

struct Record {
    int n = 0;
    std::array<int16_t, kRecordBytes> bytes{};
    bool scan = false;
};

std::optional<std::vector<Record>> parseRecords(std::string_view text)
{
    std::vector<Record> records;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find(';', pos), text.size());
        const std::string item(text.substr(pos, end - pos));
        pos = end + 1;
        const auto colon = item.find(':');
        if (colon == std::string::npos || item.size() != colon + 1 + 2 * kRecordBytes + 2)
            return std::nullopt;
        Record r;
        r.n = std::atoi(item.substr(0, colon).c_str());
        for (int b = 0; b < kRecordBytes; ++b)
            r.bytes[std::size_t(b)] =
                int16_t(std::strtol(item.substr(colon + 1 + 2 * std::size_t(b), 2).c_str(), nullptr, 16));
        r.scan = item.back() == '1';
        if (r.n < 1 || r.n > kChannels)
            return std::nullopt;
        records.push_back(r);
    }
    return records;
}

void putRecord(ProgramState& state, int n, const int16_t* bytes, bool scan)
{
    std::copy_n(bytes, kRecordBytes, state.RadioImage[n].begin());
    SetScanAdd(state, n, scan);
}

}  // namespace

CopiedChannels CopyChannels(const ProgramState& state, int first, int last)
{
    CopiedChannels copied;
    first = std::max(first, 1);
    last = std::min(last, kChannels);
    ProgramState run = state;
    for (int n = 1; n <= kChannels; ++n) {
        if (n >= first && n <= last)
            copied.any = copied.any || ChannelInUse(state, n);
        else
            ClearChannel(run, n);
    }
    if (!copied.any)
        return copied;
    CsvExport csv = ExportChannelCsv(run, nullptr, '\t');
    copied.text = std::move(csv.text);
    copied.notes = std::move(csv.notes);
    copied.bytes = recordBytes(state, first, last);
    return copied;
}

PasteResult PasteChannels(std::string_view text, ProgramState& state, int at, std::string_view bytes)
{
    using namespace ChannelRowTexts;
    PasteResult result;
    auto refuse = [&result](const Bilingual& why, std::vector<std::string> rows = {}) {
        result.fault = PasteFault{{NotPasted.en + why.en, NotPasted.zh + why.zh}, std::move(rows)};
        return result;
    };
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    const char separator = CsvSeparatorOf(text);
    std::string full(text);
    int shift = 0;
    if (!hasHeaderRow(text, separator)) {
        // Rows copied from a spreadsheet without the header: the program's columns.
        const std::string header = ExportChannelCsv(ProgramState{}, nullptr, separator).text;
        full = header.substr(0, header.find("\r\n") + 2) + full;
        shift = 1;
    }
    ProgramState scratch = state;
    const CsvImport import = ImportChannelCsv(full, scratch, false);
    if (import.unusable)
        return refuse({Unusable.en + import.unusable->text, Unusable.zh + import.unusable->text});
    if (!import.refused.empty()) {
        std::vector<std::string> rows;
        for (const CsvProblem& problem : import.refused)
            rows.push_back("Line " + std::to_string(problem.line - shift) + ": " + problem.text);
        return refuse(Refused, std::move(rows));
    }
    if (import.noChannels || import.channels.empty())
        return refuse(NoRows);
    const int first = import.channels.front();
    const int reach = at + import.channels.back() - first;
    if (at < 1 || reach > kChannels)
        return refuse(PastSixteen, {"Pasting at channel " + std::to_string(at) + " would fill channels up to " +
                                    std::to_string(reach) + "; the radio has 16."});

    // The program's own bytes, when they were copied with this very text.
    std::optional<std::vector<Record>> exact;
    if (!bytes.empty())
        exact = parseRecords(bytes);
    if (exact && exact->size() == import.channels.size()) {
        for (std::size_t i = 0; i < exact->size(); ++i)
            if ((*exact)[i].n - (*exact)[0].n != import.channels[i] - first)
                exact.reset();
    } else {
        exact.reset();
    }
    for (std::size_t i = 0; i < import.channels.size(); ++i) {
        const int n = import.channels[i];
        const int target = at + n - first;
        if (exact)
            putRecord(state, target, (*exact)[i].bytes.data(), (*exact)[i].scan);
        else
            putRecord(state, target, scratch.RadioImage[n].data(), ScanAdd(scratch, n));
        result.channels.push_back(target);
    }
    result.notes = import.notes;
    return result;
}

void ClearChannels(ProgramState& state, int first, int last)
{
    for (int n = std::max(first, 1); n <= std::min(last, kChannels); ++n) {
        ClearChannel(state, n);
        SetScanAdd(state, n, false);
    }
}

void SwapChannels(ProgramState& state, int n, int m)
{
    if (n < 1 || m < 1 || n > kChannels || m > kChannels || n == m)
        return;
    std::swap(state.RadioImage[n], state.RadioImage[m]);
    const bool scanN = ScanAdd(state, n), scanM = ScanAdd(state, m);
    SetScanAdd(state, n, scanM);
    SetScanAdd(state, m, scanN);
}

bool SortChannelsByRx(ProgramState& state)
{
    struct Used {
        int n;
        double rx;
        std::array<int16_t, kImageLineCells> line;
        bool scan;
    };
    std::vector<Used> used;
    for (int n = 1; n <= kChannels; ++n)
        if (ChannelInUse(state, n))
            used.push_back({n, std::atof(FrequencyText(state, n, kRxFirst).c_str()), state.RadioImage[n], ScanAdd(state, n)});
    std::vector<Used> sorted = used;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Used& a, const Used& b) { return a.rx < b.rx; });
    bool moved = false;
    for (std::size_t i = 0; i < used.size(); ++i) {
        moved = moved || sorted[i].n != used[i].n;
        state.RadioImage[used[i].n] = sorted[i].line;
        SetScanAdd(state, used[i].n, sorted[i].scan);
    }
    return moved;
}

}  // namespace mx615
