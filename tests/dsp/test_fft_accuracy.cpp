// ComplexFFT against a direct DFT in long double with exact sines.
//
// The transform takes its twiddles from FastSin (table sines at step centres),
// so its error is dominated by the twiddles, not by float rounding; the bound
// below is derived from FastSin itself, stage by stage.

#include "dsp/FastTrig.h"
#include "dsp/Fourier2.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

namespace moravel {
namespace {

using Cf = std::complex<float>;
using Cld = std::complex<long double>;
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr float kGuard = -12345.5f;

// Runs ComplexFFT on the points `x` (point p at a[2p+1], a[2p+2]) and checks
// that a[0] is left alone.
std::vector<Cf> Transform(const std::vector<Cf>& x, bool inverse) {
    const std::size_t points = x.size();
    std::vector<float> a(2 * points + 1);
    a[0] = kGuard;
    for (std::size_t p = 0; p < points; ++p) {
        a[2 * p + 1] = x[p].real();
        a[2 * p + 2] = x[p].imag();
    }
    FftLength = static_cast<std::int32_t>(2 * points);
    FftInverse = inverse;
    ComplexFFT(a.data());
    EXPECT_EQ(a[0], kGuard) << "element 0 must not be touched";
    std::vector<Cf> y(points);
    for (std::size_t p = 0; p < points; ++p) y[p] = {a[2 * p + 1], a[2 * p + 2]};
    return y;
}

// X[k] = Σ x[n]·e^{+2πi·kn/P} forward, e^{−2πi·kn/P} inverse, unscaled.
std::vector<Cld> DirectDft(const std::vector<Cf>& x, bool inverse) {
    const std::size_t points = x.size();
    std::vector<Cld> root(points);
    for (std::size_t j = 0; j < points; ++j) {
        const long double angle = (inverse ? -2 : 2) * kPi * static_cast<long double>(j) / points;
        root[j] = {std::cos(angle), std::sin(angle)};
    }
    std::vector<Cld> out(points);
    for (std::size_t k = 0; k < points; ++k) {
        long double re = 0;
        long double im = 0;
        std::size_t index = 0;  // k·n mod P, k < P
        for (std::size_t n = 0; n < points; ++n) {
            const Cld w = root[index];
            re += x[n].real() * w.real() - x[n].imag() * w.imag();
            im += x[n].real() * w.imag() + x[n].imag() * w.real();
            index += k;
            if (index >= points) index -= points;
        }
        out[k] = {re, im};
    }
    return out;
}

// Bound on ||FFT(x) − DFT(x)|| / ||DFT(x)||.
//
// A butterfly maps (a, b) to (a + w·b, a − w·b); every exact stage multiplies
// the norm by √2. If the stage uses w + e instead of w, the error it adds is
// (e·b, −e·b), of norm √2·|e|·|b|, so over a stage with |e| ≤ ε the added error
// is at most ε times the norm of the exact stage output. Chaining the S stages
// (the bit reversal is an exact permutation) gives the relative bound
// Π(1 + ε_s) − 1.
//
// The stage of half-width h points turns by θ = ±π/h. It builds its twiddles
// from ρ = (1 − 2·FastSin(θ/2)²) + i·FastSin(θ): the m-th twiddle is ρ^m
// instead of e^{imθ}, for m = 0..h−1. Since
//   |ρ^m − e^{imθ}| ≤ m·|ρ − e^{iθ}|·max(1, |ρ|)^{m−1},
// ε_s follows from the FastSin error at the two stage angles. Float rounding
// adds per recurrence step and per butterfly about 4 units of 2^−24 each;
// that is included but only matters at the largest stages.
long double ErrorBound(std::size_t points, bool inverse) {
    constexpr long double kUnit = 1.0L / (1 << 24);
    const long double sign = inverse ? -1 : 1;
    long double growth = 1;
    for (std::size_t h = 1; h < points; h *= 2) {
        const long double theta = sign * kPi / static_cast<long double>(h);
        const long double half = FastSin(static_cast<float>(theta / 2));
        const Cld rho(1 - 2 * half * half, FastSin(static_cast<float>(theta)));
        const long double stepError = std::abs(rho - std::polar(1.0L, theta)) + 4 * kUnit;
        const long double m = static_cast<long double>(h - 1);
        const long double drift = m > 0 ? std::pow(std::max(1.0L, std::abs(rho)), m - 1) : 1;
        growth *= 1 + m * stepError * drift + 4 * kUnit;
    }
    return growth - 1;
}

long double RelativeRmsError(const std::vector<Cf>& got, const std::vector<Cld>& want) {
    long double error = 0;
    long double norm = 0;
    for (std::size_t k = 0; k < want.size(); ++k) {
        error += std::norm(Cld(got[k].real(), got[k].imag()) - want[k]);
        norm += std::norm(want[k]);
    }
    return std::sqrt(error / norm);
}

TEST(FftAccuracy, RandomInputsMatchDirectDftWithinTwiddleBound) {
    std::mt19937 gen(20240601);
    std::uniform_real_distribution<float> value(-1000.0f, 1000.0f);
    for (const std::size_t points : {4, 8, 16, 32, 64, 256, 1024, 4096, 16384}) {
        std::vector<Cf> x(points);
        for (auto& v : x) v = {value(gen), value(gen)};
        for (const bool inverse : {false, true}) {
            SCOPED_TRACE(testing::Message() << "P=" << points << " inverse=" << inverse);
            const long double bound = ErrorBound(points, inverse);
            // The bound must stay far below the ~√2 error of a transform in
            // the wrong direction or with scrambled points.
            ASSERT_LT(bound, 0.2L);
            EXPECT_LE(RelativeRmsError(Transform(x, inverse), DirectDft(x, inverse)), bound);
        }
    }
}

TEST(FftAccuracy, ComplexExponentialLandsOnMirroredBinForwardAndOwnBinInverse) {
    for (const std::size_t points : {std::size_t{8}, std::size_t{1024}, std::size_t{16384}}) {
        for (const std::size_t k0 : {std::size_t{1}, std::size_t{3}, points / 2 - 1}) {
            std::vector<Cf> x(points);
            for (std::size_t n = 0; n < points; ++n) {
                const long double angle = 2 * kPi * static_cast<long double>((k0 * n) % points) / points;
                x[n] = {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
            }
            for (const bool inverse : {false, true}) {
                SCOPED_TRACE(testing::Message() << "P=" << points << " k0=" << k0 << " inverse=" << inverse);
                const std::vector<Cf> y = Transform(x, inverse);
                const std::size_t expected = inverse ? k0 : points - k0;
                const long double bound = ErrorBound(points, inverse);
                long double leakage = 0;
                for (std::size_t k = 0; k < points; ++k) {
                    if (k != expected) leakage += std::norm(Cld(y[k].real(), y[k].imag()));
                }
                const auto p = static_cast<long double>(points);
                EXPECT_NEAR(std::abs(y[expected]) / p, 1.0L, bound);
                EXPECT_LE(std::sqrt(leakage) / p, bound);
            }
        }
    }
}

TEST(FftAccuracy, RealImpulseAtPointZeroIsExactlyFlat) {
    for (const std::size_t points : {std::size_t{4}, std::size_t{64}, std::size_t{16384}}) {
        std::vector<Cf> x(points);
        x[0] = {1.0f, 0.0f};
        for (const bool inverse : {false, true}) {
            SCOPED_TRACE(testing::Message() << "P=" << points << " inverse=" << inverse);
            const std::vector<Cf> y = Transform(x, inverse);
            const auto flat = std::count(y.begin(), y.end(), Cf(1.0f, 0.0f));
            EXPECT_EQ(static_cast<std::size_t>(flat), points);
        }
    }
}

}  // namespace
}  // namespace moravel
