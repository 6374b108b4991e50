// A 16-bit volume (0..65535, the scale of the wave output's volume and of the
// mixer model) against a mixer element's own range min..max, linearly and
// rounded to nearest both ways (halves up). Reading back what was written
// does not drift: for a range of at most 65536 steps, element value ->
// volume -> element value gives the same element value; for a larger range,
// volume -> element value -> volume gives the same volume.
//
// Both the wave output's volume and the mixer services use it, so the two
// never disagree on what a slider position means. Threads: any.
#pragma once

#include <algorithm>
#include <cstdint>

namespace moravel {

inline constexpr long long kElementFullScale = 65535;

namespace detail {
// a * b / c rounded to nearest, for non-negative a, b and positive c.
constexpr long long ScaleRounded(long long a, long long b, long long c) { return (a * b + c / 2) / c; }
}  // namespace detail

/// The element value for `volume` (values above 65535 count as 65535) in
/// min..max; min when max <= min.
constexpr long ToElementValue(std::uint32_t volume, long min, long max) {
    if (max <= min) return min;
    const long long span = static_cast<long long>(max) - min;
    const long long clamped = std::min<long long>(volume, kElementFullScale);
    return static_cast<long>(min + detail::ScaleRounded(clamped, span, kElementFullScale));
}

/// The volume (0..65535) of an element value, clamped to min..max first; 0
/// when max <= min.
constexpr std::uint32_t FromElementValue(long value, long min, long max) {
    if (max <= min) return 0;
    const long long span = static_cast<long long>(max) - min;
    const long long offset = std::clamp<long long>(static_cast<long long>(value) - min, 0, span);
    return static_cast<std::uint32_t>(detail::ScaleRounded(offset, kElementFullScale, span));
}

}  // namespace moravel
