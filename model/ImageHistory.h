#pragma once
// The history of the radio image, the one thing every window edits: each step
// is the image as it was before a change, with the change's name in both
// languages. A window makes its change in the state and then records it; the
// history keeps the point it last saw and compares, so a change that alters
// nothing makes no step. An undo puts the earlier image (and model) back.

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "model/ProgramState.h"

namespace mx615 {

class ImageHistory {
public:
    static constexpr std::size_t kDefaultDepth = 100;

    explicit ImageHistory(std::size_t depth = kDefaultDepth);

    // Takes the state as it is now as the starting point; forgets every step.
    void reset(const ProgramState& state);
    // Whether the state differs from the point last recorded.
    bool pending(const ProgramState& state) const;
    // A change that left the state differing from the last point becomes one
    // step named name, and what could be redone is forgotten. Returns whether
    // a step was made.
    bool record(const ProgramState& state, const Bilingual& name);
    // Takes the state as the point without making a step: the windows' own
    // tidying of what they show after an undo is no change of the user's.
    void settle(const ProgramState& state);

    bool canRedo() const { return !redo_.empty(); }
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }
    // The name of the step an undo (a redo) would take back (do again).
    const Bilingual* undoName() const { return undo_.empty() ? nullptr : &undo_.back().name; }
    const Bilingual* redoName() const { return redo_.empty() ? nullptr : &redo_.back().name; }

    // Puts the state before the last step back; returns that step's name, or
    // nothing when there is no step. The state must be at the last point
    // (record any change first).
    std::optional<Bilingual> undo(ProgramState& state);
    std::optional<Bilingual> redo(ProgramState& state);

private:
    // Radio lines 0..63 with every cell a file carries, and the model, whose
    // band the channel frequencies are checked against (the band itself
    // follows from the model's row of the band table).
    struct Snapshot {
        std::array<std::array<int16_t, kImageLineCells>, kRadioLines> lines{};
        int16_t model = 0;
        bool operator==(const Snapshot&) const = default;
    };
    struct Step {
        Snapshot image;
        Bilingual name;
    };
    static Snapshot take(const ProgramState& state);
    static void put(const Snapshot& snapshot, ProgramState& state);

    std::size_t depth_;
    Snapshot point_{};
    std::deque<Step> undo_;
    std::vector<Step> redo_;
};

}  // namespace mx615
