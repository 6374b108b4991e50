#include "audio/alsa/AlsaGapFiller.h"

#include <algorithm>

namespace moravel::alsa {

namespace {

// `ms` at `rate`, in whole frames, at least one.
std::int64_t FramesFor(std::int64_t rate, int ms) { return std::max<std::int64_t>(rate * ms / 1000, 1); }

}  // namespace

GapFiller::GapFiller(std::int64_t rate)
    : rate_(std::max<std::int64_t>(rate, 1)),
      threshold_(FramesFor(rate_, kTopUpBelowMs)),
      chunk_(FramesFor(rate_, kSilenceChunkMs)),
      limit_(FramesFor(rate_, kSilenceLimitMs)) {}

std::int64_t GapFiller::due(std::int64_t queued) const {
    if (queued >= threshold_ || spent()) return 0;
    return std::min(chunk_, limit_ - silence_);
}

std::chrono::microseconds GapFiller::nextLook(std::int64_t queued, std::chrono::microseconds idle) const {
    using std::chrono::microseconds;
    if (!spent()) return std::clamp(timeOf(queued - threshold_), microseconds(1000), idle);
    if (queued <= 0) return idle;
    return std::min(timeOf(queued) + kDryGrace, idle);
}

std::chrono::microseconds GapFiller::timeOf(std::int64_t frames) const {
    return std::chrono::microseconds(std::max<std::int64_t>(frames, 0) * 1'000'000 / rate_);
}

}  // namespace moravel::alsa
