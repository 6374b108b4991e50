#include "dsp/NoiseTracker.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace moravel {
namespace {

// Bins averaged each side: more would spread a whistle's power over the
// tracked noise beside it, and the speech there would be reduced with it.
constexpr std::int32_t kBinSpread = 1;
constexpr double kSmoothingSeconds = 0.06;  // time constant of the smoothing over time
constexpr double kWindowSeconds = 1.5;      // the minimum's window
// The minimum of a window of smoothed noise powers lies below their mean;
// this brings it back (measured on white noise, within 0.2 dB: NoiseFloor
// tests).
constexpr float kBias = 2.2f;

}  // namespace

// All zero is the fresh state; assigning a value-initialised object would put
// one on the stack first.
void NoiseTracker::Reset() {
    static_assert(std::is_trivially_copyable_v<NoiseTracker>);
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
}

void NoiseTracker::Update(const float* power, std::int32_t bins, double frameSeconds) {
    bins = std::clamp(bins, 0, kMaxBins);
    if (bins != bins_) {
        Reset();
        bins_ = bins;
    }
    frameSeconds = std::max(frameSeconds, 1e-6);
    smoothOverBins(power, bins);
    const auto keep = static_cast<float>(std::exp(-frameSeconds / kSmoothingSeconds));
    for (std::int32_t k = 0; k < bins; ++k) {
        smooth_[k] = started_ ? keep * smooth_[k] + (1 - keep) * wide_[k] : wide_[k];
        current_[k] = framesInSub_ == 0 ? smooth_[k] : std::min(current_[k], smooth_[k]);
        float minimum = current_[k];
        for (std::int32_t w = 0; w < subWindowsFilled_; ++w) minimum = std::min(minimum, past_[w][k]);
        noise_[k] = kBias * minimum;
    }
    started_ = true;
    const auto perSub =
        std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(kWindowSeconds / kSubWindows / frameSeconds)));
    if (++framesInSub_ >= perSub) closeSubWindow(bins);
}

// A running mean over ±kBinSpread bins (fewer at the ends).
void NoiseTracker::smoothOverBins(const float* power, std::int32_t bins) {
    for (std::int32_t k = 0; k < bins; ++k) {
        const std::int32_t low = std::max(0, k - kBinSpread);
        const std::int32_t high = std::min(bins - 1, k + kBinSpread);
        float sum = 0;
        for (std::int32_t j = low; j <= high; ++j) sum += power[j];
        wide_[k] = sum / static_cast<float>(high - low + 1);
    }
}

void NoiseTracker::closeSubWindow(std::int32_t bins) {
    std::copy(current_, current_ + bins, past_[nextSub_]);
    nextSub_ = (nextSub_ + 1) % kSubWindows;
    subWindowsFilled_ = std::min(subWindowsFilled_ + 1, kSubWindows);
    framesInSub_ = 0;
}

}  // namespace moravel
