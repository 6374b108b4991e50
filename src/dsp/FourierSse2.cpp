// The scalar and SSE2 butterflies. Packed single-precision multiplies and
// adds round each lane exactly as the scalar operations do, so both agree bit
// for bit with each other and with the AVX2 kernel.
#include "dsp/FourierKernels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace moravel::fourier {

void ButterfliesScalar(float* a, std::uint32_t i, std::uint32_t mmax, const float* w, std::uint32_t count) {
    for (std::uint32_t q = 0; q < count; ++q) {
        const std::uint32_t ii = i + 2 * q;
        const std::uint32_t j = ii + mmax;
        const float wr = w[2 * q];
        const float wi = w[2 * q + 1];
        const float tempr = wr * a[j] - wi * a[j + 1];
        const float tempi = wr * a[j + 1] + wi * a[j];
        a[j] = a[ii] - tempr;
        a[j + 1] = a[ii + 1] - tempi;
        a[ii] = a[ii] + tempr;
        a[ii + 1] = a[ii + 1] + tempi;
    }
}

void StageScalar(float* a, std::uint32_t n, std::uint32_t mmax, const float* w) {
    for (std::uint32_t block = 0; block < n; block += 2 * mmax) ButterfliesScalar(a, block + 1, mmax, w, mmax / 2);
}

#if defined(__SSE2__)
namespace {

// (wr·yr − wi·yi, wr·yi + wi·yr) for two points y under two twiddles tw.
inline __m128 twiddled(__m128 y, __m128 tw) {
    const __m128 negateEven =
        _mm_castsi128_ps(_mm_set_epi32(0, static_cast<int>(0x80000000), 0, static_cast<int>(0x80000000)));
    const __m128 wr = _mm_shuffle_ps(tw, tw, _MM_SHUFFLE(2, 2, 0, 0));
    const __m128 wi = _mm_shuffle_ps(tw, tw, _MM_SHUFFLE(3, 3, 1, 1));
    const __m128 ySwapped = _mm_shuffle_ps(y, y, _MM_SHUFFLE(2, 3, 0, 1));
    // Subtracting wi·yi is adding its negation: the same rounded result.
    return _mm_add_ps(_mm_mul_ps(wr, y), _mm_xor_ps(_mm_mul_ps(wi, ySwapped), negateEven));
}

}  // namespace

void ButterfliesSse2(float* a, std::uint32_t i, std::uint32_t mmax, const float* w, std::uint32_t count) {
    std::uint32_t q = 0;
    for (; q + 2 <= count; q += 2) {
        float* pi = a + i + 2 * q;
        float* pj = pi + mmax;
        const __m128 x = _mm_loadu_ps(pi);
        const __m128 temp = twiddled(_mm_loadu_ps(pj), _mm_loadu_ps(w + 2 * q));
        _mm_storeu_ps(pj, _mm_sub_ps(x, temp));
        _mm_storeu_ps(pi, _mm_add_ps(x, temp));
    }
    ButterfliesScalar(a, i + 2 * q, mmax, w + 2 * q, count - q);
}

void StageSse2(float* a, std::uint32_t n, std::uint32_t mmax, const float* w) {
    for (std::uint32_t block = 0; block < n; block += 2 * mmax) ButterfliesSse2(a, block + 1, mmax, w, mmax / 2);
}

void TwoStagesSse2(float* a, std::uint32_t n, std::uint32_t mmax, const float* w1, const float* w2) {
    // The first stage pairs quarters 0–1 and 2–3 of a block under the same
    // twiddle; the second pairs 0–2 (twiddle q) and 1–3 (twiddle q + mmax/2).
    const std::uint32_t half = mmax / 2;
    for (std::uint32_t block = 0; block < n; block += 4 * mmax) {
        for (std::uint32_t q = 0; q < half; q += 2) {
            float* p0 = a + block + 1 + 2 * q;
            float* p1 = p0 + mmax;
            float* p2 = p1 + mmax;
            float* p3 = p2 + mmax;
            const __m128 t1 = _mm_loadu_ps(w1 + 2 * q);
            const __m128 x0 = _mm_loadu_ps(p0);
            const __m128 x2 = _mm_loadu_ps(p2);
            const __m128 y1 = twiddled(_mm_loadu_ps(p1), t1);
            const __m128 y3 = twiddled(_mm_loadu_ps(p3), t1);
            const __m128 s01 = _mm_add_ps(x0, y1);
            const __m128 d01 = _mm_sub_ps(x0, y1);
            const __m128 s23 = twiddled(_mm_add_ps(x2, y3), _mm_loadu_ps(w2 + 2 * q));
            const __m128 d23 = twiddled(_mm_sub_ps(x2, y3), _mm_loadu_ps(w2 + 2 * (q + half)));
            _mm_storeu_ps(p0, _mm_add_ps(s01, s23));
            _mm_storeu_ps(p2, _mm_sub_ps(s01, s23));
            _mm_storeu_ps(p1, _mm_add_ps(d01, d23));
            _mm_storeu_ps(p3, _mm_sub_ps(d01, d23));
        }
    }
}

void FirstStageSse2(float* a, std::uint32_t n, const float* w) {
    // Each 4-float block is one butterfly (x at its first point, y at its
    // second). Two blocks are regrouped into (x0, x1) and (y0, y1) so that
    // one packed butterfly does both.
    const __m128 tw = _mm_setr_ps(w[0], w[1], w[0], w[1]);
    std::uint32_t block = 0;
    for (; block + 8 <= n; block += 8) {
        float* p = a + block + 1;
        const __m128 v0 = _mm_loadu_ps(p);
        const __m128 v1 = _mm_loadu_ps(p + 4);
        const __m128 x = _mm_shuffle_ps(v0, v1, _MM_SHUFFLE(1, 0, 1, 0));
        const __m128 y = _mm_shuffle_ps(v0, v1, _MM_SHUFFLE(3, 2, 3, 2));
        const __m128 temp = twiddled(y, tw);
        const __m128 sum = _mm_add_ps(x, temp);
        const __m128 difference = _mm_sub_ps(x, temp);
        _mm_storeu_ps(p, _mm_shuffle_ps(sum, difference, _MM_SHUFFLE(1, 0, 1, 0)));
        _mm_storeu_ps(p + 4, _mm_shuffle_ps(sum, difference, _MM_SHUFFLE(3, 2, 3, 2)));
    }
    for (; block < n; block += 4) ButterfliesScalar(a, block + 1, 2, w, 1);
}

#else

void ButterfliesSse2(float* a, std::uint32_t i, std::uint32_t mmax, const float* w, std::uint32_t count) {
    ButterfliesScalar(a, i, mmax, w, count);
}

void StageSse2(float* a, std::uint32_t n, std::uint32_t mmax, const float* w) { StageScalar(a, n, mmax, w); }

void TwoStagesSse2(float* a, std::uint32_t n, std::uint32_t mmax, const float* w1, const float* w2) {
    StageScalar(a, n, mmax, w1);
    StageScalar(a, n, 2 * mmax, w2);
}

void FirstStageSse2(float* a, std::uint32_t n, const float* w) {
    for (std::uint32_t block = 0; block < n; block += 4) ButterfliesScalar(a, block + 1, 2, w, 1);
}

#endif

}  // namespace moravel::fourier
