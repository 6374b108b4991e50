#include "Fourier2.h"

#include "FastTrig.h"

#include <algorithm>
#include <numbers>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace moravel {

std::int32_t FftLength = 0;
bool FftInverse = false;

namespace {

// Reorders the points into bit-reversed order; elements are 1-based pairs.
void bitReverse(float* a, std::uint32_t n) {
    std::uint32_t j = 1;
    for (std::uint32_t i = 1; i < n; i += 2) {
        if (j > i) {
            std::swap(a[j], a[i]);
            std::swap(a[j + 1], a[i + 1]);
        }
        std::uint32_t m = n / 2;
        while (m >= 2 && j > m) {
            j -= m;
            m /= 2;
        }
        j += m;
    }
}

// Twiddles computed ahead per stage, as (wr, wi) pairs. The butterflies of a
// stage are independent of each other, so running them block by block with
// the twiddles taken from this table (rather than twiddle by twiddle across
// the blocks) gives the same bits while walking memory in order.
constexpr std::uint32_t kChunk = 512;

// Butterflies of the points at elements i.. and i + mmax.. for `count`
// consecutive twiddles. Packed single-precision multiplies and adds round
// each lane exactly as the scalar operations do, so both paths agree bit for bit.
void butterflies(float* a, std::uint32_t i, std::uint32_t mmax, const float* w, std::uint32_t count) {
    std::uint32_t q = 0;
#if defined(__SSE2__)
    const __m128 negateEven =
        _mm_castsi128_ps(_mm_set_epi32(0, static_cast<int>(0x80000000), 0, static_cast<int>(0x80000000)));
    for (; q + 2 <= count; q += 2) {
        float* pi = a + i + 2 * q;
        float* pj = pi + mmax;
        const __m128 x = _mm_loadu_ps(pi);
        const __m128 y = _mm_loadu_ps(pj);
        const __m128 tw = _mm_loadu_ps(w + 2 * q);
        const __m128 wr = _mm_shuffle_ps(tw, tw, _MM_SHUFFLE(2, 2, 0, 0));
        const __m128 wi = _mm_shuffle_ps(tw, tw, _MM_SHUFFLE(3, 3, 1, 1));
        const __m128 ySwapped = _mm_shuffle_ps(y, y, _MM_SHUFFLE(2, 3, 0, 1));
        // (wr·yr − wi·yi, wr·yi + wi·yr): the same products and sums as the scalar path.
        const __m128 temp = _mm_add_ps(_mm_mul_ps(wr, y), _mm_xor_ps(_mm_mul_ps(wi, ySwapped), negateEven));
        _mm_storeu_ps(pj, _mm_sub_ps(x, temp));
        _mm_storeu_ps(pi, _mm_add_ps(x, temp));
    }
#endif
    for (; q < count; ++q) {
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

}  // namespace

void ComplexFFT(float* a) {
    const std::uint32_t points = static_cast<std::uint32_t>(FftLength) / 2;
    const std::uint32_t n = 2 * points;
    const float sign = FftInverse ? -1.0f : 1.0f;
    bitReverse(a, n);

    float w[2 * kChunk];
    std::uint32_t mmax = 2;
    while (n > mmax) {
        const std::uint32_t istep = 2 * mmax;
        const float theta = sign * (2 * std::numbers::pi_v<float>) / static_cast<float>(mmax);
        float wtemp = FastSin(theta / 2);
        const float wpr = -2.0f * wtemp * wtemp;
        const float wpi = FastSin(theta);
        float wr = 1.0f;
        float wi = 0.0f;
        const std::uint32_t twiddles = mmax / 2;
        for (std::uint32_t first = 0; first < twiddles; first += kChunk) {
            const std::uint32_t count = std::min(kChunk, twiddles - first);
            for (std::uint32_t q = 0; q < count; ++q) {
                w[2 * q] = wr;
                w[2 * q + 1] = wi;
                wtemp = wr;
                wr = wr * wpr - wi * wpi + wr;
                wi = wi * wpr + wtemp * wpi + wi;
            }
            for (std::uint32_t block = 0; block < n; block += istep) {
                butterflies(a, block + 2 * first + 1, mmax, w, count);
            }
        }
        mmax = istep;
    }
}

}  // namespace moravel
