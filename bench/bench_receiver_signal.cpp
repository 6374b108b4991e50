// The virtual card's synthetic receiver signal at the highest capture rate,
// every component on, read in capture-sized blocks. "x_realtime" is seconds
// of signal made per second of CPU; its inverse is the share of one core the
// signal takes while the card runs in real time.
#include "audio/virtual/ReceiverSignal.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace moravel::bench {
namespace {

constexpr std::int32_t kRate = 30950;
constexpr std::int32_t kSeconds = 2;
constexpr std::size_t kBlock = 1024;

// Each iteration makes the same two seconds anew (a fresh signal from sample
// 0), so every iteration does the same work: syllables, pauses and keying.
void BM_ReceiverSignalFill(benchmark::State& state) {
    std::vector<std::int16_t> block(kBlock);
    const std::size_t total = static_cast<std::size_t>(kRate) * kSeconds;
    for (auto _ : state) {
        ReceiverSignal signal(kRate);
        for (std::size_t done = 0; done < total; done += kBlock) {
            signal.Fill(block.data(), std::min(kBlock, total - done));
            benchmark::DoNotOptimize(block.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(total));
    state.counters["x_realtime"] = benchmark::Counter(kSeconds, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_ReceiverSignalFill)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moravel::bench
