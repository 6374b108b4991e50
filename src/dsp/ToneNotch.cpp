#include "dsp/ToneNotch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace moravel {
namespace {

constexpr std::int32_t kNeighbourhood = 48;  // bins each side the peak is compared with
constexpr std::int32_t kOwnSpread = 6;       // bins each side left out of that comparison (the tone's own)
constexpr float kPeakRatio = 12.0f;          // a tone stands this far (≈ 11 dB) above its neighbourhood
// A tone already found stays one while it stands this far (≈ 3 dB) above:
// the noise reduction before the notch learns a steady tone as noise and
// lowers it, and a tone lost would come back at full strength.
constexpr float kHoldRatio = 2.0f;
constexpr std::int32_t kDrift = 2;      // bins a tone may move from one block to the next
constexpr double kSteadySeconds = 0.7;  // longer than a speech harmonic stays put
constexpr std::int16_t kCountLimit = 1000;

}  // namespace

// All zero is the fresh state; assigning a value-initialised object would put
// one the size of the arrays on the stack first.
void ToneNotch::Reset() {
    static_assert(std::is_trivially_copyable_v<ToneNotch>);
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
}

void ToneNotch::Track(const float* power, std::int32_t bins, double blockSeconds) {
    bins = std::clamp(bins, 0, kMaxBins);
    if (bins != bins_) {
        Reset();
        bins_ = bins;
    }
    findPeaks(power, bins);
    const auto steady = std::max<std::int32_t>(2, static_cast<std::int32_t>(std::ceil(kSteadySeconds / blockSeconds)));
    for (std::int32_t k = 0; k < bins; ++k) {
        bool near = false;
        for (std::int32_t j = std::max(0, k - kDrift); j <= std::min(bins - 1, k + kDrift) && !near; ++j)
            near = peak_[j];
        count_[k] = near ? std::min<std::int16_t>(count_[k] + 1, kCountLimit)
                         : static_cast<std::int16_t>(std::max(0, count_[k] - 1));
    }
    // A tone's bin is the strongest bin among those whose count is steady.
    for (std::int32_t k = 0; k < bins; ++k) {
        const bool steadyBin = count_[k] >= steady;
        const bool left = k == 0 || count_[k - 1] < steady || power[k] >= power[k - 1];
        const bool right = k + 1 >= bins || count_[k + 1] < steady || power[k] > power[k + 1];
        tone_[k] = steadyBin && left && right;
    }
}

// A peak: a local maximum standing kPeakRatio above the mean of its
// neighbourhood without its own spread.
void ToneNotch::findPeaks(const float* power, std::int32_t bins) {
    std::fill(peak_, peak_ + bins, false);
    prefix_[0] = 0;
    for (std::int32_t k = 0; k < bins; ++k) prefix_[k + 1] = prefix_[k] + power[k];
    const auto sum = [&](std::int32_t from, std::int32_t to) { return prefix_[to] - prefix_[from]; };  // [from, to)
    for (std::int32_t k = kNeighbourhood; k + kNeighbourhood < bins; ++k) {
        if (power[k] < power[k - 1] || power[k] < power[k + 1] || !(power[k] > 0)) continue;
        const double around = sum(k - kNeighbourhood, k - kOwnSpread) + sum(k + kOwnSpread + 1, k + kNeighbourhood + 1);
        const double mean = around / (2 * (kNeighbourhood - kOwnSpread));
        peak_[k] = power[k] > (toneNear(k, bins) ? kHoldRatio : kPeakRatio) * mean;
    }
}

bool ToneNotch::toneNear(std::int32_t k, std::int32_t bins) const {
    for (std::int32_t j = std::max(0, k - kDrift); j <= std::min(bins - 1, k + kDrift); ++j)
        if (tone_[j]) return true;
    return false;
}

void ToneNotch::Apply(float* spectrum, std::int32_t bins, bool automatic, std::span<const std::int32_t> manualHz,
                      double binHz) {
    bins = std::clamp(bins, 0, kMaxBins);
    std::fill(gain_, gain_ + bins, 1.0f);
    if (automatic && bins == bins_) {
        for (std::int32_t k = 0; k < bins; ++k)
            if (tone_[k]) markBand(k, bins);
    }
    if (binHz > 0) {
        for (const std::int32_t hz : manualHz) {
            const auto centre = static_cast<std::int32_t>(std::lround(hz / binHz));
            if (centre >= 0 && centre < bins) markBand(centre, bins);
        }
    }
    for (std::int32_t k = 0; k < bins; ++k) spectrum[k] *= gain_[k];
}

// Clears the tone's bin and kHalfWidth on each side; the outermost two on
// each side are only halved and quartered, a softer edge for the speech
// beside the tone.
void ToneNotch::markBand(std::int32_t centre, std::int32_t bins) {
    for (std::int32_t d = -kHalfWidth - 2; d <= kHalfWidth + 2; ++d) {
        const std::int32_t k = centre + d;
        if (k < 0 || k >= bins) continue;
        const std::int32_t beyond = std::abs(d) - kHalfWidth;
        const float g = beyond <= 0 ? 0.0f : beyond == 1 ? 0.25f : 0.5f;
        gain_[k] = std::min(gain_[k], g);
    }
}

}  // namespace moravel
