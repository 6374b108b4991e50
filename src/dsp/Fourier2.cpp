#include "Fourier2.h"

#include "FastTrig.h"

#include <numbers>
#include <utility>

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

}  // namespace

void ComplexFFT(float* a) {
    const std::uint32_t points = static_cast<std::uint32_t>(FftLength) / 2;
    const std::uint32_t n = 2 * points;
    const float sign = FftInverse ? -1.0f : 1.0f;
    bitReverse(a, n);

    // Danielson-Lanczos butterflies; every intermediate is a single, so the
    // twiddle recurrence drifts exactly as it always has.
    std::uint32_t mmax = 2;
    while (n > mmax) {
        const std::uint32_t istep = 2 * mmax;
        const float theta = sign * (2 * std::numbers::pi_v<float>) / static_cast<float>(mmax);
        float wtemp = FastSin(theta / 2);
        const float wpr = -2.0f * wtemp * wtemp;
        const float wpi = FastSin(theta);
        float wr = 1.0f;
        float wi = 0.0f;
        for (std::uint32_t m = 1; m < mmax; m += 2) {
            for (std::uint32_t i = m; i <= n; i += istep) {
                const std::uint32_t j = i + mmax;
                const float tempr = wr * a[j] - wi * a[j + 1];
                const float tempi = wr * a[j + 1] + wi * a[j];
                a[j] = a[i] - tempr;
                a[j + 1] = a[i + 1] - tempi;
                a[i] = a[i] + tempr;
                a[i + 1] = a[i + 1] + tempi;
            }
            wtemp = wr;
            wr = wr * wpr - wi * wpi + wr;
            wi = wi * wpr + wtemp * wpi + wi;
        }
        mmax = istep;
    }
}

}  // namespace moravel
