#pragma once
// The 16-byte channel record: channel n (1..16) is line n of RadioImage. There is
// no channel object: these operations read and write the image directly, and
// every field setter clears only its own bits, so bits no editor knows about
// keep what the radio or a file put there.

#include <optional>
#include <string>

#include "model/ProgramState.h"

namespace mx615 {

constexpr int kRxFirst = 0, kTxFirst = 4, kDecodeFirst = 8, kEncodeFirst = 10;
constexpr int kScanBitsLow = 0x17E, kScanBitsHigh = 0x17F;  // channels 1..8, 9..16

bool ChannelInUse(const ProgramState& state, int n);  // byte 0 != 0xFF
bool HasTx(const ProgramState& state, int n);         // byte 4 != 0xFF

// The leading number of the text lies within [BandLowMHz, BandHighMHz].
bool FrequencyInBand(const ProgramState& state, const std::string& text);
// What replaces a rejected frequency: the lower band limit, "400.00000" style.
std::string BandLowText(const ProgramState& state);

std::string FrequencyText(const ProgramState& state, int n, int first);
void StoreFrequency(ProgramState& state, const std::string& text, int n, int first);

// The grid's text for the tone at bytes first (low) and first + 1 (high).
std::string ToneText(const ProgramState& state, int n, int first, bool chinese);
// The dialog's list position for that tone; nothing when no entry matches.
std::optional<int> ToneIndex(const ProgramState& state, int n, int first);
// Stores list position k (0 = off, 1..205 = ToneNames) as the tone code.
void StoreTone(ProgramState& state, int n, int first, int k);

// Field values.
int Compander(const ProgramState& state, int n);
int OptionalSignal(const ProgramState& state, int n);
int BusyLockout(const ProgramState& state, int n);
int SpUnmute(const ProgramState& state, int n);
int Wide(const ProgramState& state, int n);
int HighPower(const ProgramState& state, int n);
int BeatShift(const ProgramState& state, int n);
int PttId(const ProgramState& state, int n);
int AutodialMemory(const ProgramState& state, int n);
bool ScanAdd(const ProgramState& state, int n);

// Field setters: read-modify-write of one byte under the field's mask.
void SetCompander(ProgramState& state, int n, int value);
void SetOptionalSignal(ProgramState& state, int n, int value);
void SetBusyLockout(ProgramState& state, int n, int value);
void SetSpUnmute(ProgramState& state, int n, int value);
void SetWide(ProgramState& state, int n, int value);
void SetHighPower(ProgramState& state, int n, int value);
void SetBeatShift(ProgramState& state, int n, int value);
void SetPttId(ProgramState& state, int n, int value);
void SetAutodialMemory(ProgramState& state, int n, int value);
void SetScanAdd(ProgramState& state, int n, bool on);

// The values a channel gets when it first receives a receive frequency: tones
// off, wide, high power, memory 1, in the scan list. TX bytes are not touched.
void SetChannelDefaults(ProgramState& state, int n);
// All 16 record bytes 0xFF. The scan-add bit is left to the caller.
void ClearChannel(ProgramState& state, int n);

// Display texts of the fixed-choice fields, shared by the grid and the dialog.
namespace ChannelTexts {
inline const Bilingual High{"High", "高"};
inline const Bilingual Low{"Low", "低"};
inline const Bilingual Narrow{"Narrow", "窄带"};
inline const Bilingual WideBand{"Wide", "宽带"};
inline const Bilingual Yes{"Yes", "有"};
inline const Bilingual None{"None", "无"};
inline const Bilingual Dtmf{"DTMF", "DTMF"};
inline const Bilingual FleetSync{"FleetSync", "FleetSync"};
inline const Bilingual GridOff{"OFF", "关"};
inline const Bilingual GridOn{"ON", "开"};
inline const Bilingual DialogOff{"Off", "关"};
inline const Bilingual DialogOn{"On", "开"};
inline const Bilingual ToneOffGrid{"None", "无"};
inline const Bilingual ToneOffDialog{"OFF", "无"};
}  // namespace ChannelTexts

}  // namespace mx615
