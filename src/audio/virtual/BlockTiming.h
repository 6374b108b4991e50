// Exact conversions between sample frames and card time, in integers, so
// that deadlines computed from a start time never drift: frame n of a
// stream at `rate` frames per second ends n / rate seconds after its start.
//
// Plain functions; any thread.
#pragma once

#include <chrono>
#include <cstdint>

namespace moravel::vcard {

/// How long `frames` frames (>= 0) last at `rate` (>= 1) frames per
/// second, rounded up to whole nanoseconds.
std::chrono::nanoseconds FramesDuration(std::int64_t frames, std::int32_t rate);

/// How many whole frames at `rate` fit into `elapsed` (>= 0). For every n,
/// FramesWithin(FramesDuration(n)) == n and one nanosecond less holds n - 1.
std::int64_t FramesWithin(std::chrono::nanoseconds elapsed, std::int32_t rate);

}  // namespace moravel::vcard
