#include "model/RadioDefaults.h"

#include "model/Codecs.h"

namespace mx615 {

std::array<uint8_t, 7> IdentificationBytes()
{
    std::array<uint8_t, 7> bytes{};
    bytes[0] = 'M';
    bytes[1] = 'X';
    bytes[2] = '6';
    bytes[3] = '1';
    bytes[4] = '5';
    bytes[5] = 0x0C;  // year and month of the memory layout: 12.07
    bytes[6] = 0x07;
    return bytes;
}

namespace {

struct DefaultLine {
    int line;
    std::array<uint8_t, 16> bytes;
};

constexpr DefaultLine kDefaultLines[] = {
    {17, {0x00, 0x00, 0x0A, 0x00, 0x00, 0x01, 0x00, 0x0A, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x0A, 0xFF}},
    {18, {0x30, 0x30, 0x30, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x01}},
    {19, {0x04, 0x00, 0x00, 0x00, 0x05, 0x01, 0x01, 0x01, 0x00, 0x00, 0x05, 0x01, 0x00, 0x00, 0x00, 0x00}},
    {20, {0x31, 0x32, 0x33, 0x34, 0x35, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    {22, {0x00, 0xFF, 0x1F, 0x33, 0x01, 0x03, 0x00, 0x03, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    {23, {0xFF, 0x00, 0x00, 0x90, 0x01, 0x00, 0x0A, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}},
    {31, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    // Test-mode frequency pairs of test channels 1..6.
    {40, {0x00, 0x50, 0x50, 0x15, 0x00, 0x00, 0x51, 0x15, 0x00, 0x50, 0x60, 0x13, 0x00, 0x00, 0x61, 0x13}},
    {41, {0x00, 0x50, 0x39, 0x17, 0x00, 0x00, 0x39, 0x17, 0x00, 0x00, 0x50, 0x15, 0x00, 0x00, 0x50, 0x15}},
    {42, {0x00, 0x00, 0x52, 0x15, 0x00, 0x00, 0x52, 0x15, 0x00, 0x00, 0x54, 0x15, 0x00, 0x00, 0x54, 0x15}},
};

struct DefaultChannel {
    double megahertz;
    const char* tone;  // decode and encode; nullptr = off
};

constexpr DefaultChannel kDefaultChannels[kChannels] = {
    {450.025, "67.0"}, {460.04375, "100.0"}, {469.925, "203.5"}, {400.125, "250.3"},
    {459.9, nullptr},  {459.8, nullptr},     {459.7, nullptr},   {420.175, nullptr},
    {440.225, nullptr}, {419.975, nullptr},  {410.025, nullptr}, {400.175, nullptr},
    {470.175, nullptr}, {450.355, nullptr},  {460.555, nullptr}, {469.975, nullptr},
};

}  // namespace

void FillStartupImage(ProgramState& state)
{
    for (int line = 0; line < kRadioLines; ++line)
        for (int b = 0; b < 16; ++b)
            state.RadioImage[line][b] = 0xFF;
    for (const auto& entry : kDefaultLines)
        for (int b = 0; b < 16; ++b)
            state.RadioImage[entry.line][b] = entry.bytes[b];
    const auto id = IdentificationBytes();
    for (int b = 0; b < 7; ++b)
        state.RadioImage[27][8 + b] = id[b];
    LoadDefaultChannels(state);
}

void StoreChannelDefaultFlags(ProgramState& state, int n)
{
    auto& row = state.RadioImage[n];
    for (int b = 8; b < 12; ++b)
        row[b] = 0xFF;
    row[12] = 0x00;
    row[13] = 0xBF;
    row[14] = 0xB0;
    row[15] = 0xF8;
}

void LoadDefaultChannels(ProgramState& state)
{
    for (int n = 1; n <= kChannels; ++n) {
        for (int b = 0; b < 8; ++b)
            state.RadioImage[n][b] = 0x00;
        StoreChannelDefaultFlags(state, n);
    }
    for (int n = 1; n <= kChannels; ++n) {
        const std::string text = ShortestDecimal(kDefaultChannels[n - 1].megahertz);
        FrequencyTextToBcd(state, text, n, 0);
        FrequencyTextToBcd(state, text, n, 4);
    }
    for (int n = 1; n <= 4; ++n) {
        ToneTextToCells(state, kDefaultChannels[n - 1].tone, n, 8);
        ToneTextToCells(state, kDefaultChannels[n - 1].tone, n, 10);
    }
}

}  // namespace mx615
