#include "AlsaMixerScale.h"

#include <algorithm>

namespace moravel::mixer {

namespace {

constexpr long long kFullScale = 65535;

// a * b / c rounded to nearest (halves up), for non-negative a, b and positive c.
long long ScaleRounded(long long a, long long b, long long c) { return (a * b + c / 2) / c; }

}  // namespace

long ToElementValue(std::uint32_t volume, long min, long max) {
    if (max <= min) return min;
    const long long span = static_cast<long long>(max) - min;
    const long long clamped = std::min<long long>(volume, kFullScale);
    return static_cast<long>(min + ScaleRounded(clamped, span, kFullScale));
}

std::uint32_t FromElementValue(long value, long min, long max) {
    if (max <= min) return 0;
    const long long span = static_cast<long long>(max) - min;
    const long long offset = std::clamp<long long>(static_cast<long long>(value) - min, 0, span);
    return static_cast<std::uint32_t>(ScaleRounded(offset, kFullScale, span));
}

}  // namespace moravel::mixer
