#include "ToneAnalysis.h"

#include <cmath>
#include <numbers>

namespace moravel::testing {

ToneSource::ToneSource(double frequency, double rate, double amplitude)
    : step_(2 * std::numbers::pi * frequency / rate), amplitude_(amplitude * 32767) {}

std::vector<std::uint8_t> ToneSource::NextBlock(std::size_t frames) {
    std::vector<std::uint8_t> bytes(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const auto sample = static_cast<std::int16_t>(std::lround(amplitude_ * std::sin(phase_)));
        bytes[2 * i] = static_cast<std::uint8_t>(sample & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>((sample >> 8) & 0xFF);
        phase_ = std::fmod(phase_ + step_, 2 * std::numbers::pi);
    }
    return bytes;
}

std::vector<std::int16_t> AsSamples(const std::uint8_t* bytes, std::size_t size) {
    std::vector<std::int16_t> samples(size / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return samples;
}

double ZeroCrossingFrequency(const std::vector<std::int16_t>& samples, double rate) {
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (!(samples[i - 1] < 0 && samples[i] >= 0)) continue;
        const double fraction = -samples[i - 1] / static_cast<double>(samples[i] - samples[i - 1]);
        const double at = static_cast<double>(i - 1) + fraction;
        if (first < 0) first = at;
        last = at;
        ++crossings;
    }
    if (crossings < 2) return 0;
    return (crossings - 1) * rate / (last - first);
}

double RmsDbfs(const std::vector<std::int16_t>& samples) {
    if (samples.empty()) return -INFINITY;
    double sum = 0;
    for (const std::int16_t s : samples) sum += static_cast<double>(s) * s;
    return 10 * std::log10(sum / static_cast<double>(samples.size()) / (32768.0 * 32768.0));
}

double EventsPerSecond(const std::vector<std::chrono::steady_clock::time_point>& times) {
    const auto n = static_cast<double>(times.size());
    if (times.size() < 2) return 0;
    double sumX = 0, sumY = 0, sumXX = 0, sumXY = 0;
    for (std::size_t i = 0; i < times.size(); ++i) {
        const double y = std::chrono::duration<double>(times[i] - times.front()).count();
        const auto x = static_cast<double>(i);
        sumX += x;
        sumY += y;
        sumXX += x * x;
        sumXY += x * y;
    }
    const double secondsPerEvent = (n * sumXY - sumX * sumY) / (n * sumXX - sumX * sumX);
    return 1 / secondsPerEvent;
}

}  // namespace moravel::testing
