// The transform alone: ComplexFFT at the size the analysis uses for the
// largest block (4N complex points for N = 4096), each butterfly kernel at
// every size the engine uses, and the engine's zero-padded analysis load
// (straight into reversed order, from the second stage) against the plain
// fill-then-transform.
#include "dsp/Fourier2.h"
#include "dsp/FourierKernels.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace moravel::bench {
namespace {

// `points` points whose first half holds a sine in the real parts, the rest
// zero: the shape of the analysis input. Element 0 is unused.
std::vector<float> HalfFilledSine(std::int32_t points) {
    std::vector<float> input(2 * static_cast<std::size_t>(points) + 1, 0.0f);
    for (std::int32_t p = 0; p < points / 2; ++p) input[2 * p + 1] = static_cast<float>(std::sin(0.05 * p) * 1000);
    return input;
}

void BM_ComplexFFT(benchmark::State& state) {
    const auto points = static_cast<std::int32_t>(state.range(0));
    const std::vector<float> input = HalfFilledSine(points);
    std::vector<float> work(input.size());
    for (auto _ : state) {
        // A fresh copy each time: transforming the previous result again
        // would grow it without bound (there is no scaling).
        std::memcpy(work.data(), input.data(), input.size() * sizeof(float));
        FftLength = 2 * points;
        FftInverse = false;
        ComplexFFT(work.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * points);
}

BENCHMARK(BM_ComplexFFT)->Arg(4 * 4096)->Unit(benchmark::kMicrosecond);

// Arguments: points (512..16384, the engine's sizes), kernel (0 scalar,
// 1 SSE2, 2 AVX2; skipped without AVX2).
void BM_TransformKernel(benchmark::State& state) {
    const auto points = static_cast<std::int32_t>(state.range(0));
    const auto kernel = static_cast<fourier::Kernel>(state.range(1));
    if (kernel == fourier::Kernel::kAvx2 && !fourier::CpuHasAvx2()) {
        state.SkipWithError("no AVX2 on this CPU");
        return;
    }
    const std::vector<float> input = HalfFilledSine(points);
    std::vector<float> work(input.size());
    for (auto _ : state) {
        std::memcpy(work.data(), input.data(), input.size() * sizeof(float));
        fourier::Transform(work.data(), 2 * static_cast<std::uint32_t>(points), false, kernel);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * points);
    static const char* const kNames[] = {"scalar", "SSE2", "AVX2"};
    state.SetLabel(kNames[state.range(1)]);
}

BENCHMARK(BM_TransformKernel)
    ->ArgsProduct({{512, 1024, 2048, 4096, 8192, 16384}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

// The analysis transform of a 4096-sample block's frame (8192 values, 16384
// points). Argument 0: zero-fill, values at their natural places, the whole
// ComplexFFT. 1: zero-fill, values straight into the state after the first
// stage, the transform from the second stage (the engine's way).
void BM_ZeroPaddedAnalysis(benchmark::State& state) {
    constexpr std::int32_t kValues = 8192;
    constexpr std::int32_t kPoints = 2 * kValues;
    const std::vector<float> values = HalfFilledSine(kPoints);
    std::vector<float> work(values.size());
    const bool shortcut = state.range(0) != 0;
    const std::uint32_t* position = BitReversedPositions(kPoints);
    for (auto _ : state) {
        std::memset(work.data(), 0, work.size() * sizeof(float));
        FftLength = 2 * kPoints;
        FftInverse = false;
        if (shortcut) {
            for (std::int32_t p = 0; p < kValues; ++p) {
                const float x = values[2 * p + 1];
                work[2 * position[p] + 1] = x + 0.0f;
                work[2 * position[p] + 3] = x;
            }
            ComplexFFTReordered(work.data(), 4);
        } else {
            for (std::int32_t p = 0; p < kValues; ++p) work[2 * p + 1] = values[2 * p + 1];
            ComplexFFT(work.data());
        }
        benchmark::ClobberMemory();
    }
    state.SetLabel(shortcut ? "reversed load, from stage 2" : "plain load, every stage");
}

BENCHMARK(BM_ZeroPaddedAnalysis)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moravel::bench
