// Every control position of the processing chain as one plain value, and how
// it is pushed into the engine. The batch processor builds one from its
// options or a settings file; the main window keeps the same values in its
// controls.
#pragma once

#include "dsp/BlockChain.h"
#include "dsp/CleanupSettings.h"
#include "common/ControlTable.h"
#include "common/EqualizerBands.h"
#include "dsp/Engine.h"

#include <array>
#include <cstdint>
#include <vector>

namespace moravel {

/// Display decimation factor R for the resolution items "Low", "Medium",
/// "High" (index 0..2): 10, 5, 1. An index outside 0..2 gives 5.
std::int32_t ResolutionFactor(std::int32_t resolutionIndex);

/// The controls' positions when the window is built (see ControlTable.h for
/// each control's range and list).
struct ChainSettings {
    DynamicsSettings dynamics;
    bool filterOn = false;
    std::int32_t filterType = controls::kComboFilterType.index;         // FilterKind
    std::int32_t filterCenter = controls::kTrackFilterCenter.position;  // Hz (at most rate div 2 in use)
    std::int32_t filterWidth = controls::kTrackFilterBW.position;       // Hz
    bool shiftOn = false;
    std::int32_t shiftPosition = controls::kTbFreqShift.position;
    std::int32_t shiftRange = controls::kComboFreqShiftRange.index;  // controls::kShiftRangeItems index
    bool equalizerOn = false;
    std::array<std::int32_t, kEqualizerBands> equalizer{};                    // slider positions, all 0
    std::int32_t resolutionIndex = controls::kComboSpectrumResolution.index;  // controls::kResolutionItems index
    std::int32_t decay =
        0;  // SpectrumDecay: 0 off (the decay check box starts unchecked), else the decay bar's position
    CleanupSettings cleanup;
    /// A noise print for the noise reduction, one power per Spectrum bin of
    /// the block size in use (LearnNoisePrint); empty for none.
    std::vector<float> noisePrint;
};

/// The per-block switches and arguments for these settings.
StageSwitches SwitchesFor(const ChainSettings& settings);

/// Configures the engine for (sampleRate, bufferBytes) and pushes the display
/// settings, the filter (centre limited to sampleRate div 2, as its track bar
/// is), the equalizer curve and the noise print. The frame geometry (HalfBlock, FrameSamples)
/// is set to what the first AnalyseBlock will set, so that the equalizer
/// table already has the right length for the first block.
void ConfigureChain(Engine& engine, const ChainSettings& settings, std::int32_t sampleRate, std::int32_t bufferBytes);

}  // namespace moravel
