#pragma once
// The program-wide state: the radio memory image and every variable that the
// windows share. One instance is made in main() and handed to every window, so
// each test can build its own.

#include <array>
#include <cstdint>
#include <string>

#include "model/Version.h"

namespace mx615 {

constexpr int kImageLines = 131;     // lines 0..130; only 0..63 carry radio data
constexpr int kImageLineCells = 33;  // cells 0..32; only 0..15 carry radio data
constexpr int kRadioLines = 64;      // radio memory 0x000..0x3FF
constexpr int kChannels = 16;

using RadioImageTable = std::array<std::array<int16_t, kImageLineCells>, kImageLines>;
using LinkBufferTable = std::array<std::array<int16_t, 71>, 66>;
using AdjustTableCells = std::array<std::array<int16_t, 17>, 17>;

constexpr int kToneSlots = 261;   // 0..205 used
constexpr int kToneCount = 206;   // off + 39 CTCSS + 83 DCS normal + 83 DCS inverted
constexpr int kModelSlots = 7;    // 0..2 used
constexpr int kModelCount = 3;

// The six texts of the about box in the language of the moment.
struct AboutTexts {
    std::string title;        // the product series and "series programming software"
    std::string rights;       // the rights notice with its years
    std::string designer;     // who designed the software
    std::string warning;      // against unauthorised copying
    std::string confirm;      // the Confirm button
    std::string systemInfo;   // the system-information button, with its access key
};

struct ProgramState {
    // The document: radio address A lives at RadioImage[A / 16][A % 16].
    RadioImageTable RadioImage{};

    int16_t ChannelCount = 16;
    int16_t ModelIndex = 1;
    double BandLowMHz = 400;
    double BandHighMHz = 481;
    int16_t CommPort = 1;
    bool UiChinese = false;
    std::string VersionText = kVersionText;
    std::string LastFilePath;
    bool FileOpenDone = false;
    bool FileSaveDone = false;
    int16_t CurrentChannel = 1;
    bool PortOpenFailed = false;
    LinkBufferTable LinkBuffer{};
    AdjustTableCells AdjustTable{};
    AboutTexts About;

    // Lookup tables, filled once by BuildToneTables / BuildModelTable.
    std::array<std::string, kToneSlots> ToneNames{};
    std::array<int16_t, kToneSlots> ToneCodeLow{};
    std::array<int16_t, kToneSlots> ToneCodeHigh{};
    std::array<std::string, kModelSlots> ModelNames{};
    std::array<std::array<int16_t, 2>, kModelSlots> BandTable{};

    // The byte at radio address A, read as a byte.
    int byteAt(int address) const { return RadioImage[address / 16][address % 16] & 0xFF; }
    void setByteAt(int address, int value) { RadioImage[address / 16][address % 16] = int16_t(value); }
};

// A text the user sees, in both interface languages (UTF-8).
struct Bilingual {
    std::string en;
    std::string zh;
    const std::string& pick(bool chinese) const { return chinese ? zh : en; }
};

// The caption of one control, by the control's name ("Label_tot").
struct ControlCaption {
    const char* control;
    Bilingual text;
};

// Titles of the program's message boxes.
inline const Bilingual kOperatePrompt{"Operate prompt", "操作提示"};
inline const Bilingual kOperatePromptCapital{"Operate Prompt", "操作提示"};

}  // namespace mx615
