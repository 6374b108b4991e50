#include "NoiseTracker.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <limits>

namespace moravel {
namespace {

constexpr std::int32_t kBinSpread = 8;  // each side: band noise is smooth over ±8 bins (±16 Hz at 8000 Hz)
constexpr float kTimeSmoothing = 0.6f;  // weight of the previous block
// The minimum of a window of smoothed noise powers lies below their mean; this
// brings it back (found on white noise through the engine's analysis).
constexpr float kBias = 1.7f;

}  // namespace

// All zero is the fresh state; assigning a value-initialised object would put
// one the size of the arrays on the stack first.
void NoiseTracker::Reset() {
    static_assert(std::is_trivially_copyable_v<NoiseTracker>);
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
}

void NoiseTracker::Update(const float* power, std::int32_t bins, double blockSeconds) {
    bins = std::clamp(bins, 0, kMaxBins);
    if (bins != bins_) {
        Reset();
        bins_ = bins;
    }
    smoothOverBins(power, bins);
    const bool first = blocksInSub_ == 0 && subWindowsFilled_ == 0;
    for (std::int32_t k = 0; k < bins; ++k) {
        smooth_[k] = first ? wide_[k] : kTimeSmoothing * smooth_[k] + (1 - kTimeSmoothing) * wide_[k];
        current_[k] = blocksInSub_ == 0 ? smooth_[k] : std::min(current_[k], smooth_[k]);
        float minimum = current_[k];
        for (std::int32_t w = 0; w < subWindowsFilled_; ++w) minimum = std::min(minimum, past_[w][k]);
        noise_[k] = kBias * minimum;
    }
    const auto perSub = std::max<std::int32_t>(
        1, static_cast<std::int32_t>(std::lround(kWindowSeconds / kSubWindows / std::max(blockSeconds, 1e-6))));
    if (++blocksInSub_ >= perSub) closeSubWindow(bins);
}

// A running mean over ±kBinSpread bins (fewer at the ends).
void NoiseTracker::smoothOverBins(const float* power, std::int32_t bins) {
    double sum = 0;
    std::int32_t low = 0;
    std::int32_t high = 0;  // the sum covers [low, high)
    for (std::int32_t k = 0; k < bins; ++k) {
        for (; high < std::min(bins, k + kBinSpread + 1); ++high) sum += power[high];
        for (; low < k - kBinSpread; ++low) sum -= power[low];
        wide_[k] = static_cast<float>(std::max(0.0, sum) / (high - low));
    }
}

void NoiseTracker::closeSubWindow(std::int32_t bins) {
    std::copy(current_, current_ + bins, past_[nextSub_]);
    nextSub_ = (nextSub_ + 1) % kSubWindows;
    subWindowsFilled_ = std::min(subWindowsFilled_ + 1, kSubWindows);
    blocksInSub_ = 0;
}

}  // namespace moravel
