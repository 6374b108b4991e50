#include "dsp/SpectralCleanup.h"

#include <algorithm>

namespace moravel {
namespace {

double BlockSeconds(const Engine& engine) {
    return engine.SampleRate > 0 ? static_cast<double>(engine.BlockSamples) / engine.SampleRate : 0.0;
}

/// Bin k's power |X(k)|², X the analysis transform (FftBuffer holds it as
/// interleaved real and imaginary parts from index 1).
void ComputeBinPower(const Engine& engine, std::int32_t bins, float* power) {
    const float* x = engine.FftBuffer;
    for (std::int32_t k = 0; k < bins; ++k) {
        const float re = x[2 * k + 1];
        const float im = x[2 * k + 2];
        power[k] = re * re + im * im;
    }
}

}  // namespace

void RunImpulseBlanker(Engine& engine, const CleanupSettings& settings) {
    if (!settings.impulseBlankerOn) return;
    engine.Impulses.Process(engine.InputBlock, engine.BlockSamples, engine.SampleRate, settings.impulseThreshold);
}

void RunNoiseReduction(Engine& engine, const CleanupSettings& settings) {
    const std::int32_t n = engine.BlockSamples;
    // Before AnalyseBlock the frame's second half still holds the previous block.
    if (settings.noiseReductionOn) {
        engine.Denoiser.Process(engine.History + n, engine.InputBlock, n, engine.SampleRate, settings.noiseReductionDb);
    } else if (engine.Denoiser.Learning()) {
        engine.Denoiser.Learn(engine.InputBlock, n, engine.SampleRate);
    }
}

void RunNotches(Engine& engine, const CleanupSettings& settings) {
    if (!settings.AnyNotch()) return;
    const std::int32_t bins = std::min(engine.FrameSamples, Engine::kSmallCapacity - 1);
    if (settings.autoNotchOn) {
        ComputeBinPower(engine, bins, engine.BinPower);
        engine.Notches.Track(engine.BinPower, bins, BlockSeconds(engine));
    }
    // A Spectrum bin is SampleRate/(4N) Hz wide (the frame is zero-padded to twice its length).
    const double binHz = engine.BlockSamples > 0 ? engine.SampleRate / (4.0 * engine.BlockSamples) : 0.0;
    engine.Notches.Apply(engine.Spectrum, bins, settings.autoNotchOn, settings.ManualNotches(), binHz);
}

}  // namespace moravel
