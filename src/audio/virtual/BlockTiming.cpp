#include "audio/virtual/BlockTiming.h"

namespace moravel::vcard {

namespace {
constexpr std::int64_t kNanosPerSecond = 1'000'000'000;
}

// Whole seconds and the remainder apart, so that nothing overflows 64 bits
// for any realistic run time.
std::chrono::nanoseconds FramesDuration(std::int64_t frames, std::int32_t rate) {
    const std::int64_t seconds = frames / rate;
    const std::int64_t rest = frames % rate;
    const std::int64_t restNanos = (rest * kNanosPerSecond + rate - 1) / rate;
    return std::chrono::nanoseconds(seconds * kNanosPerSecond + restNanos);
}

std::int64_t FramesWithin(std::chrono::nanoseconds elapsed, std::int32_t rate) {
    const std::int64_t seconds = elapsed.count() / kNanosPerSecond;
    const std::int64_t rest = elapsed.count() % kNanosPerSecond;
    return seconds * rate + rest * rate / kNanosPerSecond;
}

}  // namespace moravel::vcard
