// The main window's rectangle at start: the stored size fitted to the
// screen's available area and centred on it.
#include "app/core/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

namespace moravel {

std::ostream& operator<<(std::ostream& out, const PlacementRect& r) {
    return out << '(' << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ')';
}

namespace {

const PlacementRect kScreen{0, 0, 1280, 900};
// A second monitor to the right, with a 32-pixel panel along its top.
const PlacementRect kRightScreen{1280, 32, 1280, 868};

TEST(WindowPlacement, AStoredSizeThatFitsIsCentredAsItIs) {
    // (1280 - 700) / 2 = 290, (900 - 500) / 2 = 200.
    EXPECT_EQ(PlaceWindow(700, 500, 640, 400, kScreen), (PlacementRect{290, 200, 700, 500}));
    // Leftovers 579 and 399: the odd pixel goes to the right and bottom margin.
    EXPECT_EQ(PlaceWindow(701, 501, 640, 400, kScreen), (PlacementRect{289, 199, 701, 501}));
    // 1280 + (1280 - 700) / 2 = 1570, 32 + (868 - 500) / 2 = 216.
    EXPECT_EQ(PlaceWindow(700, 500, 640, 400, kRightScreen), (PlacementRect{1570, 216, 700, 500}));
    EXPECT_EQ(PlaceWindow(1280, 900, 640, 400, kScreen), kScreen);
}

TEST(WindowPlacement, ASizeFromALargerDesktopIsCutToTheArea) {
    // Written on a 3000 x 2500 desktop: centring alone put it at (-860, -800).
    EXPECT_EQ(PlaceWindow(3000, 2500, 640, 400, kScreen), kScreen);
    EXPECT_EQ(PlaceWindow(3000, 2500, 640, 400, kRightScreen), kRightScreen);
    // Only one side too large: the other keeps its size and stays centred.
    EXPECT_EQ(PlaceWindow(3000, 500, 640, 400, kScreen), (PlacementRect{0, 200, 1280, 500}));
}

TEST(WindowPlacement, DamagedValuesGiveAUsableWindow) {
    // A height of 100000 becomes the area's 900; the width stays centred.
    EXPECT_EQ(PlaceWindow(700, 100000, 640, 400, kScreen), (PlacementRect{290, 0, 700, 900}));
    EXPECT_EQ(PlaceWindow(INT_MAX, INT_MAX, 640, 400, kScreen), kScreen);
    // Zero and negative sizes give the minimum: (1280 - 640) / 2 = 320, (900 - 400) / 2 = 250.
    EXPECT_EQ(PlaceWindow(0, -20, 640, 400, kScreen), (PlacementRect{320, 250, 640, 400}));
    EXPECT_EQ(PlaceWindow(INT_MIN, 0, 640, 400, kScreen), (PlacementRect{320, 250, 640, 400}));
    // Below the minimum but positive: raised to it.
    EXPECT_EQ(PlaceWindow(300, 399, 640, 400, kScreen), (PlacementRect{320, 250, 640, 400}));
    // A minimum below 1 counts as 1: (1280 - 1) / 2 = 639, (900 - 1) / 2 = 449.
    EXPECT_EQ(PlaceWindow(0, -5, 0, -3, kScreen), (PlacementRect{639, 449, 1, 1}));
}

TEST(WindowPlacement, AMinimumLargerThanTheAreaStartsAtItsCorner) {
    // The window cannot be smaller than its layout allows; starting at the
    // area's corner keeps the menu bar reachable.
    EXPECT_EQ(PlaceWindow(3000, 2500, 1400, 1000, kScreen), (PlacementRect{0, 0, 1400, 1000}));
    EXPECT_EQ(PlaceWindow(700, 500, 1400, 1000, kRightScreen), (PlacementRect{1280, 32, 1400, 1000}));
    // Only the width too large: the height is still fitted and centred.
    EXPECT_EQ(PlaceWindow(700, 500, 1400, 400, kScreen), (PlacementRect{0, 200, 1400, 500}));
}

}  // namespace
}  // namespace moravel
