#pragma once
// What the frequency editors accept before a text reaches the record, and
// what typing a frequency into a channel does. The stored code is read by
// character position (three digits, a point, five digits), so a text of any
// other shape would silently store a different frequency; such texts are
// brought to that shape here or refused.

#include <optional>
#include <string>

#include "model/ProgramState.h"

namespace mx615 {

// An in-band entry in the display form "450.02500" (eight characters below
// 100 MHz): leading zeros before the MHz digits are dropped and the decimals
// padded to five. Nothing is returned for a text that cannot be stored as
// typed: anything but digits and one point, more than five significant
// decimals, or a whole-MHz part the record cannot hold.
std::optional<std::string> NormalisedFrequencyText(const ProgramState& state, const std::string& text);

// What a window warns of after a frequency entry; each window words it.
enum class FrequencyProblem {
    None,
    OutOfBand,   // outside the band: the band's low edge was stored instead
    Unstorable,  // in the band, but no storable shape: nothing was stored
    RxFirst,     // a transmit frequency typed on an empty channel: nothing was stored
};

// What a typed, non-blank frequency stores: its display form, the band's low
// edge when it lies outside the band (OutOfBand), or nothing when it has no
// storable shape (Unstorable, text empty).
struct FrequencyToStore {
    std::string text;
    FrequencyProblem problem = FrequencyProblem::None;
};
FrequencyToStore StorableFrequency(const ProgramState& state, const std::string& typed);

// The outcome of one entry into channel n's receive or transmit frequency.
struct ChannelFrequencyEntry {
    enum class Result { Unchanged, Stored, Cleared, Refused };
    Result result = Result::Unchanged;
    // The text the record holds for the field afterwards ("" when it holds
    // none): the stored display form, or the old value after a refusal.
    std::string shown;
    FrequencyProblem problem = FrequencyProblem::None;
    bool newChannel = false;  // the first receive frequency: the channel got its new-channel values
    bool toneOff = false;     // the encode tone was switched off with an out-of-band transmit frequency
};

// Applies a typed receive frequency to channel n:
// - blank: the channel is emptied (all bytes 0xFF) and leaves the scan list;
// - outside the band: the band's low edge is stored (OutOfBand);
// - in the band but of no storable shape: refused, nothing changes (Unstorable);
// - otherwise the display form is stored; an empty channel then gets the
//   new-channel values (SetChannelDefaults).
ChannelFrequencyEntry EnterRxFrequency(ProgramState& state, int n, const std::string& typed);

// Applies a typed transmit frequency to channel n:
// - on an empty channel nothing is stored; a typed text is RxFirst;
// - blank: bytes 4..7 (the frequency) and 10, 11 (the encode tone) are cleared;
// - outside the band: the band's low edge is stored (OutOfBand), and when
//   encodeOffOutOfBand the encode tone is switched off as well;
// - in the band but of no storable shape: refused (Unstorable);
// - otherwise the display form is stored.
ChannelFrequencyEntry EnterTxFrequency(ProgramState& state, int n, const std::string& typed, bool encodeOffOutOfBand);

}  // namespace mx615
