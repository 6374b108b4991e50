// The transform alone, at the size the analysis uses for the largest block:
// 4N complex points for N = 4096.
#include "Fourier2.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace moravel::bench {
namespace {

void BM_ComplexFFT(benchmark::State& state) {
    const auto points = static_cast<std::int32_t>(state.range(0));
    const std::int32_t floats = 2 * points;
    std::vector<float> input(static_cast<std::size_t>(floats) + 1, 0.0f);
    for (std::int32_t p = 0; p < points / 2; ++p) input[2 * p + 1] = static_cast<float>(std::sin(0.05 * p) * 1000);
    std::vector<float> work(input.size());
    for (auto _ : state) {
        // A fresh copy each time: transforming the previous result again
        // would grow it without bound (there is no scaling).
        std::memcpy(work.data(), input.data(), input.size() * sizeof(float));
        FftLength = floats;
        FftInverse = false;
        ComplexFFT(work.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * points);
}

BENCHMARK(BM_ComplexFFT)->Arg(4 * 4096)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moravel::bench
