// The fast sine's table and zones, and a transform worked out by hand with
// the twiddles that fast sine gives.
#include "dsp/FastTrig.h"
#include "dsp/Fourier2.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace moravel {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(FastTrig, TableHoldsTheSinesOfTheStepCentres) {
    FastSin(0.0f);  // builds the table
    EXPECT_EQ(LinearZone, 25);
    // The angles are accumulated in single precision and drift by a few
    // millionths of a radian over the table.
    for (int k = 0; k <= 256; ++k) {
        EXPECT_NEAR(SineTable[k], std::sin((k + 0.5) * kPi / 256), 1e-5) << "entry " << k;
    }
}

TEST(FastTrig, TableServesOnlyAwayFromTheZeroCrossings) {
    // π/4 lies at the start of step 64: the table gives the step centre's sine.
    EXPECT_EQ(FastSin(static_cast<float>(kPi / 4)), SineTable[64]);
    EXPECT_NEAR(FastSin(static_cast<float>(kPi / 4)), 0.7114, 1e-4);
    // Near zero the angle itself is returned.
    EXPECT_FLOAT_EQ(FastSin(0.3f), 0.3f);
    EXPECT_FLOAT_EQ(FastSin(-0.3f), -0.3f);
    // Steps 26 and 230 are the first and last served by the table.
    const auto middleOfStep = [](int step) { return static_cast<float>((step + 0.5) * kPi / 256); };
    EXPECT_EQ(FastSin(middleOfStep(26)), SineTable[26]);
    EXPECT_EQ(FastSin(middleOfStep(230)), SineTable[230]);
    EXPECT_NEAR(FastSin(middleOfStep(25)), middleOfStep(25), 1e-6);
    EXPECT_NEAR(FastSin(middleOfStep(231)), kPi - middleOfStep(231), 1e-6);
}

TEST(FastTrig, SignFollowsTheHalfTurn) {
    EXPECT_NEAR(FastSin(static_cast<float>(kPi + 0.1)), -0.1, 1e-6);
    EXPECT_NEAR(FastSin(static_cast<float>(-kPi - 0.1)), 0.1, 1e-6);
    EXPECT_EQ(FastSin(static_cast<float>(3 * kPi / 2)), -SineTable[128]);
    EXPECT_EQ(FastSin(static_cast<float>(-kPi / 2)), -SineTable[128]);
    EXPECT_EQ(FastCos(0.0f), SineTable[128]);
    EXPECT_TRUE(std::isnan(FastSin(NAN)));
}

// A 4-point forward transform of a unit impulse at point 1. Exactly it is
// (1, i, −1, −i); the fast-sine twiddle of the second stage is
// (1 − 2·T64², T128) instead of (0, 1), with T the sine table.
TEST(Fourier2, FourPointTransformByHand) {
    FastSin(0.0f);
    float a[9] = {42.0f, 0, 0, 1, 0, 0, 0, 0, 0};
    FftLength = 8;
    FftInverse = false;
    ComplexFFT(a);
    const float wpr = -2.0f * SineTable[64] * SineTable[64];
    const float wr = 1.0f * wpr - 0.0f + 1.0f;
    const float wi = SineTable[128];
    EXPECT_EQ(a[0], 42.0f);  // element 0 is never touched
    EXPECT_EQ(a[1], 1.0f);
    EXPECT_EQ(a[2], 0.0f);
    EXPECT_EQ(a[3], wr);
    EXPECT_EQ(a[4], wi);
    EXPECT_EQ(a[5], -1.0f);
    EXPECT_EQ(a[6], 0.0f);
    EXPECT_EQ(a[7], -wr);
    EXPECT_EQ(a[8], -wi);
    EXPECT_NEAR(wr, -0.0122, 1e-4);

    // The inverse direction conjugates the twiddles: the impulse lands at −i.
    float b[9] = {0, 0, 0, 1, 0, 0, 0, 0, 0};
    FftInverse = true;
    ComplexFFT(b);
    EXPECT_EQ(b[3], wr);
    EXPECT_EQ(b[4], -wi);
    EXPECT_EQ(b[7], -wr);
    EXPECT_EQ(b[8], wi);
}

}  // namespace
}  // namespace moravel
