#include "NoiseReduction.h"

#include <algorithm>
#include <cmath>

namespace moravel {
namespace {

// Decision-directed weight of the previous block's speech estimate. The
// usual 0.98 is for 10 ms frames; blocks here are 64..260 ms apart.
constexpr float kDecisionWeight = 0.8f;
constexpr std::int32_t kGainSpread = 2;  // each side: gains are averaged over ±2 bins

/// The exponential integral E1(v), v > 0 (Abramowitz and Stegun 5.1.53 and
/// 5.1.56), good to about 2e-7 relative.
double ExponentialIntegral(double v) {
    if (v < 1.0) {
        return -std::log(v) - 0.57721566 + v * (0.99999193 + v * (-0.24991055 + v * (0.05519968 +
                                                                   v * (-0.00976004 + v * 0.00107857))));
    }
    const double numerator = v * v + 2.334733 * v + 0.250621;
    const double denominator = v * v + 3.330657 * v + 1.681534;
    return std::exp(-v) / v * numerator / denominator;
}

/// The MMSE log-spectral amplitude gain for a priori SNR xi and a posteriori
/// SNR gamma.
double LogSpectralGain(double xi, double gamma) {
    const double ratio = xi / (1 + xi);
    const double v = std::max(ratio * gamma, 1e-10);
    return ratio * std::exp(0.5 * std::min(ExponentialIntegral(v), 20.0));
}

}  // namespace

void NoiseReduction::Reset() {
    tracker_.Reset();
    started_ = false;
}

void NoiseReduction::Process(const float* power, float* spectrum, std::int32_t bins, double blockSeconds,
                             std::int32_t strengthDb) {
    bins = std::clamp(bins, 0, kMaxBins);
    if (learning_) Learn(power, bins);
    tracker_.Update(power, bins, blockSeconds);
    const auto floor = static_cast<float>(std::pow(10.0, -std::max(0, strengthDb) / 20.0));
    computeGains(power, bins, floor);
    smoothGains(bins);
    for (std::int32_t k = 0; k < bins; ++k) spectrum[k] *= gain_[k];
}

void NoiseReduction::computeGains(const float* power, std::int32_t bins, float floor) {
    const bool withPrint = printBins_ == bins;
    for (std::int32_t k = 0; k < bins; ++k) {
        const float noise = std::max({tracker_.Noise(k), withPrint ? print_[k] : 0.0f, 1e-3f});
        const double gamma = power[k] / noise;
        const double previous = started_ ? cleanPower_[k] / noise : 0.0;
        const double xi =
            std::max(kDecisionWeight * previous + (1 - kDecisionWeight) * std::max(gamma - 1, 0.0), 1e-3);
        const double g = std::clamp(LogSpectralGain(xi, gamma), static_cast<double>(floor), 1.0);
        raw_[k] = static_cast<float>(g);
        cleanPower_[k] = static_cast<float>(g * g * power[k]);
    }
    started_ = true;
}

void NoiseReduction::smoothGains(std::int32_t bins) {
    for (std::int32_t k = 0; k < bins; ++k) {
        const std::int32_t low = std::max(0, k - kGainSpread);
        const std::int32_t high = std::min(bins - 1, k + kGainSpread);
        float sum = 0;
        for (std::int32_t j = low; j <= high; ++j) sum += raw_[j];
        gain_[k] = sum / static_cast<float>(high - low + 1);
    }
}

void NoiseReduction::SetLearning(bool on) {
    if (on && !learning_) {
        learntBlocks_ = 0;
        std::fill(std::begin(learnSum_), std::end(learnSum_), 0.0);
    }
    if (!on && learning_ && learntBlocks_ > 0) {
        for (std::int32_t k = 0; k < printBins_; ++k)
            print_[k] = static_cast<float>(learnSum_[k] / learntBlocks_);
    }
    learning_ = on;
}

void NoiseReduction::Learn(const float* power, std::int32_t bins) {
    bins = std::clamp(bins, 0, kMaxBins);
    if (learntBlocks_ == 0 || bins != printBins_) {
        std::fill(learnSum_, learnSum_ + kMaxBins, 0.0);
        learntBlocks_ = 0;
        printBins_ = bins;
    }
    for (std::int32_t k = 0; k < bins; ++k) learnSum_[k] += power[k];
    ++learntBlocks_;
}

std::span<const float> NoiseReduction::Print() const {
    if (learning_ || learntBlocks_ == 0) return {};
    return {print_, static_cast<std::size_t>(printBins_)};
}

void NoiseReduction::SetPrint(std::span<const float> print) {
    const auto bins = static_cast<std::int32_t>(std::min<std::size_t>(print.size(), kMaxBins));
    std::copy(print.begin(), print.begin() + bins, print_);
    printBins_ = bins;
    learntBlocks_ = bins > 0 ? 1 : 0;
    learning_ = false;
}

}  // namespace moravel
