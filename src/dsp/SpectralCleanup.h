// The cleanup stages' place in the engine's cycle: the impulse blanker on the
// block's samples before the AGC, noise reduction on the samples right before
// the analysis transform (it uses short frames of its own), the notches on
// the spectrum right after it (before the noise blanker).
// Both read the engine's geometry (rate, block) and keep their state in the
// engine (Impulses, Denoiser, Notches), so they run wherever the engine's
// analysis runs.
#pragma once

#include "dsp/CleanupSettings.h"
#include "dsp/Engine.h"

namespace moravel {

/// The impulse blanker on InputBlock[0..BlockSamples−1], when it is on.
void RunImpulseBlanker(Engine& engine, const CleanupSettings& settings);

/// Noise reduction on InputBlock and the previous block (NoiseReduction.h),
/// when it is on; else feeds a noise print being learnt. Call right before
/// AnalyseBlock.
void RunNoiseReduction(Engine& engine, const CleanupSettings& settings);

/// The automatic and manual notches on Spectrum[0..FrameSamples−1], taking
/// the bins' powers from the analysis transform still in FftBuffer. Call
/// right after AnalyseBlock.
void RunNotches(Engine& engine, const CleanupSettings& settings);

}  // namespace moravel
