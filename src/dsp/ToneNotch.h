// The automatic and the manual notches on the engine's spectrum.
//
// Automatic: a steady narrow tone (a heterodyne whistle, a carrier, a CW
// signal) is a bin standing well above its neighbourhood in block after
// block. Each bin counts the blocks in a row that had such a peak within two
// bins of it (so a tone drifting slowly keeps its count); once the count
// covers about 0.7 s, longer than a speech harmonic stays in place, the
// bins around the tone are cleared. A count falls back by one for each block
// without the peak, so a tone briefly hidden by speech stays notched.
//
// Manual: a list of frequencies, each cleared the same way at once.
//
// All zero is the fresh state (the engine's memset). No allocation.
#pragma once

#include <cstdint>
#include <span>

namespace moravel {

class ToneNotch {
public:
    static constexpr std::int32_t kMaxBins = 8201;
    /// Bins cleared on each side of a tone's bin: a tone in the engine's
    /// rectangular frame spreads over its neighbours.
    static constexpr std::int32_t kHalfWidth = 6;

    void Reset();

    /// Finds and follows the steady tones in this block's bin powers
    /// power[0..bins−1] (a no-op for the manual notches alone).
    void Track(const float* power, std::int32_t bins, double blockSeconds);

    /// Clears in spectrum[0..bins−1] the bins of the tones found by Track
    /// (when `automatic`) and those of the frequencies `manualHz`, with
    /// `binHz` Hz per bin.
    void Apply(float* spectrum, std::int32_t bins, bool automatic, std::span<const std::int32_t> manualHz,
               double binHz);

    /// Whether bin k holds a tone the automatic notch clears.
    bool Notched(std::int32_t k) const { return tone_[k]; }

private:
    void findPeaks(const float* power, std::int32_t bins);
    bool toneNear(std::int32_t k, std::int32_t bins) const;
    void markBand(std::int32_t centre, std::int32_t bins);

    std::int32_t bins_;
    std::int16_t count_[kMaxBins];  // blocks in a row with a peak near the bin
    bool peak_[kMaxBins];           // scratch: this block's peaks
    bool tone_[kMaxBins];           // bins holding a steady tone
    float gain_[kMaxBins];          // scratch: the notch gains
    double prefix_[kMaxBins + 1];   // scratch: running sums of the powers
};

}  // namespace moravel
