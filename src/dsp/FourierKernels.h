// The pieces of the radix-2 transform (Fourier2.h), for the transform itself,
// its tests and its benchmarks: the butterfly kernels of each instruction set,
// the cached twiddle and bit-reversal tables, and a transform with a chosen
// kernel.
//
// Every kernel computes each butterfly with the same single-precision
// operations in the same order (wr·yr − wi·yi, wr·yi + wi·yr, then x ∓ temp),
// so all of them give the same bits; they differ only in how many butterflies
// run per instruction. Butterflies of one stage are independent of each
// other, so the order in which they run does not change the result either.
#pragma once

#include <cstdint>

namespace moravel::fourier {

/// Which butterfly kernel a transform uses.
enum class Kernel { kScalar, kSse2, kAvx2 };

/// The butterflies of the points at elements a[i..] and a[i + mmax..] (1-based
/// pairs as in ComplexFFT) for `count` consecutive twiddles w[0..2·count−1]
/// ((wr, wi) pairs). Any thread; `a` must not be shared with another caller.
void ButterfliesScalar(float* a, std::uint32_t i, std::uint32_t mmax, const float* w, std::uint32_t count);
void ButterfliesSse2(float* a, std::uint32_t i, std::uint32_t mmax, const float* w, std::uint32_t count);
/// Only on a CPU with AVX2 (CpuHasAvx2); falls back to SSE2 for the last < 4.
void ButterfliesAvx2(float* a, std::uint32_t i, std::uint32_t mmax, const float* w, std::uint32_t count);

/// A whole stage: the butterflies of every block of 2·mmax floats in
/// a[1..n], each block with the mmax/2 twiddles w. Same threads as above.
void StageScalar(float* a, std::uint32_t n, std::uint32_t mmax, const float* w);
void StageSse2(float* a, std::uint32_t n, std::uint32_t mmax, const float* w);
void StageAvx2(float* a, std::uint32_t n, std::uint32_t mmax, const float* w);

/// Two stages in one pass: the stage of span mmax (twiddles w1, mmax/2
/// pairs) and the next (span 2·mmax, twiddles w2), block of 4·mmax floats by
/// block, each value loaded and stored once for both. Needs n a multiple of
/// 4·mmax, and mmax ≥ 4 (SSE2) or ≥ 8 (AVX2).
void TwoStagesSse2(float* a, std::uint32_t n, std::uint32_t mmax, const float* w1, const float* w2);
void TwoStagesAvx2(float* a, std::uint32_t n, std::uint32_t mmax, const float* w1, const float* w2);

/// The first stage (mmax = 2, one twiddle w[0..1]) over the n floats a[1..n]:
/// SSE2 two blocks at a time, AVX2 four. `n` a multiple of 4.
void FirstStageSse2(float* a, std::uint32_t n, const float* w);
void FirstStageAvx2(float* a, std::uint32_t n, const float* w);
/// The second stage (mmax = 4, twiddles w[0..3]) over a[1..n], AVX2 two
/// blocks at a time. `n` a multiple of 8.
void SecondStageAvx2(float* a, std::uint32_t n, const float* w);

/// True when the CPU runs AVX2 instructions (checked once). Any thread.
bool CpuHasAvx2();

/// The twiddles of the stage whose butterflies span `mmax` floats (a power of
/// two, 2..2^30) in direction `inverse`: mmax/2 (wr, wi) pairs, made once per
/// process by the stage's recurrence (FastSin of the stage angle, then the
/// trigonometric recurrence in single precision) and kept. Any thread.
const float* StageTwiddles(std::uint32_t mmax, bool inverse);

/// Applies the bit-reversal permutation to the points of a[1..n] (n floats, a
/// power of two ≥ 2) from a swap list made once per size. Any thread.
void BitReverse(float* a, std::uint32_t n);

/// The positions of BitReversedPositions, for `points` a power of two.
const std::uint32_t* ReversedPositions(std::uint32_t points);

/// ComplexFFT of the n floats a[1..n] (n = 2 × points) with the given
/// kernel; kAvx2 only when CpuHasAvx2(). Reads no global state. Any thread.
void Transform(float* a, std::uint32_t n, bool inverse, Kernel kernel);

/// The stages of Transform from the one spanning `firstSpan` floats on,
/// without the bit reversal.
void RunStages(float* a, std::uint32_t n, bool inverse, std::uint32_t firstSpan, Kernel kernel);

/// The kernel ComplexFFT uses on this CPU: AVX2 when available, else SSE2.
Kernel BestKernel();

}  // namespace moravel::fourier
