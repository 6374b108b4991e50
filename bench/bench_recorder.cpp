// The recorder's header commit on each 500 ms tick: putting the samples on
// the disk (fdatasync), then writing the RIFF and data sizes. Arg 0: nothing
// new since the previous commit (only the previous header's page goes to
// the disk); arg 31000: the half second of 16-bit samples the 16 KHz range
// (31000 Hz) buffers between two ticks, which the commit writes too. Only
// the commit is timed; the file is in the temp folder ($TMPDIR), so the
// figures are that disk's.
#include "audio/waveio.h"

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace moravel::bench {
namespace {

// A recording file in a fresh temp folder, removed afterwards.
class TempRecording {
public:
    TempRecording() {
        std::string pattern = (std::filesystem::temp_directory_path() / "moravel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
    }
    ~TempRecording() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string Path() const { return (folder_ / "bench.wav").string(); }

private:
    std::filesystem::path folder_;
};

void BM_CommitSizes(benchmark::State& state) {
    const auto pending = static_cast<std::int32_t>(state.range(0));
    TempRecording file;
    WaveFormatEx format = MonoPcm16Format(31000);
    format.nBlockAlign = 1;  // the recorder's format: frames are bytes
    FileWaveStream stream(file.Path(), &format);
    const std::vector<std::uint8_t> samples(static_cast<std::size_t>(pending), 0x55);
    for (auto _ : state) {
        if (pending > 0) {
            state.PauseTiming();
            stream.Write(samples.data(), pending);
            state.ResumeTiming();
        }
        stream.CommitSizes();
    }
}

// A fixed count keeps the file of the 31000-byte case at about 60 MB.
BENCHMARK(BM_CommitSizes)
    ->Arg(0)
    ->Arg(31000)
    ->Iterations(2000)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moravel::bench
