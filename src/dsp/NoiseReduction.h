// Speech-preserving noise reduction on the engine's spectrum: the noise
// tracker (NoiseTracker) or a learnt noise print gives each bin's noise
// power, and the decision-directed estimate of the a priori SNR with the
// log-spectral amplitude estimator (Ephraim and Malah's MMSE-LSA rule) gives
// each bin's gain, at least the floor the strength sets. The gains are
// smoothed over neighbouring bins, which keeps the isolated gain peaks that
// sound as "musical noise" down.
//
// The noise print: while learning, each block's bin powers are averaged; once
// learnt the print stands as a floor under the tracked noise, so a steady
// local interference (a power supply's hum and whine) is reduced even though
// it never leaves a gap for the tracker.
//
// All zero is the fresh state (the engine's memset). No allocation.
#pragma once

#include "NoiseTracker.h"

#include <cstdint>
#include <span>

namespace moravel {

class NoiseReduction {
public:
    static constexpr std::int32_t kMaxBins = NoiseTracker::kMaxBins;

    /// Forgets the tracked noise and the gains; keeps the noise print.
    void Reset();

    /// Scales spectrum[0..bins−1] by the gains worked out from this block's
    /// bin powers power[0..bins−1]. `strengthDb` is the most a bin is
    /// lowered; `blockSeconds` the time between blocks.
    void Process(const float* power, float* spectrum, std::int32_t bins, double blockSeconds, std::int32_t strengthDb);

    /// Learning: while on, Process (or Learn) adds each block's powers to the
    /// print; switching it off keeps the mean as the print.
    void SetLearning(bool on);
    bool Learning() const { return learning_; }
    /// Adds one block's powers to the print being learnt without processing.
    void Learn(const float* power, std::int32_t bins);
    /// The learnt print (empty when none).
    std::span<const float> Print() const;
    /// Sets the print directly (e.g. learnt by another engine); an empty
    /// span clears it.
    void SetPrint(std::span<const float> print);

    const NoiseTracker& Tracker() const { return tracker_; }
    /// The gain given to bin k by the last Process.
    float Gain(std::int32_t k) const { return gain_[k]; }

private:
    void computeGains(const float* power, std::int32_t bins, float floor);
    void smoothGains(std::int32_t bins);

    NoiseTracker tracker_;
    std::int32_t printBins_;
    std::int32_t learntBlocks_;
    bool learning_;
    bool started_;
    float print_[kMaxBins];
    double learnSum_[kMaxBins];
    float cleanPower_[kMaxBins];  // the previous block's estimated speech power
    float gain_[kMaxBins];
    float raw_[kMaxBins];         // scratch: gains before smoothing
};

}  // namespace moravel
