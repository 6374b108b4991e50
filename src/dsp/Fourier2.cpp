#include "dsp/Fourier2.h"

#include "dsp/FourierKernels.h"

#include <bit>

namespace moravel {

thread_local std::int32_t FftLength = 0;
thread_local bool FftInverse = false;

namespace fourier {
namespace {

using WholeStageFunction = void (*)(float*, std::uint32_t, std::uint32_t, const float*);
using PackedStageFunction = void (*)(float*, std::uint32_t, const float*);

WholeStageFunction stageOf(Kernel kernel) {
    switch (kernel) {
        case Kernel::kAvx2:
            return StageAvx2;
        case Kernel::kSse2:
            return StageSse2;
        case Kernel::kScalar:
            break;
    }
    return StageScalar;
}

// The first two stages have one and two twiddles, too few to fill a vector
// within one block: these kernels pack several blocks instead. Null where
// the general kernel is as good.
PackedStageFunction firstStageOf(Kernel kernel) {
    if (kernel == Kernel::kAvx2) return FirstStageAvx2;
    if (kernel == Kernel::kSse2) return FirstStageSse2;
    return nullptr;
}

PackedStageFunction secondStageOf(Kernel kernel) { return kernel == Kernel::kAvx2 ? SecondStageAvx2 : nullptr; }

using TwoStageFunction = void (*)(float*, std::uint32_t, std::uint32_t, const float*, const float*);

// The two-stage pass for the stage of span mmax and the next, where the
// kernel has one that fits (a whole vector of twiddles per quarter block).
TwoStageFunction twoStagesOf(Kernel kernel, std::uint32_t mmax) {
    if (kernel == Kernel::kAvx2 && mmax >= 8) return TwoStagesAvx2;
    if (kernel == Kernel::kSse2 && mmax >= 4) return TwoStagesSse2;
    return nullptr;
}

void runStage(float* a, std::uint32_t n, std::uint32_t mmax, const float* w, Kernel kernel) {
    // Whole blocks only: the block kernels need n to be a multiple of their width.
    const bool powerOfTwo = std::has_single_bit(n);
    PackedStageFunction packed = mmax == 2 ? firstStageOf(kernel) : mmax == 4 ? secondStageOf(kernel) : nullptr;
    if (packed != nullptr && powerOfTwo) {
        packed(a, n, w);
        return;
    }
    stageOf(kernel)(a, n, mmax, w);
}

}  // namespace

bool CpuHasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

Kernel BestKernel() { return CpuHasAvx2() ? Kernel::kAvx2 : Kernel::kSse2; }

void RunStages(float* a, std::uint32_t n, bool inverse, std::uint32_t firstSpan, Kernel kernel) {
    std::uint32_t mmax = firstSpan;
    while (n > mmax) {
        // The vector kernels take the later stages two per pass over the array.
        const TwoStageFunction pair = twoStagesOf(kernel, mmax);
        if (pair != nullptr && n > 2 * mmax && std::has_single_bit(n)) {
            pair(a, n, mmax, StageTwiddles(mmax, inverse), StageTwiddles(2 * mmax, inverse));
            mmax *= 4;
        } else {
            runStage(a, n, mmax, StageTwiddles(mmax, inverse), kernel);
            mmax *= 2;
        }
    }
}

void Transform(float* a, std::uint32_t n, bool inverse, Kernel kernel) {
    BitReverse(a, n);
    RunStages(a, n, inverse, 2, kernel);
}

}  // namespace fourier

namespace {

fourier::Kernel kernelOfThisCpu() {
    static const fourier::Kernel kernel = fourier::BestKernel();
    return kernel;
}

std::uint32_t lengthInFloats() { return 2 * (static_cast<std::uint32_t>(FftLength) / 2); }

}  // namespace

void ComplexFFT(float* a) { fourier::Transform(a, lengthInFloats(), FftInverse, kernelOfThisCpu()); }

const std::uint32_t* BitReversedPositions(std::uint32_t points) { return fourier::ReversedPositions(points); }

void ComplexFFTReordered(float* a, std::uint32_t firstSpan) {
    fourier::RunStages(a, lengthInFloats(), FftInverse, firstSpan, kernelOfThisCpu());
}

}  // namespace moravel
