// Test signals and the measurements the device tests make on what comes
// back: a sine that runs on across blocks, its frequency from zero
// crossings, its level, and the rate at which blocks arrived.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace moravel::testing {

/// A sine as 16-bit little-endian mono PCM, phase continuous across blocks.
class ToneSource {
public:
    /// `amplitude` is a fraction of full scale.
    ToneSource(double frequency, double rate, double amplitude);
    std::vector<std::uint8_t> NextBlock(std::size_t frames);

private:
    double step_;
    double amplitude_;
    double phase_ = 0;
};

/// 16-bit little-endian bytes as samples.
std::vector<std::int16_t> AsSamples(const std::uint8_t* bytes, std::size_t size);

/// The frequency of a tone in Hz from its rising zero crossings (linearly
/// interpolated between samples); 0 with fewer than two crossings.
double ZeroCrossingFrequency(const std::vector<std::int16_t>& samples, double rate);

/// RMS level in dB relative to full scale (a full-scale sine reads -3 dB).
double RmsDbfs(const std::vector<std::int16_t>& samples);

/// Events per second: the slope of a least-squares line through the event
/// times, so that jitter of single events averages out.
double EventsPerSecond(const std::vector<std::chrono::steady_clock::time_point>& times);

}  // namespace moravel::testing
