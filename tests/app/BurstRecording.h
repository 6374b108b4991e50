// Generated recordings of transmissions for the record-on-signal tests:
// noise everywhere (about -55 dBFS in the band) and a 1000 Hz tone at
// -13 dBFS during each burst, the same samples on every run.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace moravel::testing {

struct Burst {
    double start;  // seconds
    double length;
};

inline std::vector<std::int16_t> BurstRecording(std::int32_t rate, double seconds, const std::vector<Burst>& bursts) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * rate));
    std::uint32_t seed = 12345;
    for (std::size_t n = 0; n < samples.size(); ++n) {
        seed = seed * 1664525u + 1013904223u;
        double value = static_cast<double>(static_cast<std::int32_t>(seed >> 16) - 32768) / 32768.0 * 100;
        const double t = static_cast<double>(n) / rate;
        for (const Burst& burst : bursts)
            if (t >= burst.start && t < burst.start + burst.length) value += 10000 * std::sin(2 * M_PI * 1000 * t);
        samples[n] = static_cast<std::int16_t>(std::lround(value));
    }
    return samples;
}

}  // namespace moravel::testing
