#include "audio/recorder/TrackBarScale.h"

#include <algorithm>
#include <limits>

namespace moravel {

namespace {

constexpr std::int64_t kMostSteps = std::numeric_limits<int>::max();

}  // namespace

TrackBarScale::TrackBarScale(std::int64_t frames)
    : frames_(std::max<std::int64_t>(frames, 0)),
      framesPerStep_(std::max<std::int64_t>(1, (frames_ + kMostSteps - 1) / kMostSteps)) {}

int TrackBarScale::Maximum() const { return BarValue(frames_); }

int TrackBarScale::BarValue(std::int64_t frame) const {
    return static_cast<int>(std::clamp<std::int64_t>(frame, 0, frames_) / framesPerStep_);
}

std::int64_t TrackBarScale::Frame(int value) const {
    return std::clamp<std::int64_t>(std::int64_t{value} * framesPerStep_, 0, frames_);
}

}  // namespace moravel
