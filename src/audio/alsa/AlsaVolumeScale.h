// The packed form of a stereo device volume (left in the low 16 bits, right
// in the high 16 bits); the scaling against a mixer element's own range is
// ElementVolume.h.
//
// Threads: any (pure functions).
#pragma once

#include "common/ElementVolume.h"

#include <cstdint>

namespace moravel::alsa {

constexpr std::uint16_t LeftOf(std::uint32_t packed) { return static_cast<std::uint16_t>(packed & 0xFFFFU); }
constexpr std::uint16_t RightOf(std::uint32_t packed) { return static_cast<std::uint16_t>(packed >> 16); }
constexpr std::uint32_t Packed(std::uint16_t left, std::uint16_t right) {
    return static_cast<std::uint32_t>(left) | (static_cast<std::uint32_t>(right) << 16);
}

}  // namespace moravel::alsa
