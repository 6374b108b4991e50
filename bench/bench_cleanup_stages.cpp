// The cost of the cleanup stages at the 16 KHz range (4096-sample blocks at
// its capture rate): the whole block cycle with every stage off, then with
// the impulse blanker, the noise reduction, the automatic notch alone and
// the three together (--clean-speech). "block_%" is the time of one cycle as
// a share of the block's duration; the stages' cost is the difference from
// the first row.
#include "common/AudioRange.h"
#include "BenchInputs.h"
#include "dsp/BlockChain.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

namespace moravel::bench {
namespace {

constexpr AudioRange kRange = kAudioRanges[3];  // "16 KHz"
constexpr std::int32_t kRate = kRange.outputRate - kCaptureRateOffset;

enum Stages : int { kNone, kImpulses, kNoise, kNotch, kAll };

ChainSettings With(Stages stages) {
    ChainSettings settings;
    CleanupSettings& c = settings.cleanup;
    c.impulseBlankerOn = stages == kImpulses;
    c.noiseReductionOn = stages == kNoise;
    c.autoNotchOn = stages == kNotch;
    if (stages == kAll) c = CleanSpeech(c);
    return settings;
}

void BM_CleanupStages(benchmark::State& state) {
    const ChainSettings settings = With(static_cast<Stages>(state.range(0)));
    const auto engine = std::make_unique<Engine>();
    ConfigureChain(*engine, settings, kRate, kRange.bufferBytes);
    const StageSwitches stages = SwitchesFor(settings);
    const std::int32_t samples = kRange.bufferBytes / 2;
    const auto input = ToneAndNoise(static_cast<std::size_t>(samples) * 16, kRate);
    std::size_t block = 0;
    const auto started = std::chrono::steady_clock::now();
    for (auto _ : state) {
        ProcessBlock(*engine, stages, input.data() + (block++ % 16) * samples, kRange.bufferBytes);
        benchmark::DoNotOptimize(engine->OutputBlock[0]);
    }
    const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - started;
    const double blockSeconds = static_cast<double>(samples) / kRate;
    state.counters["block_%"] = 100 * taken.count() / static_cast<double>(state.iterations()) / blockSeconds;
}
BENCHMARK(BM_CleanupStages)->ArgName("none_ib_nr_notch_all")->DenseRange(kNone, kAll)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moravel::bench
