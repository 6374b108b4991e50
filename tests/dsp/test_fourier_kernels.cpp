// The transform's kernels and shortcuts give the same bits as the transform
// written out plainly: bit reversal by the classic walk, then each stage with
// its twiddles made by the recurrence twiddle by twiddle, butterfly by
// butterfly in scalar single precision. Every power-of-two size from 1 to
// 32768 points (the engine uses 512..16384), both directions, random inputs
// with zeros of both signs among them.
#include "dsp/FastTrig.h"
#include "dsp/Fourier2.h"
#include "dsp/FourierKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

namespace moravel {
namespace {

constexpr std::uint32_t kLargestPoints = 32768;

// The plain transform, kept here as the definition the fast paths must match.
void referenceTransform(float* a, std::uint32_t n, bool inverse) {
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
    const float sign = inverse ? -1.0f : 1.0f;
    for (std::uint32_t mmax = 2; n > mmax; mmax *= 2) {
        const float theta = sign * (2 * std::numbers::pi_v<float>) / static_cast<float>(mmax);
        float wtemp = FastSin(theta / 2);
        const float wpr = -2.0f * wtemp * wtemp;
        const float wpi = FastSin(theta);
        float wr = 1.0f;
        float wi = 0.0f;
        for (std::uint32_t m = 1; m < mmax; m += 2) {
            for (std::uint32_t i = m; i <= n; i += 2 * mmax) {
                const std::uint32_t k = i + mmax;
                const float tempr = wr * a[k] - wi * a[k + 1];
                const float tempi = wr * a[k + 1] + wi * a[k];
                a[k] = a[i] - tempr;
                a[k + 1] = a[i + 1] - tempi;
                a[i] = a[i] + tempr;
                a[i + 1] = a[i + 1] + tempi;
            }
            wtemp = wr;
            wr = wr * wpr - wi * wpi + wr;
            wi = wi * wpr + wtemp * wpi + wi;
        }
    }
}

// n + 1 floats: a[0] a guard, then `points` random points in −32768..32768,
// one in eight of them a zero of random sign.
std::vector<float> randomPoints(std::uint32_t points, std::mt19937& random) {
    std::uniform_real_distribution<float> value(-32768.0f, 32768.0f);
    std::uniform_int_distribution<int> eighth(0, 7);
    std::vector<float> a(2 * points + 1);
    a[0] = 7.25f;
    for (std::size_t e = 1; e < a.size(); ++e) {
        a[e] = eighth(random) == 0 ? (eighth(random) < 4 ? 0.0f : -0.0f) : value(random);
    }
    return a;
}

bool sameBits(const std::vector<float>& x, const std::vector<float>& y) {
    return x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size() * sizeof(float)) == 0;
}

std::vector<fourier::Kernel> kernelsOfThisCpu() {
    std::vector<fourier::Kernel> kernels{fourier::Kernel::kScalar, fourier::Kernel::kSse2};
    if (fourier::CpuHasAvx2()) kernels.push_back(fourier::Kernel::kAvx2);
    return kernels;
}

TEST(FourierKernels, EveryKernelMatchesThePlainTransformBitForBitAtEverySize) {
    std::mt19937 random(20261208);
    for (const bool inverse : {false, true}) {
        for (std::uint32_t points = 1; points <= kLargestPoints; points *= 2) {
            const std::vector<float> input = randomPoints(points, random);
            std::vector<float> expected = input;
            referenceTransform(expected.data(), 2 * points, inverse);
            for (const fourier::Kernel kernel : kernelsOfThisCpu()) {
                std::vector<float> got = input;
                fourier::Transform(got.data(), 2 * points, inverse, kernel);
                EXPECT_TRUE(sameBits(got, expected))
                    << points << " points, inverse " << inverse << ", kernel " << static_cast<int>(kernel);
            }
        }
    }
}

TEST(FourierKernels, Avx2AndSse2GiveIdenticalBitsAtEverySize) {
    if (!fourier::CpuHasAvx2()) GTEST_SKIP() << "this CPU has no AVX2; only the SSE2 and scalar kernels run here";
    std::mt19937 random(15);
    for (const bool inverse : {false, true}) {
        for (std::uint32_t points = 1; points <= kLargestPoints; points *= 2) {
            for (int trial = 0; trial < 3; ++trial) {
                const std::vector<float> input = randomPoints(points, random);
                std::vector<float> sse2 = input;
                std::vector<float> avx2 = input;
                fourier::Transform(sse2.data(), 2 * points, inverse, fourier::Kernel::kSse2);
                fourier::Transform(avx2.data(), 2 * points, inverse, fourier::Kernel::kAvx2);
                EXPECT_TRUE(sameBits(sse2, avx2)) << points << " points, inverse " << inverse;
            }
        }
    }
}

TEST(FourierKernels, ComplexFftUsesTheGlobalLengthAndDirectionAndLeavesElementZero) {
    std::mt19937 random(3);
    for (const bool inverse : {false, true}) {
        const std::vector<float> input = randomPoints(4096, random);
        std::vector<float> expected = input;
        referenceTransform(expected.data(), 8192, inverse);
        std::vector<float> got = input;
        FftLength = 8192;
        FftInverse = inverse;
        ComplexFFT(got.data());
        EXPECT_TRUE(sameBits(got, expected));
        EXPECT_EQ(got[0], 7.25f);
    }
}

TEST(FourierKernels, BitReversedPositionsAreTheReversedIndexBits) {
    // 8 points: 0..7 reversed in three bits.
    const std::uint32_t* eight = BitReversedPositions(8);
    const std::uint32_t expected[8] = {0, 4, 2, 6, 1, 5, 3, 7};
    for (int p = 0; p < 8; ++p) EXPECT_EQ(eight[p], expected[p]) << p;
    // 16384 points: point 1 goes to the top bit, point 3 to the top two.
    const std::uint32_t* large = BitReversedPositions(16384);
    EXPECT_EQ(large[1], 8192u);
    EXPECT_EQ(large[3], 8192u + 4096u);
    EXPECT_EQ(large[16383], 16383u);
}

// The engine fills its zero-padded transforms (real values in the first half
// of the points, zeros elsewhere) straight into the state after the first
// stage: x + 0 at the value's reversed position, x at the next. This checks
// that shortcut against the whole transform, with −0 among the values (the
// one value for which x + 0 differs from x).
TEST(FourierKernels, ZeroPaddedRealInputMayStartAtTheSecondStage) {
    std::mt19937 random(8);
    for (const bool inverse : {false, true}) {
        for (std::uint32_t points = 2; points <= kLargestPoints; points *= 2) {
            const std::vector<float> values = randomPoints(points / 2, random);  // reals at odd elements
            std::vector<float> full(2 * points + 1, 0.0f);
            std::vector<float> shortcut(2 * points + 1, 0.0f);
            const std::uint32_t* position = BitReversedPositions(points);
            for (std::uint32_t p = 0; p < points / 2; ++p) {
                const float x = values[2 * p + 1];
                full[2 * p + 1] = x;
                shortcut[2 * position[p] + 1] = x + 0.0f;
                shortcut[2 * position[p] + 3] = x;
            }
            FftLength = static_cast<std::int32_t>(2 * points);
            FftInverse = inverse;
            ComplexFFT(full.data());
            ComplexFFTReordered(shortcut.data(), 4);
            EXPECT_TRUE(sameBits(full, shortcut)) << points << " points, inverse " << inverse;
        }
    }
}

TEST(FourierKernels, RealInputWrittenInReversedOrderSkipsTheReversal) {
    std::mt19937 random(9);
    for (std::uint32_t points = 1; points <= 8192; points *= 2) {
        const std::vector<float> values = randomPoints(points, random);
        std::vector<float> full(2 * points + 1, 0.0f);
        std::vector<float> reordered(2 * points + 1, 0.0f);
        const std::uint32_t* position = BitReversedPositions(points);
        for (std::uint32_t p = 0; p < points; ++p) {
            full[2 * p + 1] = values[2 * p + 1];
            reordered[2 * position[p] + 1] = values[2 * p + 1];
        }
        FftLength = static_cast<std::int32_t>(2 * points);
        FftInverse = false;
        ComplexFFT(full.data());
        ComplexFFTReordered(reordered.data(), 2);
        EXPECT_TRUE(sameBits(full, reordered)) << points << " points";
    }
}

}  // namespace
}  // namespace moravel
