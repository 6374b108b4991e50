// Block sizes and rates: the four audio ranges of the live program and the
// player's rule for a file's own rate.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace moravel {

struct AudioRange {
    std::string_view item;     // combo text
    std::int32_t outputRate;   // Hz; the wave input runs 50 Hz lower
    std::int32_t bufferBytes;  // capture buffer size; samples per block = bufferBytes / 2
};

inline constexpr std::array<AudioRange, 4> kAudioRanges = {{
    {"2 KHz", 4000, 1024},
    {"4 KHz", 8500, 2048},
    {"8 KHz", 16000, 4096},
    {"16 KHz", 31000, 8192},
}};

/// The capture rate is always this much below the output rate, so the output
/// drains slightly faster than the input fills and its queue cannot grow.
inline constexpr std::int32_t kCaptureRateOffset = 50;

/// The player's buffer size for a file of `rate` Hz: 1024 bytes up to
/// rate div 4 = 1500, 2048 up to 3000, 4096 up to 6000, else 8192.
constexpr std::int32_t PlayerBufferBytes(std::int32_t rate) {
    const std::int32_t quarter = rate / 4;
    if (quarter <= 1500) return 1024;
    if (quarter <= 3000) return 2048;
    if (quarter <= 6000) return 4096;
    return 8192;
}

}  // namespace moravel
