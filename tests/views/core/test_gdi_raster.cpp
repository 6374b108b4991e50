#include "views/core/GdiRaster.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "PixelChecks.h"

namespace moravel {
namespace {

using test::ExpectPixels;

constexpr TColor kInk = 0x0000AA;

int CountInk(const GdiRaster& r) {
    int count = 0;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) count += r.Pixel(x, y) == kInk;
    return count;
}

TEST(GdiRaster, RectangleExcludesRightAndBottomEdgesAndIsNormalised) {
    GdiRaster r(6, 6);
    r.FillRect(1, 1, 4, 3, kInk);
    EXPECT_EQ(CountInk(r), 6);
    ExpectPixels(r, {{1, 1, kInk}, {3, 2, kInk}, {4, 2, 0}, {3, 3, 0}, {0, 1, 0}});

    GdiRaster swapped(6, 6);
    swapped.FillRect(4, 3, 1, 1, kInk);
    EXPECT_EQ(swapped, r);
}

TEST(GdiRaster, ClipsOutsideAndDrawsNothingForEmptyRectangles) {
    GdiRaster r(4, 3);
    r.FillRect(-5, -5, 100, 1, kInk);
    EXPECT_EQ(CountInk(r), 4);
    r.FillRect(2, 0, 2, 3, 0x111111);
    r.FillRect(10, 10, 20, 20, 0x111111);
    EXPECT_EQ(CountInk(r), 4);
}

TEST(GdiRaster, LineLeavesEndPointAndDrawsPolylineCornerOnce) {
    GdiRaster r(5, 5);
    r.MoveTo(0, 0);
    r.LineTo(3, 0, kInk);
    EXPECT_EQ(CountInk(r), 3);
    EXPECT_EQ(r.Pixel(3, 0), 0u);
    r.LineTo(3, 3, 0x00BB00);
    ExpectPixels(r, {{0, 0, kInk}, {2, 0, kInk}, {3, 0, 0x00BB00}, {3, 2, 0x00BB00}, {3, 3, 0}});

    // Leftwards and upwards: the start point is drawn, the end point is not.
    GdiRaster back(5, 5);
    back.MoveTo(4, 4);
    back.LineTo(1, 4, kInk);
    back.LineTo(1, -1, kInk);
    EXPECT_EQ(CountInk(back), 8);
    ExpectPixels(back, {{4, 4, kInk}, {1, 4, kInk}, {0, 4, 0}, {1, 0, kInk}});

    EXPECT_THROW(r.LineTo(0, 1, kInk), std::invalid_argument);
}

}  // namespace
}  // namespace moravel
