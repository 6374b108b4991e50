// The AVX2 butterflies: four at a time, with the same lane operations as the
// SSE2 kernel (in-lane shuffles, separate multiplies and adds). This file
// alone is compiled with -mavx2 and never with FMA, so no multiply and add
// can be fused into one differently rounded instruction; its functions run
// only after CpuHasAvx2() said yes.
#include "dsp/FourierKernels.h"

#include <immintrin.h>

namespace moravel::fourier {
namespace {

// (wr·yr − wi·yi, wr·yi + wi·yr) for four points y under four twiddles tw.
inline __m256 twiddled(__m256 y, __m256 tw) {
    const __m256 negateEven =
        _mm256_castsi256_ps(_mm256_setr_epi32(static_cast<int>(0x80000000), 0, static_cast<int>(0x80000000), 0,
                                              static_cast<int>(0x80000000), 0, static_cast<int>(0x80000000), 0));
    const __m256 wr = _mm256_shuffle_ps(tw, tw, _MM_SHUFFLE(2, 2, 0, 0));
    const __m256 wi = _mm256_shuffle_ps(tw, tw, _MM_SHUFFLE(3, 3, 1, 1));
    const __m256 ySwapped = _mm256_shuffle_ps(y, y, _MM_SHUFFLE(2, 3, 0, 1));
    // Subtracting wi·yi is adding its negation: the same rounded result.
    return _mm256_add_ps(_mm256_mul_ps(wr, y), _mm256_xor_ps(_mm256_mul_ps(wi, ySwapped), negateEven));
}

struct SumAndDifference {
    __m256 sum;
    __m256 difference;
};

inline SumAndDifference butterfly(__m256 x, __m256 y, __m256 tw) {
    const __m256 temp = twiddled(y, tw);
    return {_mm256_add_ps(x, temp), _mm256_sub_ps(x, temp)};
}

}  // namespace

void ButterfliesAvx2(float* a, std::uint32_t i, std::uint32_t mmax, const float* w, std::uint32_t count) {
    std::uint32_t q = 0;
    for (; q + 4 <= count; q += 4) {
        float* pi = a + i + 2 * q;
        float* pj = pi + mmax;
        const auto [sum, difference] = butterfly(_mm256_loadu_ps(pi), _mm256_loadu_ps(pj), _mm256_loadu_ps(w + 2 * q));
        _mm256_storeu_ps(pj, difference);
        _mm256_storeu_ps(pi, sum);
    }
    ButterfliesSse2(a, i + 2 * q, mmax, w + 2 * q, count - q);
}

void StageAvx2(float* a, std::uint32_t n, std::uint32_t mmax, const float* w) {
    // The block loop lives here so that the butterflies inline into it: the
    // middle stages have only a few vectors of butterflies per block.
    for (std::uint32_t block = 0; block < n; block += 2 * mmax) ButterfliesAvx2(a, block + 1, mmax, w, mmax / 2);
}

void TwoStagesAvx2(float* a, std::uint32_t n, std::uint32_t mmax, const float* w1, const float* w2) {
    // In a block the first stage pairs quarters 0–1 and 2–3 under the same
    // twiddle; the second pairs 0–2 (twiddle q) and 1–3 (twiddle q + mmax/2),
    // each from the first stage's results: every butterfly as in two passes.
    const std::uint32_t half = mmax / 2;
    for (std::uint32_t block = 0; block < n; block += 4 * mmax) {
        for (std::uint32_t q = 0; q < half; q += 4) {
            float* p0 = a + block + 1 + 2 * q;
            float* p1 = p0 + mmax;
            float* p2 = p1 + mmax;
            float* p3 = p2 + mmax;
            const __m256 t1 = _mm256_loadu_ps(w1 + 2 * q);
            const auto [s01, d01] = butterfly(_mm256_loadu_ps(p0), _mm256_loadu_ps(p1), t1);
            const auto [s23, d23] = butterfly(_mm256_loadu_ps(p2), _mm256_loadu_ps(p3), t1);
            const auto [s02, d02] = butterfly(s01, s23, _mm256_loadu_ps(w2 + 2 * q));
            const auto [s13, d13] = butterfly(d01, d23, _mm256_loadu_ps(w2 + 2 * (q + half)));
            _mm256_storeu_ps(p0, s02);
            _mm256_storeu_ps(p1, s13);
            _mm256_storeu_ps(p2, d02);
            _mm256_storeu_ps(p3, d13);
        }
    }
}

void FirstStageAvx2(float* a, std::uint32_t n, const float* w) {
    // Four 4-float blocks (one butterfly each) regrouped by in-lane shuffles:
    // x = (x0, x2 | x1, x3), y likewise, and back the same way.
    const __m256 tw = _mm256_setr_ps(w[0], w[1], w[0], w[1], w[0], w[1], w[0], w[1]);
    std::uint32_t block = 0;
    for (; block + 16 <= n; block += 16) {
        float* p = a + block + 1;
        const __m256 v0 = _mm256_loadu_ps(p);
        const __m256 v1 = _mm256_loadu_ps(p + 8);
        const auto [sum, difference] = butterfly(_mm256_shuffle_ps(v0, v1, _MM_SHUFFLE(1, 0, 1, 0)),
                                                 _mm256_shuffle_ps(v0, v1, _MM_SHUFFLE(3, 2, 3, 2)), tw);
        _mm256_storeu_ps(p, _mm256_shuffle_ps(sum, difference, _MM_SHUFFLE(1, 0, 1, 0)));
        _mm256_storeu_ps(p + 8, _mm256_shuffle_ps(sum, difference, _MM_SHUFFLE(3, 2, 3, 2)));
    }
    FirstStageSse2(a + block, n - block, w);
}

void SecondStageAvx2(float* a, std::uint32_t n, const float* w) {
    // Each 8-float block is (x pair | y pair); two blocks are regrouped by
    // their 128-bit halves into (x pairs) and (y pairs).
    const __m256 tw = _mm256_setr_ps(w[0], w[1], w[2], w[3], w[0], w[1], w[2], w[3]);
    std::uint32_t block = 0;
    for (; block + 16 <= n; block += 16) {
        float* p = a + block + 1;
        const __m256 v0 = _mm256_loadu_ps(p);
        const __m256 v1 = _mm256_loadu_ps(p + 8);
        const auto [sum, difference] =
            butterfly(_mm256_permute2f128_ps(v0, v1, 0x20), _mm256_permute2f128_ps(v0, v1, 0x31), tw);
        _mm256_storeu_ps(p, _mm256_permute2f128_ps(sum, difference, 0x20));
        _mm256_storeu_ps(p + 8, _mm256_permute2f128_ps(sum, difference, 0x31));
    }
    for (; block < n; block += 8) ButterfliesSse2(a, block + 1, 4, w, 2);
}

}  // namespace moravel::fourier
