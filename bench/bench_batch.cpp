// moravel-process's processing loop over ten minutes of 16 kHz audio held in
// memory (so the disk does not blur the figure). "x_realtime" is seconds of
// audio processed per second.
#include "BenchInputs.h"
#include "audio/MemoryRiffFile.h"
#include "cli/ProcessingLoop.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace moravel::bench {
namespace {

constexpr std::int32_t kRate = 16000;
constexpr std::int32_t kSeconds = 600;

const std::vector<std::uint8_t>& TenMinuteFile() {
    static const std::vector<std::uint8_t> image = [] {
        const auto samples = ToneAndNoise(static_cast<std::size_t>(kRate) * kSeconds, kRate);
        const WaveFormatEx format = OutputFormat(kRate);
        MemoryRiffFile file;
        WaveStream stream(file, &format);
        stream.Write(samples.data(), static_cast<std::int32_t>(samples.size()));
        stream.Finish();
        return file.bytes();
    }();
    return image;
}

// Arguments: 0 every stage off (the command's default), 1 every stage on;
// then 1 or 2 threads (the second reads and analyses ahead, AnalysisAhead).
void BM_BatchTenMinutes(benchmark::State& state) {
    const ChainSettings settings = state.range(0) != 0 ? EveryStageOn() : ChainSettings{};
    const LoopThreads threads = state.range(1) == 2 ? LoopThreads::kTwo : LoopThreads::kOne;
    const auto engine = std::make_unique<Engine>();
    for (auto _ : state) {
        state.PauseTiming();
        auto input = std::make_unique<MemoryRiffFile>(TenMinuteFile());
        auto output = std::make_unique<MemoryRiffFile>();
        state.ResumeTiming();
        WaveStream reader(*input, nullptr);
        const WaveFormatEx format = OutputFormat(kRate);
        WaveStream writer(*output, &format);
        benchmark::DoNotOptimize(ProcessWave(reader, writer, settings, *engine, {}, threads));
        writer.Finish();
    }
    state.counters["x_realtime"] = benchmark::Counter(kSeconds, benchmark::Counter::kIsIterationInvariantRate);
    state.SetLabel(std::string(state.range(0) != 0 ? "every stage on" : "every stage off") +
                   (threads == LoopThreads::kTwo ? ", two threads" : ", one thread"));
}

BENCHMARK(BM_BatchTenMinutes)->ArgsProduct({{0, 1}, {1, 2}})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace moravel::bench
