// The engine part of one processing cycle, in the one order the program uses:
// load the block, impulse blanker, AGC, noise reduction, analysis, the
// spectral stages (notches, noise blanker, compressor, expander, filter,
// shift, equalizer), synthesis, output peak.
//
// The main window and the batch processor both drive the engine through these
// functions, so the order lives here only. They allocate nothing and run on
// the engine's thread.
#pragma once

#include "dsp/CleanupSettings.h"
#include "common/ControlTable.h"
#include "dsp/Engine.h"

#include <cstdint>

namespace moravel {

/// The level-dependent stages' switches and control positions, as the
/// controls hold them when the window is built (ranges: ControlTable.h).
struct DynamicsSettings {
    bool agcOn = false;
    std::int32_t agcLevel = controls::kTrackAgcLevel.position;
    std::int32_t agcDecay = controls::kTrackAgcDecay.position;
    bool noiseBlankerOn = false;
    std::int32_t noiseBlankerLevel = controls::kTrackNoiseblanker1Level.position;
    bool compressorOn = false;
    std::int32_t compressorThreshold = controls::kTrackCompressorThreshold.position;
    std::int32_t compressorGain = controls::kTrackCompressorGain.position;
    bool expanderOn = false;
    std::int32_t expanderThreshold = controls::kTrackExpanderThreshold.position;
    std::int32_t expanderGain = controls::kTrackExpanderGain.position;
};

/// What the cycle reads from the controls at the moment a block arrives: each
/// stage's switch and the arguments it is called with. Filter and equalizer
/// take their settings from the engine (SetFilter, SetEqualizerCurve).
struct StageSwitches {
    DynamicsSettings dynamics;
    bool filterOn = false;
    bool shiftOn = false;
    std::int32_t shiftBins = 0;  // Spectrum bins, positive moves up
    bool equalizerOn = false;
    CleanupSettings cleanup;  // impulse blanker, noise reduction, notches
};

/// Zeroes InputBlock over `bytes` bytes, copies `bytes` bytes of `data` into
/// it (unless `data` is null: the caller, e.g. the player, then fills
/// InputBlock itself afterwards) and sets BlockSamples to bytes / 2.
/// `bytes` must be even and at most 2·Engine::kMaxBlockSamples.
void LoadBlock(Engine& engine, const void* data, std::int32_t bytes);

/// AGC (when on), AnalyseBlock, then the enabled spectral stages in order.
/// After it Spectrum[0..L] holds the edited spectrum (the debug plot reads it).
/// The same as RunAnalysisStages followed by RunEditStages.
void RunStages(Engine& engine, const StageSwitches& stages);

/// The first part of RunStages: impulse blanker, AGC, noise reduction,
/// AnalyseBlock, notches (SpectralCleanup.h), noise blanker. The
/// batch tool runs this part and the rest on two threads; with every stage
/// on, each side has about half of a block's work.
void RunAnalysisStages(Engine& engine, const StageSwitches& stages);

/// The rest of RunStages: compressor, expander, filter, shift and equalizer.
/// They read only Spectrum and the engine's settings, so they may run on an
/// engine that adopted the spectrum (AdoptAnalysis).
void RunEditStages(Engine& engine, const StageSwitches& stages);

/// For an engine that synthesises what another engine, configured the same,
/// analysed (the batch tool's two threads): takes that engine's
/// Spectrum[0..L] (L = 2·BlockSamples) as its own and advances the frame as
/// AnalyseBlock would, so FinishBlock then gives the same block as on the
/// analysing engine itself. BlockSamples must already be set (ConfigureChain).
void AdoptAnalysis(Engine& engine, const float* spectrum);

/// SynthesiseBlock, then the output peak: the largest of 0 and the samples of
/// OutputBlock[0..N−1] (signed; negative peaks do not count).
std::int32_t FinishBlock(Engine& engine);

/// LoadBlock, RunStages and FinishBlock: one whole cycle. Returns the peak.
std::int32_t ProcessBlock(Engine& engine, const StageSwitches& stages, const void* data, std::int32_t bytes);

/// Position of the AGC meter: Round(AgcGain) × 4 (ties to even). Throws
/// std::range_error when the result leaves the 32-bit range.
std::int32_t AgcMeterPosition(float agcGain);

}  // namespace moravel
