#include "dsp/ChainSettings.h"

#include "dsp/ShiftControl.h"

namespace moravel {

std::int32_t ResolutionFactor(std::int32_t resolutionIndex) {
    switch (resolutionIndex) {
        case 0:
            return 10;
        case 2:
            return 1;
        default:
            return 5;
    }
}

StageSwitches SwitchesFor(const ChainSettings& s) {
    StageSwitches stages;
    stages.dynamics = s.dynamics;
    stages.filterOn = s.filterOn;
    stages.shiftOn = s.shiftOn;
    stages.shiftBins = ShiftBins(s.shiftPosition, s.shiftRange);
    stages.equalizerOn = s.equalizerOn;
    stages.cleanup = s.cleanup;
    return stages;
}

void ConfigureChain(Engine& engine, const ChainSettings& s, std::int32_t sampleRate, std::int32_t bufferBytes) {
    engine.Resolution = ResolutionFactor(s.resolutionIndex);
    engine.SpectrumDecay = static_cast<float>(s.decay);
    engine.Configure(sampleRate, bufferBytes);
    // The centre track bar's maximum is half the sample rate.
    const std::int32_t center = std::min(s.filterCenter, sampleRate / 2);
    engine.SetFilter(center, s.filterWidth, s.filterType);
    engine.HalfBlock = engine.BlockSamples / 2;
    engine.FrameSamples = 2 * engine.BlockSamples;
    const auto gains = EqualizerGains(s.equalizer);
    engine.SetEqualizerCurve(kEqualizerBands, gains.data());
    engine.Denoiser.SetPrint(s.noisePrint);
}

}  // namespace moravel
