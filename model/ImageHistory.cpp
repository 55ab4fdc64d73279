#include "model/ImageHistory.h"

#include <algorithm>

namespace mx615 {

namespace {

// An undo and a redo are one move in opposite directions: the last step of
// one list goes onto the other with the point it leaves, and its image
// becomes the point.
template <class From, class To, class Point>
std::optional<Bilingual> moveStep(From& from, To& to, Point& point)
{
    if (from.empty())
        return std::nullopt;
    auto step = std::move(from.back());
    from.pop_back();
    to.push_back({point, step.name});
    point = step.image;
    return step.name;
}

}  // namespace

ImageHistory::ImageHistory(std::size_t depth) : depth_(std::max<std::size_t>(depth, 1)) {}

ImageHistory::Snapshot ImageHistory::take(const ProgramState& state)
{
    Snapshot s;
    std::copy_n(state.RadioImage.begin(), kRadioLines, s.lines.begin());
    s.model = state.ModelIndex;
    return s;
}

void ImageHistory::put(const Snapshot& snapshot, ProgramState& state)
{
    std::copy(snapshot.lines.begin(), snapshot.lines.end(), state.RadioImage.begin());
    state.ModelIndex = snapshot.model;
    const int row = std::clamp<int>(snapshot.model, 0, kModelCount - 1);
    state.BandLowMHz = state.BandTable[row][0];
    state.BandHighMHz = state.BandTable[row][1];
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
    const auto name = moveStep(undo_, redo_, point_);
    if (name)
        put(point_, state);
    return name;
}

std::optional<Bilingual> ImageHistory::redo(ProgramState& state)
{
    const auto name = moveStep(redo_, undo_, point_);
    if (name)
        put(point_, state);
    return name;
}

}  // namespace mx615
