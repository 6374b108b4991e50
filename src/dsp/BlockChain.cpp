#include "dsp/BlockChain.h"

#include "dsp/SpectralCleanup.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <stdexcept>

namespace moravel {

void LoadBlock(Engine& engine, const void* data, std::int32_t bytes) {
    const std::int32_t clamped = std::clamp(bytes, 0, 2 * Engine::kMaxBlockSamples);
    std::memset(engine.InputBlock, 0, static_cast<std::size_t>(clamped));
    if (data != nullptr) std::memcpy(engine.InputBlock, data, static_cast<std::size_t>(clamped));
    engine.BlockSamples = clamped / 2;
}

void RunStages(Engine& engine, const StageSwitches& stages) {
    RunAnalysisStages(engine, stages);
    RunEditStages(engine, stages);
}

void RunAnalysisStages(Engine& engine, const StageSwitches& stages) {
    const DynamicsSettings& d = stages.dynamics;
    RunImpulseBlanker(engine, stages.cleanup);
    if (d.agcOn) engine.ApplyAgc(d.agcLevel, d.agcDecay);
    RunNoiseReduction(engine, stages.cleanup);
    engine.AnalyseBlock();
    RunNotches(engine, stages.cleanup);
    if (d.noiseBlankerOn) engine.ApplyNoiseBlanker(d.noiseBlankerLevel);
}

void RunEditStages(Engine& engine, const StageSwitches& stages) {
    const DynamicsSettings& d = stages.dynamics;
    if (d.compressorOn) engine.ApplyCompressor(d.compressorThreshold, d.compressorGain);
    if (d.expanderOn) engine.ApplyExpander(d.expanderThreshold, d.expanderGain);
    if (stages.filterOn) engine.ApplyFilter();
    if (stages.shiftOn) engine.ShiftSpectrum(stages.shiftBins);
    if (stages.equalizerOn) engine.ApplyEqualizer();
}

void AdoptAnalysis(Engine& engine, const float* spectrum) {
    const std::int32_t n = engine.BlockSamples;
    engine.HalfBlock = n / 2;
    engine.FrameSamples = 2 * n;
    engine.AdvanceFrame();
    std::copy(spectrum, spectrum + 2 * n + 1, engine.Spectrum);
}

std::int32_t FinishBlock(Engine& engine) {
    engine.SynthesiseBlock();
    const std::int16_t* out = engine.OutputBlock;
    const std::int16_t top = *std::max_element(out, out + std::max(engine.BlockSamples, 1));
    return std::max<std::int32_t>(0, top);
}

std::int32_t ProcessBlock(Engine& engine, const StageSwitches& stages, const void* data, std::int32_t bytes) {
    LoadBlock(engine, data, bytes);
    RunStages(engine, stages);
    return FinishBlock(engine);
}

std::int32_t AgcMeterPosition(float agcGain) {
    const long double position = std::nearbyint(static_cast<long double>(agcGain)) * 4;
    if (!(std::fabs(position) <= std::numeric_limits<std::int32_t>::max())) {
        std::ostringstream text;
        text << "AGC gain " << agcGain << " gives meter position " << position
             << ", outside the 32-bit integer range";
        throw std::range_error(text.str());
    }
    return static_cast<std::int32_t>(position);
}

}  // namespace moravel
