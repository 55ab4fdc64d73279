#include "model/ImageHistory.h"

#include <algorithm>

namespace mx615 {

ImageHistory::ImageHistory(std::size_t depth) : depth_(std::max<std::size_t>(depth, 1)) {}

ImageHistory::Snapshot ImageHistory::take(const ProgramState& state)
{
    Snapshot s;
    std::copy_n(state.RadioImage.begin(), kRadioLines, s.lines.begin());
    s.model = state.ModelIndex;
    s.bandLow = state.BandLowMHz;
    s.bandHigh = state.BandHighMHz;
    return s;
}

void ImageHistory::put(const Snapshot& snapshot, ProgramState& state)
{
    std::copy(snapshot.lines.begin(), snapshot.lines.end(), state.RadioImage.begin());
    state.ModelIndex = snapshot.model;
    state.BandLowMHz = snapshot.bandLow;
    state.BandHighMHz = snapshot.bandHigh;
}

void ImageHistory::reset(const ProgramState& state)
{
    point_ = take(state);
    undo_.clear();
    redo_.clear();
}

bool ImageHistory::pending(const ProgramState& state) const
{
    return !(take(state) == point_);
}

bool ImageHistory::record(const ProgramState& state, const Bilingual& name)
{
    Snapshot now = take(state);
    if (now == point_)
        return false;
    undo_.push_back({point_, name});
    if (undo_.size() > depth_)
        undo_.pop_front();
    redo_.clear();
    point_ = now;
    return true;
}

void ImageHistory::settle(const ProgramState& state)
{
    point_ = take(state);
}

std::optional<Bilingual> ImageHistory::undo(ProgramState& state)
{
    if (undo_.empty())
        return std::nullopt;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back({point_, step.name});
    point_ = step.image;
    put(point_, state);
    return step.name;
}

std::optional<Bilingual> ImageHistory::redo(ProgramState& state)
{
    if (redo_.empty())
        return std::nullopt;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back({point_, step.name});
    point_ = step.image;
    put(point_, state);
    return step.name;
}

}  // namespace mx615
