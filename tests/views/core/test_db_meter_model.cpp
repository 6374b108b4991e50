#include "views/core/DbMeterModel.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "PixelChecks.h"

namespace moravel {
namespace {

using namespace dbmcolor;
using test::ExpectPixels;

DbMeterProperties At(std::int32_t position, DbMeterProperties p = {}) {
    p.Position = position;
    return p;
}

DbMeterProperties Zones(std::int32_t greens, std::int32_t yellows, std::int32_t reds) {
    DbMeterProperties p;
    p.Greens = greens;
    p.Yellows = yellows;
    p.Reds = reds;
    return p;
}

TEST(DbMeterLitCount, DefaultMeter) {
    const std::vector<std::pair<std::int32_t, std::int64_t>> expected = {
        {0, 0}, {1, 1}, {50, 3}, {51, 4}, {75, 5}, {76, 6}, {100, 6}, {1000, 6}, {INT_MAX, 6}};
    for (const auto& [position, shown] : expected) {
        EXPECT_EQ(ShownSegments(At(position)), shown) << "position " << position;
    }
    // Position 1 rounds to no segment; only the drawn count raises it.
    EXPECT_EQ(LitSegments(At(1)), 0);
}

TEST(DbMeterLitCount, NegativePositionLightsNothing) {
    for (std::int32_t position : {-1, -8, -9, -50, -1000, INT_MIN}) {
        EXPECT_LE(ShownSegments(At(position)), 0) << "position " << position;
    }
}

TEST(DbMeterLitCount, ZonesWithoutSegments) {
    // No yellows: the yellow range vanishes, red starts right after green.
    const DbMeterProperties noYellow = Zones(3, 0, 1);
    EXPECT_EQ(ShownSegments(At(50, noYellow)), 3);
    EXPECT_EQ(ShownSegments(At(51, noYellow)), 4);
    EXPECT_EQ(ShownSegments(At(75, noYellow)), 4);
    // No greens: the yellow zone starts at 0 and its first segment lights at once.
    const DbMeterProperties noGreen = Zones(0, 2, 1);
    EXPECT_EQ(ShownSegments(At(0, noGreen)), 0);
    EXPECT_EQ(ShownSegments(At(1, noGreen)), 1);
    EXPECT_EQ(ShownSegments(At(20, noGreen)), 2);
    EXPECT_EQ(ShownSegments(At(26, noGreen)), 3);
    // No reds: anything above the yellow zone fills the meter.
    EXPECT_EQ(ShownSegments(At(76, Zones(3, 2, 0))), 5);
    // No segments at all.
    EXPECT_EQ(ShownSegments(At(0, Zones(0, 0, 0))), 0);
    EXPECT_EQ(ShownSegments(At(500, Zones(0, 0, 0))), 0);
}

TEST(DbMeterLitCount, RoundsTiesToEvenInEveryZone) {
    // Exact binary shares make true ties: 10/4 x 1 = 2.5, 10/4 x 3 = 7.5.
    DbMeterProperties p = Zones(10, 4, 4);
    p.GreenMax = 4;
    p.YellowMax = 8;
    p.RedMax = 8;
    EXPECT_EQ(LitSegments(At(1, p)), 2);
    EXPECT_EQ(LitSegments(At(3, p)), 8);
    EXPECT_EQ(LitSegments(At(4 + 5, p)), 10 + 2);      // 4/8 x 5 = 2.5
    EXPECT_EQ(LitSegments(At(4 + 8 + 3, p)), 14 + 2);  // 4/8 x 3 = 1.5
}

TEST(DbMeterLitCount, ExtremeRangesDoNotOverflow) {
    DbMeterProperties p;
    p.GreenMax = INT_MAX - 1;
    p.YellowMax = INT_MAX;
    p.RedMax = INT_MAX;
    EXPECT_EQ(ShownSegments(At(INT_MAX, p)), 4);  // 3 greens full, yellow zone entered
    EXPECT_EQ(ShownSegments(At(INT_MAX / 3, p)), 1);
    EXPECT_EQ(ShownSegments(At(INT_MIN, p)), -3);
}

TEST(DbMeterBevelWidth, ZeroOrMoreThanAThirdBecomesOne) {
    EXPECT_EQ(NormalisedBevelWidth(10, 80, 9), 1);
    EXPECT_EQ(NormalisedBevelWidth(3, 80, 9), 3);
    EXPECT_EQ(NormalisedBevelWidth(4, 80, 9), 1);
    EXPECT_EQ(NormalisedBevelWidth(0, 80, 17), 1);
    EXPECT_EQ(NormalisedBevelWidth(5, 80, 17), 5);
    EXPECT_EQ(NormalisedBevelWidth(3, 8, 100), 1);
    EXPECT_EQ(NormalisedBevelWidth(2, 8, 100), 2);
}

// The default meter, 80 x 17: six segments of 13 pixels at x = 0, 13, ... 65,
// rows 0..15; separators at 13i - 1; the last column and row are the frame's.
// Position 60 lights 3 greens and the first yellow.
TEST(DbMeterRender, DefaultHorizontal) {
    const GdiRaster r = RenderDbMeter(At(60), 80, 17);
    ExpectPixels(r, {{6, 8, kLime},
                     {12, 8, kSilver},
                     {13, 8, kLime},
                     {25, 8, kSilver},
                     {26, 8, kLime},
                     {38, 8, kSilver},
                     {39, 8, kYellow},
                     {51, 8, kSilver},
                     {52, 8, kGray},
                     {64, 8, kSilver},
                     {65, 8, kGray},
                     {77, 8, kSilver},
                     {78, 8, kSilver},
                     {6, 15, kLime}});
    // Frame: top row and left column gray, bottom row and right column white.
    ExpectPixels(r, {{6, 0, kGray},
                     {0, 8, kGray},
                     {0, 15, kGray},
                     {79, 0, kGray},
                     {79, 8, kWhite},
                     {6, 16, kWhite},
                     {0, 16, kWhite},
                     {79, 16, kWhite}});
}

// Mirrored, segment i covers [79 - 13i, 79 - 13(i - 1)); each separator's
// surviving pixel is at the start of the segment before it.
TEST(DbMeterRender, MirroredHorizontal) {
    DbMeterProperties p = At(60);
    p.Direction = tdbmeterdirection::ddLeftUp;
    const GdiRaster r = RenderDbMeter(p, 80, 17);
    ExpectPixels(r, {{78, 8, kLime},
                     {79, 8, kWhite},
                     {67, 8, kLime},
                     {66, 8, kSilver},
                     {65, 8, kLime},
                     {53, 8, kSilver},
                     {52, 8, kLime},
                     {40, 8, kSilver},
                     {39, 8, kYellow},
                     {28, 8, kYellow},
                     {27, 8, kSilver},
                     {26, 8, kGray},
                     {14, 8, kSilver},
                     {13, 8, kGray},
                     {2, 8, kGray},
                     {1, 8, kSilver},
                     {0, 8, kGray},
                     {78, 15, kLime},
                     {78, 16, kWhite}});
}

TEST(DbMeterRender, Vertical) {
    DbMeterProperties p = At(100);
    p.Style = DbMeterStyle::dsVertical;
    const GdiRaster down = RenderDbMeter(p, 17, 80);
    ExpectPixels(down, {{8, 6, kLime},
                        {8, 12, kSilver},
                        {8, 13, kLime},
                        {8, 40, kYellow},
                        {15, 40, kYellow},
                        {8, 70, kRed},
                        {8, 77, kSilver},
                        {8, 78, kSilver},
                        {16, 40, kWhite},
                        {8, 79, kWhite},
                        {8, 0, kGray},
                        {0, 40, kGray},
                        {0, 78, kGray},
                        {0, 79, kWhite}});
    p.Position = 60;
    p.Direction = tdbmeterdirection::ddLeftUp;
    const GdiRaster up = RenderDbMeter(p, 17, 80);
    ExpectPixels(up, {{8, 78, kLime},
                      {8, 79, kWhite},
                      {8, 66, kSilver},
                      {8, 39, kYellow},
                      {8, 40, kSilver},
                      {8, 20, kGray},
                      {8, 1, kSilver},
                      {8, 0, kGray}});
}

TEST(DbMeterRender, ShowJustOneLightsOnlyTheTopSegment) {
    DbMeterProperties p = At(60);  // four segments lit normally
    p.ShowJustOne = true;
    p.GreenBack = 0x000001;
    p.YellowBack = 0x000002;
    p.RedBack = 0x000003;
    const GdiRaster r = RenderDbMeter(p, 80, 17);
    ExpectPixels(r, {{6, 8, 0x000001},
                     {20, 8, 0x000001},
                     {30, 8, 0x000001},
                     {45, 8, kYellow},
                     {58, 8, 0x000002},
                     {70, 8, 0x000003}});
}

// Frame two pixels thick: the second colour's lines are drawn last and own the
// top-right corner; the left edge stops above the bottom frame.
TEST(DbMeterRender, BevelStyles) {
    DbMeterProperties p = At(100);
    p.BevelWidth = 2;
    ExpectPixels(RenderDbMeter(p, 80, 17), {{0, 0, kGray},
                                            {1, 1, kGray},
                                            {79, 0, kGray},
                                            {79, 1, kGray},
                                            {78, 1, kGray},
                                            {78, 2, kWhite},
                                            {79, 2, kWhite},
                                            {1, 14, kGray},
                                            {0, 15, kWhite},
                                            {1, 15, kWhite},
                                            {2, 14, kLime},
                                            {2, 2, kLime},
                                            {77, 8, kSilver},
                                            {78, 8, kWhite}});
    p.BevelWidth = 1;
    p.BevelStyle = BevelCut::bvRaised;
    ExpectPixels(RenderDbMeter(p, 80, 17),
                 {{0, 0, kWhite}, {0, 8, kWhite}, {79, 0, kWhite}, {79, 8, kGray}, {8, 16, kGray}, {0, 16, kGray}});
    p.BevelStyle = BevelCut::bvSpace;
    EXPECT_EQ(RenderDbMeter(p, 80, 17), RenderDbMeter(At(100), 80, 17));
    p.BevelStyle = BevelCut::bvNone;
    ExpectPixels(RenderDbMeter(p, 80, 17),
                 {{0, 0, kLime}, {0, 15, kLime}, {0, 16, kSilver}, {76, 8, kRed}, {77, 8, kSilver}, {79, 8, kSilver}});
    // A width too large for the size is drawn as 1.
    p.BevelStyle = BevelCut::bvLowered;
    p.BevelWidth = 6;
    EXPECT_EQ(RenderDbMeter(p, 80, 17), RenderDbMeter(At(100), 80, 17));
}

void ExpectOnlySeparatorColourInside(const GdiRaster& r) {
    for (int y = 1; y < r.Height() - 1; ++y)
        for (int x = 1; x < r.Width() - 1; ++x) ASSERT_EQ(r.Pixel(x, y), kSilver) << x << ", " << y;
    ExpectPixels(r, {{0, 5, kGray}, {r.Width() - 1, 5, kWhite}, {5, 0, kGray}, {5, r.Height() - 1, kWhite}});
}

TEST(DbMeterRender, NoSegmentsLeaveBackgroundAndFrame) {
    // Segment length 10 div 6 = 1 is not larger than the separator width.
    ExpectOnlySeparatorColourInside(RenderDbMeter(At(100), 10, 17));
    ExpectOnlySeparatorColourInside(RenderDbMeter(At(100, Zones(0, 0, 0)), 80, 17));
}

TEST(DbMeterRender, DegenerateSizesAreClipped) {
    EXPECT_EQ(RenderDbMeter(At(100), 0, 0).Width(), 0);
    // Only the start of the right edge falls inside a 1 x 1 meter.
    const GdiRaster one = RenderDbMeter(At(100), 1, 1);
    EXPECT_EQ(one.Pixel(0, 0), kWhite);
}

}  // namespace
}  // namespace moravel
