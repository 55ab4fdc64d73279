#include "channels/FrequencyEntry.h"

#include <algorithm>

#include "model/Codecs.h"

namespace mx615 {

bool IsFrequencyCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '.';
}

std::optional<std::string> NormalisedFrequencyText(const ProgramState& state, const std::string& text)
{
    const std::string s = Trimmed(text);
    if (s.empty() || !std::all_of(s.begin(), s.end(), IsFrequencyCharacter) ||
        std::count(s.begin(), s.end(), '.') > 1)
        return std::nullopt;

    const auto point = s.find('.');
    std::string whole = s.substr(0, point);
    std::string decimals = point == std::string::npos ? std::string() : s.substr(point + 1);

    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    // Three MHz digits always fit; two only when the band reaches below
    // 100 MHz, where the stored form gets a leading zero.
    const bool fits = whole.size() == 3 || (whole.size() == 2 && state.BandLowMHz < 100);
    if (!fits)
        return std::nullopt;

    while (decimals.size() > 5 && decimals.back() == '0')
        decimals.pop_back();
    if (decimals.size() > 5)
        return std::nullopt;  // finer than 10 Hz: would be cut off unseen
    decimals.append(5 - decimals.size(), '0');
    return whole + "." + decimals;
}

}  // namespace mx615
