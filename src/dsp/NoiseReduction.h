// Speech-preserving noise reduction. The engine's own frame (two blocks,
// rectangular, a gain per 64..260 ms) is far too coarse for it: even gains
// from the true speech and noise reach only about +9 dB SI-SDR there. So it
// works on short frames of its own (half a block, 64 ms at 8000 Hz, at most
// 1024 samples; half overlapping, square-root Hann windows) on the samples just before the
// analysis transform, and uses the look-ahead the engine already has: the
// engine puts out the previous block when the current one arrives, so the
// previous block is completed with the current block's frames and no
// latency is added. The current block's last half frame, which still lacks
// its next frame, is passed on provisionally and completed with the next
// block; in the engine's cross-fade it weighs at most a quarter.
//
// Each frame: the noise tracker (NoiseTracker) or a learnt noise print gives
// each bin's noise power; the decision-directed a priori SNR and the
// log-spectral amplitude estimator (Ephraim and Malah's MMSE-LSA rule) give
// its gain where speech is likely, the floor the strength sets where it is
// not (weighted by the chance of speech, as Cohen's OM-LSA does).
//
// The noise print: while learning, each frame's bin powers are averaged (as
// logarithms, so that a crash in the stretch barely counts); once
// learnt the print stands as a floor under the tracked noise, so a local
// interference (the buzz of a power supply or an LED lamp) is reduced from
// the start and where speech leaves the tracker no gap. Steady tones are
// left out of it: the tracker learns them, once the automatic notch has had
// the time to find them.
//
// All zero is the fresh state (the engine's memset). No allocation.
#pragma once

#include "dsp/NoiseTracker.h"
#include "dsp/ShortFft.h"

#include <cstdint>
#include <span>

namespace moravel {

class NoiseReduction {
public:
    static constexpr std::int32_t kMaxBlock = 4096;
    static constexpr std::int32_t kMaxFrame = ShortFft::kMaxPoints;
    static constexpr std::int32_t kMaxBins = kMaxFrame / 2 + 1;

    /// The short frame for a block of `blockSamples`: half a block, 16..kMaxFrame.
    static std::int32_t FrameFor(std::int32_t blockSamples);

    /// Forgets the frames, the tracked noise and the gains; keeps the print.
    void Reset();

    /// Reduces the noise of block[0..n−1], the newest samples, and completes
    /// previous[0..n−1], the block before it as this call returned it last
    /// time (see above). `strengthDb` is the most a bin is lowered. Blocks
    /// of fewer than 64 samples (or not a power of two) are left as they are.
    void Process(std::int16_t* previous, std::int16_t* block, std::int32_t n, std::int32_t sampleRate,
                 std::int32_t strengthDb);

    /// Learning: while on, each frame's powers are added to the print;
    /// switching it off keeps their mean as the print.
    void SetLearning(bool on);
    bool Learning() const { return learning_; }
    /// Analyses block[0..n−1] for the print being learnt, changing nothing.
    void Learn(const std::int16_t* block, std::int32_t n, std::int32_t sampleRate);
    /// The learnt print (empty while learning or when none).
    std::span<const float> Print() const;
    /// Sets the print directly (e.g. learnt by another engine); an empty
    /// span clears it.
    void SetPrint(std::span<const float> print);

    const NoiseTracker& Tracker() const { return tracker_; }

private:
    // Runs the frames over block[0..n−1]; writes the samples only when
    // `reduce` (else it only tracks and learns).
    void run(std::int16_t* previous, const std::int16_t* block, std::int16_t* output, std::int32_t n,
             std::int32_t sampleRate, float floor, bool reduce);
    void prepare(std::int32_t n);
    void frame(std::int32_t start, double frameSeconds, float floor, bool reduce);
    void computeGains(std::int32_t bins, float floor);
    void addToPrint(std::int32_t bins);
    void flattenTones();

    ShortFft fft_;
    NoiseTracker tracker_;
    std::int32_t frame_;  // F; hop and provisional tail F/2
    std::int32_t block_;
    bool started_;  // the decision-directed estimate has a previous frame
    bool learning_;
    std::int32_t printBins_;
    std::int32_t learntFrames_;
    float window_[kMaxFrame];
    float tail_[kMaxFrame / 2];   // the last half frame of input
    float carry_[kMaxFrame / 2];  // its partial overlap-add
    float input_[kMaxBlock + kMaxFrame / 2];
    float output_[kMaxBlock + kMaxFrame / 2];
    float re_[kMaxFrame];
    float im_[kMaxFrame];
    float power_[kMaxBins];
    float gain_[kMaxBins];
    float cleanPower_[kMaxBins];  // the previous frame's estimated speech power
    float print_[kMaxBins];
    double learnSum_[kMaxBins];  // sum of the logarithms of the powers
};

}  // namespace moravel
