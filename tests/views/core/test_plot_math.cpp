// The plots' arithmetic without a chart.
#include "views/core/PlotMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace moravel {
namespace {

TEST(SpectrumWindow, WidthByResolutionAndRange) {
    EXPECT_EQ(SpectrumWindowWidth(0, 0), 2000);
    EXPECT_EQ(SpectrumWindowWidth(0, 3), 4000);
    EXPECT_EQ(SpectrumWindowWidth(1, 0), 1000);
    EXPECT_EQ(SpectrumWindowWidth(1, 2), 3000);
    EXPECT_EQ(SpectrumWindowWidth(2, 1), 1000);
    EXPECT_EQ(SpectrumWindowWidth(-1, -1), 1000);  // no selection: "Medium" at the first range
}

TEST(FilterBand, PointsForEachType) {
    using P = std::vector<BandPoint>;
    EXPECT_EQ(FilterBandPoints(0, 1000, 200, 2000), (P{{0, 200}, {1000, 200}}));
    EXPECT_EQ(FilterBandPoints(1, 1000, 200, 2000), (P{{800, 200}, {1200, 200}}));
    EXPECT_EQ(FilterBandPoints(2, 100, 250, 2000), (P{{100, 200}, {2000, 200}}));
    EXPECT_EQ(FilterBandPoints(3, 1000, 200, 4250),
              (P{{0, 200}, {800, 200}, {801, 0}, {1199, 0}, {1200, 200}, {4250, 200}}));
    EXPECT_TRUE(FilterBandPoints(-1, 1000, 200, 2000).empty());
}

TEST(SpectrogramColour, GainAndOffsetExtremes) {
    // Gain 1 (range 4000) with offset 0 maps values one to one.
    EXPECT_EQ(SpectrogramColourIndex(0.0f, 0, 1, 4000), 0);
    EXPECT_EQ(SpectrogramColourIndex(1234.0f, 0, 1, 4000), 1234);
    EXPECT_EQ(SpectrogramColourIndex(99999.0f, 0, 1, 4000), 4000);
    EXPECT_EQ(SpectrogramColourIndex(-50.0f, 0, 1, 4000), 0);
    // Gain at its maximum: range 1, every value ≥ 1 − offset is the top colour.
    EXPECT_EQ(SpectrogramColourIndex(0.6f, 0, 4000, 4000), 4000);
    EXPECT_EQ(SpectrogramColourIndex(0.4f, 0, 4000, 4000), 0);
    // Offset 1000 on silence: round(min(1000, range) / range × 4000).
    EXPECT_EQ(SpectrogramColourIndex(0.0f, 1000, 1, 4000), 1000);
    EXPECT_EQ(SpectrogramColourIndex(0.0f, 1000, 2000, 4000), 1999);  // range 2001: 4000000 / 2001 = 1999.0005
    // The default gain 2000: range 2001; value 1 → round(4000 / 2001) = 2.
    EXPECT_EQ(SpectrogramColourIndex(1.0f, 0, 2000, 4000), 2);
    // Ties to even: value 2.5 rounds to 2.
    EXPECT_EQ(SpectrogramColourIndex(2.5f, 0, 1, 4000), 2);
    // Values no display can hold do not overflow.
    EXPECT_EQ(SpectrogramColourIndex(std::numeric_limits<float>::infinity(), 0, 1, 4000), 4000);
    EXPECT_EQ(SpectrogramColourIndex(std::nanf(""), 0, 1, 4000), 0);
}

TEST(SpectrogramScroll, AutoScrollPuttingTheNewestColumnRight) {
    // (900 − 600) / ((7812 + 1) / 1000) = 38.397 → 38
    EXPECT_EQ(AutoScrollPosition(900, 600, 7812), 38);
    EXPECT_LT(AutoScrollPosition(100, 600, 7812), 0);  // the scroll bar clamps it to 0
}

TEST(SpectrogramLabels, MinutesAndSeconds) {
    EXPECT_EQ(MinutesSeconds(0), "00:00");
    EXPECT_EQ(MinutesSeconds(75), "01:15");
    EXPECT_EQ(MinutesSeconds(3599), "59:59");
    EXPECT_EQ(MinutesSeconds(3675), "01:15");  // minutes of the hour
    EXPECT_EQ(MinutesSeconds(-5), "-00:05");
}

TEST(SpectrogramDoubleClick, CentresOrStopsAtTheTop) {
    EXPECT_EQ(CentredScrollPosition(1500, 1000, 4000), 1000);
    EXPECT_EQ(CentredScrollPosition(700.4, 1000, 4000), 200);
    EXPECT_EQ(CentredScrollPosition(9000, 3000, 4000), 2500);  // above the maximum: centred on it
}

}  // namespace
}  // namespace moravel
