// The engine steps the batch tool's profile points at, one at a time, on a
// 4096-sample block (48 kHz): the analysis transform, the noise blanker (at
// the level of EveryStageOn, and at 5 and 20: a lower level keeps more bins,
// which breaks its bin-to-bin chain more often), the compressor, the
// expander, the band-pass filter and the synthesis (inverse transform,
// cross-fade and display spectrum). Each runs on a spectrum left by a real block, restored
// before every run so each sees the same input.
#include "BenchInputs.h"
#include "dsp/BlockChain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace moravel::bench {
namespace {

constexpr std::int32_t kRate = 48000;
constexpr std::int32_t kBytes = 8192;

enum Step : int {
    kAnalyse,
    kNoiseBlanker,
    kBandPass,
    kSynthesise,
    kNoiseBlanker5,
    kNoiseBlanker20,
    kCompressor,
    kExpander
};

void BM_EngineStep(benchmark::State& state) {
    const auto step = static_cast<Step>(state.range(0));
    const ChainSettings settings = EveryStageOn();
    const auto engine = std::make_unique<Engine>();
    ConfigureChain(*engine, settings, kRate, kBytes);
    const auto input = ToneAndNoise(kBytes / 2, kRate);
    LoadBlock(*engine, input.data(), kBytes);
    engine->AnalyseBlock();
    const std::vector<float> spectrum(engine->Spectrum, engine->Spectrum + Engine::kLargeCapacity);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(spectrum.begin(), spectrum.end(), engine->Spectrum);
        state.ResumeTiming();
        switch (step) {
            case kAnalyse:
                engine->AnalyseBlock();
                break;
            case kNoiseBlanker:
                engine->ApplyNoiseBlanker(settings.dynamics.noiseBlankerLevel);
                break;
            case kBandPass:
                engine->ApplyFilter();
                break;
            case kSynthesise:
                engine->SynthesiseBlock();
                break;
            case kNoiseBlanker5:
                engine->ApplyNoiseBlanker(5);
                break;
            case kNoiseBlanker20:
                engine->ApplyNoiseBlanker(20);
                break;
            case kCompressor:
                engine->ApplyCompressor(settings.dynamics.compressorThreshold, settings.dynamics.compressorGain);
                break;
            case kExpander:
                engine->ApplyExpander(settings.dynamics.expanderThreshold, settings.dynamics.expanderGain);
                break;
        }
        benchmark::ClobberMemory();
    }
    static const char* const kNames[] = {"AnalyseBlock",    "ApplyNoiseBlanker",    "ApplyFilter",
                                         "SynthesiseBlock", "ApplyNoiseBlanker(5)", "ApplyNoiseBlanker(20)",
                                         "ApplyCompressor", "ApplyExpander"};
    state.SetLabel(kNames[state.range(0)]);
}

BENCHMARK(BM_EngineStep)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moravel::bench
