// Every control position of the processing chain as one plain value, and how
// it is pushed into the engine. The batch processor builds one from its
// options or a settings file; the main window keeps the same values in its
// controls.
#pragma once

#include "BlockChain.h"
#include "EqualizerBands.h"
#include "FFT.h"

#include <array>
#include <cstdint>

namespace moravel {

/// Display decimation factor R for the resolution items "Low", "Medium",
/// "High" (index 0..2): 10, 5, 1. An index outside 0..2 gives 5.
std::int32_t ResolutionFactor(std::int32_t resolutionIndex);

struct ChainSettings {
    DynamicsSettings dynamics;
    bool filterOn = false;
    std::int32_t filterType = kBandPassType;  // 0 low, 1 band, 2 high pass, 3 stop band
    std::int32_t filterCenter = 1000;         // Hz, 10..30000 (at most rate div 2 in use)
    std::int32_t filterWidth = 500;           // Hz, 20..3000
    bool shiftOn = false;
    std::int32_t shiftPosition = 0;  // track bar −125..125
    std::int32_t shiftRange = 0;     // 0..3: "1000 Hz", "3000 Hz", "10 KHz", "20 KHz"
    bool equalizerOn = false;
    std::array<std::int32_t, kEqualizerBands> equalizer{};  // slider positions −5..5
    std::int32_t resolutionIndex = 1;                       // 0 "Low", 1 "Medium", 2 "High"
    std::int32_t decay = 0;                                 // SpectrumDecay: 0 off, else 1..20

    static constexpr std::int32_t kBandPassType = 1;
};

/// The per-block switches and arguments for these settings.
StageSwitches SwitchesFor(const ChainSettings& settings);

/// Configures the engine for (sampleRate, bufferBytes) and pushes the display
/// settings, the filter (centre limited to sampleRate div 2, as its track bar
/// is) and the equalizer curve. The frame geometry (HalfBlock, FrameSamples)
/// is set to what the first AnalyseBlock will set, so that the equalizer
/// table already has the right length for the first block.
void ConfigureChain(TmyFFT& engine, const ChainSettings& settings, std::int32_t sampleRate, std::int32_t bufferBytes);

}  // namespace moravel
