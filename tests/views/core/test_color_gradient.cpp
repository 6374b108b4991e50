#include "views/core/ColorGradient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <vector>

namespace moravel {
namespace {

constexpr TColor kUntouched = 0xABCDEF;

// Builds a palette for N = n into a table with one spare entry above n.
std::vector<TColor> Build(const FunkyGradient& gradient, std::int32_t n) {
    std::vector<TColor> palette(static_cast<std::size_t>(n) + 2, kUntouched);
    gradient.BuildPalette(palette.data(), n);
    EXPECT_EQ(palette.back(), kUntouched) << "entry above N written";
    return palette;
}

// A gradient of the two ends only, `low` at 0.0 and `high` at 1.0.
FunkyGradient TwoPoints(TColor low, TColor high) {
    FunkyGradient gradient;
    gradient.SetColor(0, low);
    gradient.SetColor(1, high);
    return gradient;
}

TEST(ColorGradient, SoftGreenGivesItsColoursAtTheirIndicesWithTruncatedRampsBetween) {
    FunkyGradient gradient;
    ApplyPreset(gradient, kSoftGreenPreset);
    const std::vector<TColor> p = Build(gradient, 4000);
    EXPECT_EQ(p[0], 0x000000u);
    EXPECT_EQ(p[800], 0x00FF00u);
    EXPECT_EQ(p[2400], 0x00FFFFu);
    EXPECT_EQ(p[4000], 0x0080FFu);
    EXPECT_EQ(p[3], 0x000000u);     // 255 x 3/800 = 0.96
    EXPECT_EQ(p[4], 0x000100u);     // 1.275
    EXPECT_EQ(p[400], 0x007F00u);   // 127.5
    EXPECT_EQ(p[1600], 0x00FF7Fu);  // red 127.5 up from 0
    EXPECT_EQ(p[3200], 0x00C0FFu);  // green 255 - 63.5: toward zero gives 192, not 191
    for (int i = 1; i <= 800; ++i) {
        ASSERT_EQ(p[i] & 0xFF00FFu, 0u) << i;
        ASSERT_GE(p[i], p[i - 1]) << i;
    }
}

TEST(ColorGradient, FallingChannelsStepDownTruncatedTowardZero) {
    const std::vector<TColor> p = Build(TwoPoints(0xFFFFFF, 0x000000), 4);
    EXPECT_EQ(p[1], 0xC0C0C0u);  // 255 - 63.75
    EXPECT_EQ(p[2], 0x808080u);  // 255 - 127.5
    EXPECT_EQ(p[3], 0x404040u);  // 255 - 191.25
    EXPECT_EQ(p[4], 0x000000u);
}

TEST(ColorGradient, PointsAtOnePositionWriteOnlyTheEndColourInIndexOrder) {
    FunkyGradient gradient;
    gradient.SetGradient(0x000000, 0x0000FF, 0x00FF00, 0xFFFFFF, 0.5, 0.5);
    const std::vector<TColor> p = Build(gradient, 10);
    EXPECT_EQ(p[4], 0x0000CCu);  // black to red (point 2), 0.8 of the way
    EXPECT_EQ(p[5], 0x00FF00u);  // point 3 comes after point 2
    EXPECT_EQ(p[6], 0x33FF33u);  // green to white, 0.2 of the way
}

TEST(ColorGradient, CurvesOfTheLowerPointShapeTheSegment) {
    EXPECT_DOUBLE_EQ(CurveValue(InterpolationCurve::Polynomial, 2, 0.5), 0.25);
    EXPECT_DOUBLE_EQ(CurveValue(InterpolationCurve::Polynomial, -2, 0.5), 0.75);
    EXPECT_DOUBLE_EQ(CurveValue(InterpolationCurve::Polynomial, 0, 0.3), 0.3);
    EXPECT_NEAR(CurveValue(InterpolationCurve::Sinusoidal, 1, 1.0 / 3), 0.5, 1e-15);
    EXPECT_NEAR(CurveValue(InterpolationCurve::Sinusoidal, -1, 2.0 / 3), 0.5, 1e-15);
    EXPECT_NEAR(CurveValue(InterpolationCurve::Sinusoidal, -1, 0.0), 0.0, 1e-15);

    struct Case {
        InterpolationCurve curve;
        int item;
        TColor middle;  // N = 4, index 2, from black to 200 in each channel
    };
    for (const Case& c :
         {Case{InterpolationCurve::Polynomial, 3, 0x323232}, Case{InterpolationCurve::Polynomial, 5, 0x969696},
          Case{InterpolationCurve::Sinusoidal, 0, 0x8D8D8D}, Case{InterpolationCurve::Sinusoidal, 1, 0x3A3A3A}}) {
        FunkyGradient gradient = TwoPoints(0x000000, 0xC8C8C8);
        gradient.SetInterpolation(0, c.curve);
        if (c.curve == InterpolationCurve::Polynomial) {
            gradient.SelectPolyPower(0, c.item);
        } else {
            gradient.SelectSinusShape(0, c.item);
        }
        EXPECT_EQ(Build(gradient, 4)[2], c.middle) << "item " << c.item;
    }

    FunkyGradient upperOnly = TwoPoints(0x000000, 0xC8C8C8);
    upperOnly.SelectPolyPower(1, 3);
    EXPECT_EQ(Build(upperOnly, 4)[2], 0x646464u);
    EXPECT_THROW(upperOnly.SelectPolyPower(1, 9), std::out_of_range);
    EXPECT_THROW(upperOnly.SelectSinusShape(1, 2), std::out_of_range);
}

// The editor's strip is 237 pixels wide: points 2 at 0.3 and 3 at 0.7 span
// indices trunc(71.1) = 71 .. trunc(165.9) = 165, so index 118 is t = 0.5.
TEST(ColorGradient, PowersTwoAndMinusTwoAtTheEditorsStripWidth) {
    struct Case {
        int item;       // list position of the lower point's power
        TColor middle;  // index 118, from black toward 200 in each channel
        TColor next;    // index 119, t = 48/94
    };
    // Power 2: 200 x 0.25 = 50 and 200 x 0.2608 = 52.15; power -2: 200 x 0.75
    // = 150 and 200 x (1 - (46/94)^2) = 152.1; linear 100 and 102.1.
    for (const Case& c : {Case{3, 0x323232, 0x343434}, Case{5, 0x969696, 0x989898}, Case{4, 0x646464, 0x666666}}) {
        FunkyGradient gradient;
        gradient.SetGradient(0x000000, 0x000000, 0xC8C8C8, 0xFFFFFF, 0.3, 0.7);
        gradient.SelectPolyPower(2, c.item);
        gradient.SelectPolyPower(3, 0);  // the upper point's curve shapes only the segment above it
        const std::vector<TColor> p = Build(gradient, 237);
        EXPECT_EQ(p[71], 0x000000u) << c.item;
        EXPECT_EQ(p[118], c.middle) << c.item;
        EXPECT_EQ(p[119], c.next) << c.item;
        EXPECT_EQ(p[165], 0xC8C8C8u) << c.item;
    }
}

// Points at 0.5 and 0.501 fall on one index of the strip (trunc(118.5) =
// trunc(118.737) = 118): that segment has a = b, so the upper point's colour
// is all it writes, and both neighbouring ramps run up to it unchanged.
TEST(ColorGradient, PointsOnOneStripPixelWriteOnlyTheUpperColourThere) {
    FunkyGradient gradient;
    gradient.SetGradient(0x000000, 0x0000FF, 0x00FF00, 0xFFFFFF, 0.5, 0.501);
    const std::vector<TColor> p = Build(gradient, 237);
    EXPECT_EQ(p[117], 0x0000FCu);  // red 255 x 117/118 = 252.8
    EXPECT_EQ(p[118], 0x00FF00u);
    EXPECT_EQ(p[119], 0x02FF02u);  // green toward white, 255 x 1/119 = 2.1
    EXPECT_EQ(p[237], 0xFFFFFFu);
}

TEST(ColorGradient, SetGradientActivatesPointsTwoAndThreeOnceAndRoundTrips) {
    FunkyGradient gradient;
    EXPECT_EQ(gradient.ActiveCount(), 2);
    EXPECT_FALSE(gradient.Point(2).Active);
    const GradientValues values{{0x112233, 0x445566, 0x778899, 0xAABBCC}, {0.95, 0.3}};
    gradient.SetGradient(values);
    EXPECT_EQ(gradient.GetGradient(), values);
    EXPECT_TRUE(gradient.Point(2).Active);
    EXPECT_TRUE(gradient.Point(3).Active);
    EXPECT_FALSE(gradient.Point(4).Active);
    EXPECT_EQ(gradient.ActiveCount(), 4);

    gradient.SetInterpolation(2, InterpolationCurve::Sinusoidal);
    ApplyPreset(gradient, 2);
    EXPECT_EQ(gradient.ActiveCount(), 4);
    EXPECT_EQ(gradient.Point(2).Interpolation, InterpolationCurve::Sinusoidal);  // presets keep the curves
    EXPECT_EQ(gradient.GetGradient(), (GradientValues{{0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000}, {0.25, 0.6}}));
    EXPECT_STREQ(kPalettePresets[0].name, "Soft Blue");
    EXPECT_STREQ(kPalettePresets[kSoftGreenPreset].name, "Soft Green");
    EXPECT_THROW(ApplyPreset(gradient, 4), std::out_of_range);
}

TEST(ColorGradient, AddAndRemovePointsKeepTheEndsAndTheCount) {
    FunkyGradient gradient;
    for (int expected = 2; expected < kControlPointCount; ++expected) EXPECT_EQ(gradient.AddControlPoint(), expected);
    EXPECT_EQ(gradient.AddControlPoint(), std::nullopt);
    EXPECT_EQ(gradient.ActiveCount(), 9);

    EXPECT_EQ(gradient.RemoveCurrent(), std::nullopt);  // no current point
    gradient.SetCurrent(1);
    EXPECT_EQ(gradient.RemoveCurrent(), std::nullopt);  // the ends stay
    EXPECT_TRUE(gradient.Point(1).Active);
    gradient.SetCurrent(5);
    EXPECT_EQ(gradient.RemoveCurrent(), 5);
    EXPECT_EQ(gradient.Current(), std::nullopt);
    EXPECT_EQ(gradient.ActiveCount(), 8);
    EXPECT_EQ(gradient.AddControlPoint(), 5);
    EXPECT_THROW(gradient.SetCurrent(9), std::out_of_range);
}

TEST(ColorGradient, SetGradientAfterRemovingPointTwoActivatesOnlyPointTwo) {
    FunkyGradient gradient;
    ApplyPreset(gradient, 0);
    gradient.SetCurrent(2);
    gradient.RemoveCurrent();
    ApplyPreset(gradient, kSoftGreenPreset);
    EXPECT_TRUE(gradient.Point(2).Active);
    EXPECT_FALSE(gradient.Point(4).Active);
    EXPECT_EQ(gradient.ActiveCount(), 4);
}

TEST(ColorGradient, SizesOutsideTheTableThrowWithoutWriting) {
    const FunkyGradient gradient = TwoPoints(0x000000, 0xFFFFFF);
    std::vector<TColor> palette(kPaletteMaxN + 2, kUntouched);
    EXPECT_THROW(gradient.BuildPalette(palette.data(), -1), std::out_of_range);
    EXPECT_THROW(gradient.BuildPalette(palette.data(), kPaletteMaxN + 1), std::out_of_range);
    EXPECT_EQ(palette, std::vector<TColor>(kPaletteMaxN + 2, kUntouched));

    const std::vector<TColor> single = Build(gradient, 0);
    EXPECT_EQ(single[0], 0xFFFFFFu);

    SpectrogramPalette table;
    table.fill(kUntouched);
    EXPECT_THROW(ApplyGradientToPalette(gradient, table, 99, kPaletteMaxN + 1), std::out_of_range);
    EXPECT_EQ(table[0], kUntouched);
}

TEST(ColorGradient, DamagedPositionsAreClampedAndStayInsideTheTable) {
    FunkyGradient gradient;
    gradient.SetGradient(0x000000, 0x0000FF, 0x00FF00, 0xFFFFFF, 5.0, -3.0);
    EXPECT_EQ(gradient.GetGradient().alphas, (std::array<double, 2>{1.0, 0.0}));
    // Exactly 4001 entries on the heap, so a sanitizer build sees any overrun.
    std::vector<TColor> exact(kPaletteMaxN + 1, kUntouched);
    gradient.BuildPalette(exact.data(), kPaletteMaxN);
    Build(gradient, kPaletteMaxN);

    gradient.SetGradient(0, 0, 0, 0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(gradient.GetGradient().alphas, (std::array<double, 2>{0.0, 1.0}));
    gradient.SetPosition(4, 7.5);
    EXPECT_EQ(gradient.Point(4).Position, 1.0);
    EXPECT_THROW(gradient.SetPosition(1, 0.5), std::out_of_range);
}

TEST(ColorGradient, StripColoursComeFromTheStripBuildAndTheTableFromTheGainBuild) {
    FunkyGradient gradient;
    ApplyPreset(gradient, 0);
    SpectrogramPalette table;
    const std::vector<TColor> strip = ApplyGradientToPalette(gradient, table, 99, kPaletteMaxN);
    std::vector<TColor> expectedStrip = Build(gradient, 99);
    expectedStrip.pop_back();
    EXPECT_EQ(strip, expectedStrip);
    std::vector<TColor> expectedTable = Build(gradient, kPaletteMaxN);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), expectedTable.begin()));
}

}  // namespace
}  // namespace moravel
