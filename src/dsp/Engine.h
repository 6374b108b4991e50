// The processing engine: one object that owns every buffer of the chain and
// turns one block of 16-bit mono samples into one processed block of the same
// length (one block late), plus the display spectrum of the processed audio.
//
// Symbols: N = BlockSamples, M = HalfBlock = N/2, L = FrameSamples = 2N,
// R = Resolution (10, 5 or 1), K = DisplayCount.
//
// Every array has a fixed capacity inside the object: nothing is allocated per
// block. The arrays hold up to 4100 samples per block (2N ≤ 8201), but the
// transforms are radix-2, so N must be a power of two, 1..4096 (every audio
// range and every player rate gives 512..4096): for any other N the
// butterflies would run past the transform's length, and past the object for
// N above 4096. Configure and AnalyseBlock refuse such an N.
//
// The object is about 600 KB, so create it on the heap. Not thread-safe: all
// calls on one engine come from one thread (the GUI thread in the program).
// Separate engines may run on separate threads: the batch tool analyses on
// one engine and synthesises on another (AdvanceFrame, AdoptAnalysis).
//
// Arithmetic: the transforms run in single precision (Fourier2); elsewhere
// intermediates are computed in long double (x87 extended on x86-64) and
// stored as single; rounding to integers is to nearest with ties to even;
// integer division truncates; every value that becomes a sample is clamped
// to −32768..32767.
#pragma once

#include "dsp/ImpulseBlanker.h"
#include "dsp/NoiseReduction.h"
#include "dsp/ToneNotch.h"

#include <bit>
#include <cstdint>

namespace moravel {

class Engine {
public:
    static constexpr int kSmallCapacity = 8201;    // elements 0..8200
    static constexpr int kLargeCapacity = 33001;   // elements 0..33000
    static constexpr int kMaxBlockSamples = 4100;  // capacity; see SupportsBlockSamples
    static constexpr int kMaxTransformBlock = 4096;

    /// True for the block sizes the transforms are defined for: the powers
    /// of two 1..kMaxTransformBlock samples. Any thread.
    static constexpr bool SupportsBlockSamples(std::int32_t samples) {
        return samples >= 1 && samples <= kMaxTransformBlock &&
               std::has_single_bit(static_cast<std::uint32_t>(samples));
    }

    /// Zero-filled, as the engine is at creation.
    Engine();

    // ---- Configuration and the per-block core -------------------------------

    /// Applies an audio range: sample rate in Hz, capture buffer size in bytes
    /// (2·N with SupportsBlockSamples(N), i.e. 2, 4, 8, ..., 8192). Throws
    /// std::invalid_argument, changing nothing, for any other size. Rebuilds the display window, clears the analysis
    /// history and resets NormalizeGain to 1; PreviousFrame, DecayedSpectrum,
    /// AgcGain, EqualizerGain and the peak tracking are kept.
    void Configure(std::int32_t sampleRate, std::int32_t bufferBytes);

    /// Slides InputBlock[0..N−1] into the two-block frame, removes its mean and
    /// fills Spectrum[0..L−1] with the real parts of its 4N-point transform.
    /// N = BlockSamples must be 0 (nothing to transform) or pass
    /// SupportsBlockSamples; otherwise throws std::invalid_argument before
    /// touching any array.
    void AnalyseBlock();

    /// PreviousFrame[0..2N−1] ← FrameOut: the frame the next cross-fade fades
    /// out. AnalyseBlock starts with it; an engine that synthesises blocks
    /// another engine analysed calls it once per block instead.
    void AdvanceFrame();

    /// Transforms Spectrum back, cross-fades with the previous frame into
    /// OutputBlock[0..N−1], then analyses OutputBlock for the display values.
    void SynthesiseBlock();

    /// Hz of display point `index` (any sign): Round(|index| · R·SampleRate/N).
    std::int32_t BinToFrequency(std::int32_t index) const;

    // ---- Stages ------------------------------------------------------------

    /// Stores the filter: centre and width in Hz, type 0 low pass, 1 band
    /// pass, 2 high pass, 3 stop band.
    void SetFilter(std::int32_t center, std::int32_t width, std::int32_t filterType);
    /// Filters Spectrum[0..L−1] in place by the stored settings.
    void ApplyFilter();

    /// AGC on InputBlock[0..N−1]: level is the target peak in sample units
    /// (2000..30000), decay the number of 401-sample windows over which the
    /// gain closes the gap to its target (2..300).
    void ApplyAgc(std::int32_t level, std::int32_t decay);
    /// Pulls weak bins of Spectrum[1..L−1] toward their neighbours' average;
    /// level 1..20 sets the threshold level·10000.
    void ApplyNoiseBlanker(std::int32_t level);
    /// Divides bins above 1000·threshold + 50000 by 3 + gain/5, then raises
    /// every bin by 1.7. threshold −50..50, gain −10..10.
    void ApplyCompressor(std::int32_t threshold, std::int32_t gain);
    /// Multiplies bins below 1000·threshold + 50000 by 3 + gain/5, then raises
    /// every bin by 1.2. threshold −50..50, gain −10..10.
    void ApplyExpander(std::int32_t threshold, std::int32_t gain);

    /// Moves Spectrum[0..L−1] up (bins > 0) or down by |bins| bins.
    void ShiftSpectrum(std::int32_t bins);

    /// Spreads bandCount band gains over EqualizerGain[0..L−1] in equal
    /// groups of L div bandCount bins; the top L mod bandCount bins get 0.
    /// Does nothing while L is 0 (before the first block).
    void SetEqualizerCurve(std::int32_t bandCount, const float* gains);
    /// Spectrum[i] ·= EqualizerGain[i] for i = 0..L−1.
    void ApplyEqualizer();

    // ---- Fields, in declaration order ---------------------------------------

    float DecayedSpectrum[kSmallCapacity];
    float NormalizeGain[kSmallCapacity];
    std::int32_t SampleRate;
    std::int32_t FilterCenter;
    std::int32_t FilterWidth;
    std::int32_t AgcCount;
    std::int32_t LastPeakFrequency;
    std::int32_t PeakDeviation;
    std::int32_t PeakStableCount;
    float Window[kSmallCapacity];
    std::int16_t InputBlock[kSmallCapacity];
    std::int16_t OutputBlock[kSmallCapacity];
    std::int16_t History[kSmallCapacity];
    std::int16_t PreviousFrame[kSmallCapacity];
    std::int16_t FrameOut[kSmallCapacity];
    float Magnitude[kSmallCapacity];
    float DisplaySpectrum[kSmallCapacity];
    float Spectrum[kLargeCapacity];
    float FftBuffer[kLargeCapacity];
    std::int32_t FilterType;
    std::int32_t Resolution;
    std::int32_t BlockSamples;
    std::int32_t HalfBlock;
    std::int32_t FrameSamples;
    std::int32_t DisplayCount;
    double PeakValue;
    float PeakFrequency;
    std::int32_t PeakIndex;
    bool NormalizeRequest;
    bool NormalizeReset;
    float SpectrumDecay;
    float AgcGain;
    float BinWidth;
    float EqualizerGain[kSmallCapacity];

    // The cleanup stages' state (SpectralCleanup.h runs them); all zero is
    // their fresh state, and Configure resets them (the bins change with the
    // block), keeping a learnt noise print.
    ImpulseBlanker Impulses;
    NoiseReduction Denoiser;
    ToneNotch Notches;
    float BinPower[kSmallCapacity];  // scratch: |X(k)|² of the analysis transform

private:
    void resynthesiseFrame();
    void crossFade();
    void analyseDisplay();
    void computeNormalizeGain();
    void decimateDisplay();
    void weighAndDecayDisplay();
    void trackPeak(std::int32_t peak);
};

}  // namespace moravel
