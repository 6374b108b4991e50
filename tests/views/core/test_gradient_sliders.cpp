#include "views/core/GradientSliders.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

// The editor's geometry: strip at x = 16, 237 pixels wide, buttons 10 wide.
const SliderGeometry kEditor{16, 237, 10};

TEST(GradientSliders, PositionIsTheButtonCentreAlongTheStrip) {
    EXPECT_DOUBLE_EQ(SliderPosition(11, kEditor), 0.0);   // centre 16: the strip's left edge
    EXPECT_DOUBLE_EQ(SliderPosition(248, kEditor), 1.0);  // centre 253: its right edge
    EXPECT_DOUBLE_EQ(SliderPosition(52, kEditor), 41.0 / 237);
    // An odd button width: width div 2 truncates (11 div 2 = 5).
    EXPECT_DOUBLE_EQ(SliderPosition(52, SliderGeometry{16, 237, 11}), 41.0 / 237);
}

TEST(GradientSliders, LeftEdgePutsTheCentreAtTheRoundedPixelOfThePosition) {
    EXPECT_EQ(SliderLeft(0.0, kEditor), 11);
    EXPECT_EQ(SliderLeft(1.0, kEditor), 248);
    EXPECT_EQ(SliderLeft(0.2, kEditor), 58);    // 16 + round(47.4) - 5
    EXPECT_EQ(SliderLeft(0.6, kEditor), 153);   // 16 + round(142.2) - 5
    EXPECT_EQ(SliderLeft(0.95, kEditor), 236);  // 16 + round(225.15) - 5: 17 pixels from the right edge
    // Every left edge a drag can reach reads back as itself.
    for (int left = 15; left <= 237; ++left) {
        ASSERT_EQ(SliderLeft(SliderPosition(left, kEditor), kEditor), left) << left;
    }
}

TEST(GradientSliders, DragSpanKeepsMiddlePointsInsideTheStrip) {
    EXPECT_FALSE(DragLeftAllowed(14, kEditor));
    EXPECT_TRUE(DragLeftAllowed(15, kEditor));
    EXPECT_TRUE(DragLeftAllowed(237, kEditor));
    EXPECT_FALSE(DragLeftAllowed(238, kEditor));
    // The reachable positions: 4/237 at the lowest, 226/237 at the highest.
    EXPECT_DOUBLE_EQ(SliderPosition(15, kEditor), 4.0 / 237);
    EXPECT_DOUBLE_EQ(SliderPosition(237, kEditor), 226.0 / 237);
}

TEST(GradientSliders, DragGrabsOnTheFirstMoveThenKeepsTheGrabPointUnderTheMouse) {
    SliderDrag drag;
    EXPECT_FALSE(drag.Active());
    EXPECT_EQ(drag.Over(4, 58, kEditor), std::nullopt);  // idle
    drag.Start();
    EXPECT_TRUE(drag.Active());
    EXPECT_EQ(drag.Over(4, 58, kEditor), std::nullopt);  // grabbed 4 pixels into the button
    EXPECT_EQ(drag.Over(14, 58, kEditor), 68);           // mouse 10 pixels right: button 10 right
    EXPECT_EQ(drag.Over(-3, 68, kEditor), 61);           // then 7 back
    drag.End();
    EXPECT_FALSE(drag.Active());
    EXPECT_EQ(drag.Over(20, 61, kEditor), std::nullopt);
}

TEST(GradientSliders, DragMovesOutsideTheSpanAreIgnored) {
    SliderDrag drag;
    drag.Start();
    drag.Over(4, 20, kEditor);
    EXPECT_EQ(drag.Over(-2, 20, kEditor), std::nullopt);  // left 14
    EXPECT_EQ(drag.Over(-1, 20, kEditor), 15);
    drag.Start();  // a new drag grabs afresh
    EXPECT_EQ(drag.Over(6, 230, kEditor), std::nullopt);
    EXPECT_EQ(drag.Over(13, 230, kEditor), 237);
    EXPECT_EQ(drag.Over(14, 230, kEditor), std::nullopt);  // left 238
}

TEST(GradientSliders, ReadOutsShowTwoDecimalsAndSixHexDigits) {
    EXPECT_EQ(LocationText(0.2, "."), "0.20");
    EXPECT_EQ(LocationText(0.95, ","), "0,95");
    EXPECT_EQ(LocationText(1.0, "."), "1.00");
    EXPECT_EQ(LocationText(41.0 / 237, "."), "0.17");   // 0.1730
    EXPECT_EQ(LocationText(226.0 / 237, "."), "0.95");  // 0.9536
    EXPECT_EQ(ColorText(0x0080FF), "0080ff");
    EXPECT_EQ(ColorText(0x000000), "000000");
    EXPECT_EQ(ColorText(0xFFFF80), "ffff80");
}

TEST(GradientSliders, PureWhiteGlyphsArePaintedOneStepOffWhite) {
    EXPECT_EQ(GlyphFillColor(0xFFFFFF), 0xFFFFFEu);
    EXPECT_EQ(GlyphFillColor(0xFFFFFE), 0xFFFFFEu);
    EXPECT_EQ(GlyphFillColor(0x00FF00), 0x00FF00u);
    EXPECT_EQ(GlyphFillColor(0x000000), 0x000000u);
}

TEST(GradientSliders, PointIndexIsTheDigitAfterControlPoint) {
    EXPECT_EQ(ControlPointIndex("ControlPoint0"), 0);
    EXPECT_EQ(ControlPointIndex("ControlPoint8"), 8);
    EXPECT_EQ(ControlPointIndex("ControlPoint9"), std::nullopt);
    EXPECT_EQ(ControlPointIndex("ControlPoint12"), std::nullopt);
    EXPECT_EQ(ControlPointIndex("ControlPoint"), std::nullopt);
    EXPECT_EQ(ControlPointIndex("btnClose"), std::nullopt);
}

}  // namespace
}  // namespace moravel
