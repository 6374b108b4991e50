// The 16-bit device volume (0..65535) against a mixer element's own range,
// linearly; and the packed form of a stereo volume (left in the low 16
// bits, right in the high 16 bits).
//
// Threads: any (pure functions).
#pragma once

#include <cstdint>

namespace moravel::alsa {

/// The element value for `volume`, rounded to nearest; min..max inclusive.
long ToElementValue(std::uint16_t volume, long min, long max);
/// The volume of an element value, rounded to nearest and clamped.
std::uint16_t FromElementValue(long value, long min, long max);

constexpr std::uint16_t LeftOf(std::uint32_t packed) { return static_cast<std::uint16_t>(packed & 0xFFFFU); }
constexpr std::uint16_t RightOf(std::uint32_t packed) { return static_cast<std::uint16_t>(packed >> 16); }
constexpr std::uint32_t Packed(std::uint16_t left, std::uint16_t right) {
    return static_cast<std::uint32_t>(left) | (static_cast<std::uint32_t>(right) << 16);
}

}  // namespace moravel::alsa
