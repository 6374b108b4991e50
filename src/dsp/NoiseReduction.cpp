#include "dsp/NoiseReduction.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>
#include <type_traits>

namespace moravel {
namespace {

// Weight of the previous frame's speech estimate in the a priori SNR; below
// the usual 0.98 (for 8..16 ms hops), as these frames are 32 ms apart.
constexpr float kDecisionWeight = 0.7f;
// The a priori chance that a bin holds no speech. A bin likely to hold only
// noise gets the floor gain rather than the estimator's (the "optimally
// modified" rule of Cohen and Berdugo), which clears the gaps between words.
constexpr double kAbsence = 0.5;
constexpr float kProvisionalFloor = 0.25f;
// A noise bin's power is exponentially distributed: the mean of its logarithm
// lies Euler's constant below the logarithm of its mean.
constexpr double kEulerGamma = 0.5772156649;
// A tone in the noise print: a bin 4 times (6 dB) above the mean of ±12 bins
// around it, its own ±4 (a tone's main lobe and first side lobes in these
// frames) left out.
constexpr float kToneRatio = 4.0f;
constexpr std::int32_t kToneNeighbourhood = 12;
constexpr std::int32_t kToneSpread = 4;

/// The exponential integral E1(v), v > 0 (Abramowitz and Stegun 5.1.53 and
/// 5.1.56), good to about 2e-7 relative.
double ExponentialIntegral(double v) {
    if (v < 1.0) {
        return -std::log(v) - 0.57721566 +
               v * (0.99999193 + v * (-0.24991055 + v * (0.05519968 + v * (-0.00976004 + v * 0.00107857))));
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

std::int16_t ToSample(float x) { return static_cast<std::int16_t>(std::clamp(std::lround(x), -32768L, 32767L)); }

}  // namespace

std::int32_t NoiseReduction::FrameFor(std::int32_t blockSamples) { return std::clamp(blockSamples / 2, 16, kMaxFrame); }

void NoiseReduction::Reset() {
    static_assert(std::is_trivially_copyable_v<NoiseReduction>);
    // Everything but the print and its learning.
    const bool learning = learning_;
    const std::int32_t printBins = printBins_;
    const std::int32_t learnt = learntFrames_;
    float print[kMaxBins];
    std::copy(std::begin(print_), std::end(print_), print);
    tracker_.Reset();
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    learning_ = learning;
    printBins_ = printBins;
    learntFrames_ = learnt;
    std::copy(std::begin(print), std::end(print), print_);
}

void NoiseReduction::Process(std::int16_t* previous, std::int16_t* block, std::int32_t n, std::int32_t sampleRate,
                             std::int32_t strengthDb) {
    const auto floor = static_cast<float>(std::pow(10.0, -std::max(0, strengthDb) / 20.0));
    run(previous, block, block, n, sampleRate, floor, true);
}

void NoiseReduction::Learn(const std::int16_t* block, std::int32_t n, std::int32_t sampleRate) {
    run(nullptr, block, nullptr, n, sampleRate, 1.0f, false);
}

void NoiseReduction::prepare(std::int32_t n) {
    if (n == block_) return;
    const bool learning = learning_;
    Reset();
    learning_ = learning;
    block_ = n;
    frame_ = FrameFor(n);
    fft_.Prepare(frame_);
    for (std::int32_t i = 0; i < frame_; ++i) window_[i] = static_cast<float>(std::sin(std::numbers::pi * i / frame_));
}

void NoiseReduction::run(std::int16_t* previous, const std::int16_t* block, std::int16_t* output, std::int32_t n,
                         std::int32_t sampleRate, float floor, bool reduce) {
    if (n < 64 || n > kMaxBlock || !std::has_single_bit(static_cast<std::uint32_t>(n)) || sampleRate <= 0) return;
    prepare(n);
    const std::int32_t hop = frame_ / 2;
    std::copy(tail_, tail_ + hop, input_);
    for (std::int32_t i = 0; i < n; ++i) input_[hop + i] = block[i];
    std::fill(output_, output_ + n + hop, 0.0f);
    std::copy(carry_, carry_ + hop, output_);
    const double frameSeconds = static_cast<double>(hop) / sampleRate;
    for (std::int32_t start = 0; start + frame_ <= n + hop; start += hop) frame(start, frameSeconds, floor, reduce);
    std::copy(input_ + n, input_ + n + hop, tail_);
    std::copy(output_ + n, output_ + n + hop, carry_);
    if (!reduce) return;
    // output_[p] is sample p − hop of this block: the previous block's last
    // half frame is now complete, and so is this block but for its last.
    for (std::int32_t i = 0; i < hop; ++i) previous[n - hop + i] = ToSample(output_[i]);
    for (std::int32_t i = 0; i < n - hop; ++i) output[i] = ToSample(output_[hop + i]);
    for (std::int32_t i = 0; i < hop; ++i) {
        const float w = window_[hop + i];  // only the last frame's window covers it so far
        output[n - hop + i] = ToSample(output_[n + i] / std::max(w * w, kProvisionalFloor));
    }
}

void NoiseReduction::frame(std::int32_t start, double frameSeconds, float floor, bool reduce) {
    const std::int32_t f = frame_;
    const std::int32_t bins = f / 2 + 1;
    for (std::int32_t i = 0; i < f; ++i) {
        re_[i] = input_[start + i] * window_[i];
        im_[i] = 0;
    }
    fft_.Transform(re_, im_, false);
    for (std::int32_t k = 0; k < bins; ++k) power_[k] = re_[k] * re_[k] + im_[k] * im_[k];
    if (learning_) addToPrint(bins);
    tracker_.Update(power_, bins, frameSeconds);
    if (!reduce) return;
    computeGains(bins, floor);
    for (std::int32_t k = 0; k < bins; ++k) {
        re_[k] *= gain_[k];
        im_[k] *= gain_[k];
        if (k > 0 && k < f - k) {
            re_[f - k] *= gain_[k];
            im_[f - k] *= gain_[k];
        }
    }
    fft_.Transform(re_, im_, true);
    const float scale = 1.0f / static_cast<float>(f);
    for (std::int32_t i = 0; i < f; ++i) output_[start + i] += re_[i] * scale * window_[i];
}

void NoiseReduction::computeGains(std::int32_t bins, float floor) {
    const bool withPrint = printBins_ == bins && !learning_ && learntFrames_ > 0;
    for (std::int32_t k = 0; k < bins; ++k) {
        const float noise = std::max({tracker_.Noise(k), withPrint ? print_[k] : 0.0f, 1e-3f});
        const double gamma = power_[k] / noise;
        const double previous = started_ ? cleanPower_[k] / noise : 0.0;
        const double xi = std::max(kDecisionWeight * previous + (1 - kDecisionWeight) * std::max(gamma - 1, 0.0), 1e-3);
        const double v = std::min(xi / (1 + xi) * gamma, 50.0);
        const double presence = 1 / (1 + kAbsence / (1 - kAbsence) * (1 + xi) * std::exp(-v));
        const double speech = std::min(LogSpectralGain(xi, gamma), 1.0);
        const double g =
            std::clamp(std::pow(speech, presence) * std::pow(floor, 1 - presence), static_cast<double>(floor), 1.0);
        gain_[k] = static_cast<float>(g);
        cleanPower_[k] = static_cast<float>(g * g * power_[k]);
    }
    started_ = true;
}

void NoiseReduction::addToPrint(std::int32_t bins) {
    if (learntFrames_ == 0 || bins != printBins_) {
        std::fill(std::begin(learnSum_), std::end(learnSum_), 0.0);
        learntFrames_ = 0;
        printBins_ = bins;
    }
    // The logarithm's mean (a geometric mean) rather than the mean: a crash or
    // a click in the stretch, hundreds of times the noise for a frame or two,
    // would lift a mean of powers far above the noise, and the print would then
    // take the speech away with it.
    for (std::int32_t k = 0; k < bins; ++k) learnSum_[k] += std::log(std::max(power_[k], 1e-6f));
    ++learntFrames_;
}

void NoiseReduction::SetLearning(bool on) {
    if (on && !learning_) learntFrames_ = 0;
    if (!on && learning_ && learntFrames_ > 0) {
        for (std::int32_t k = 0; k < printBins_; ++k)
            print_[k] = static_cast<float>(std::exp(learnSum_[k] / learntFrames_ + kEulerGamma));
        flattenTones();
    }
    learning_ = on;
}

// A steady tone in the stretch (a whistle, a carrier) is left out of the
// print: lowered by the print from the first frame on, it would sink below
// what the automatic notch takes for a tone, so the notch would never find
// it and it would stay only as far down as the floor. The tracker still
// learns such a tone as noise within its window, once the notch has had the
// time to find it. A bin standing more than kToneRatio above the mean of its
// neighbourhood (its own ±kToneSpread left out) takes that mean.
void NoiseReduction::flattenTones() {
    const std::int32_t bins = printBins_;
    float level[kMaxBins];
    for (std::int32_t k = 0; k < bins; ++k) {
        double sum = 0;
        std::int32_t count = 0;
        for (std::int32_t j = std::max(0, k - kToneNeighbourhood); j <= std::min(bins - 1, k + kToneNeighbourhood);
             ++j) {
            if (std::abs(j - k) <= kToneSpread) continue;
            sum += print_[j];
            ++count;
        }
        level[k] = count > 0 ? static_cast<float>(sum / count) : print_[k];
    }
    for (std::int32_t k = 0; k < bins; ++k)
        if (print_[k] > kToneRatio * level[k]) print_[k] = level[k];
}

std::span<const float> NoiseReduction::Print() const {
    if (learning_ || learntFrames_ == 0) return {};
    return {print_, static_cast<std::size_t>(printBins_)};
}

void NoiseReduction::SetPrint(std::span<const float> print) {
    const auto bins = static_cast<std::int32_t>(std::min<std::size_t>(print.size(), kMaxBins));
    std::copy(print.begin(), print.begin() + bins, print_);
    printBins_ = bins;
    learntFrames_ = bins > 0 ? 1 : 0;
    learning_ = false;
}

}  // namespace moravel
