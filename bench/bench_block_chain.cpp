// One block through the whole chain, every stage on, in each audio range.
// "block_ms" is the audio the block holds, "load_pct" the share of that
// block period the chain takes, "x_realtime" how many times faster than real
// time it runs.
#include "common/AudioRange.h"
#include "BenchInputs.h"
#include "dsp/BlockChain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace moravel::bench {
namespace {

void BM_BlockThroughEveryStage(benchmark::State& state) {
    const AudioRange& range = kAudioRanges[static_cast<std::size_t>(state.range(0))];
    // Blocks arrive at the capture rate, 50 Hz below the output rate.
    const std::int32_t rate = range.outputRate - kCaptureRateOffset;
    const std::int32_t samples = range.bufferBytes / 2;
    constexpr std::int32_t kDistinctBlocks = 16;
    const auto input = ToneAndNoise(static_cast<std::size_t>(samples) * kDistinctBlocks, rate);

    const ChainSettings settings = EveryStageOn();
    const auto engine = std::make_unique<Engine>();
    ConfigureChain(*engine, settings, rate, range.bufferBytes);
    const StageSwitches stages = SwitchesFor(settings);

    std::int32_t block = 0;
    for (auto _ : state) {
        const std::int16_t* data = input.data() + static_cast<std::ptrdiff_t>(block) * samples;
        benchmark::DoNotOptimize(ProcessBlock(*engine, stages, data, range.bufferBytes));
        block = (block + 1) % kDistinctBlocks;
    }
    const double blockSeconds = static_cast<double>(samples) / rate;
    state.counters["block_ms"] = blockSeconds * 1000;
    state.counters["x_realtime"] = benchmark::Counter(blockSeconds, benchmark::Counter::kIsIterationInvariantRate);
    // Inverted rate: elapsed time / (iterations × blockSeconds / 100).
    state.counters["load_pct"] = benchmark::Counter(
        blockSeconds / 100, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel(std::string(range.item));
}

BENCHMARK(BM_BlockThroughEveryStage)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moravel::bench
