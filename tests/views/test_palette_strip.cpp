// The palette strip: one column a palette entry.
#include "views/PaletteStrip.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <vector>

namespace moravel {
namespace {

TEST(PaletteStrip, EachColumnIsItsPaletteEntry) {
    const std::vector<TColor> palette{0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0xFFFFFF, 0x000000};
    const QImage image = DrawPalette(palette.data(), 5, 3).toImage();
    ASSERT_EQ(image.size(), QSize(5, 3));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0xFF, 0, 0));
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 0xFF));
    EXPECT_EQ(image.pixel(3, 1), qRgb(0x56, 0x34, 0x12));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) EXPECT_EQ(image.pixel(x, y), image.pixel(x, 0)) << x << ", " << y;
    }
    EXPECT_TRUE(DrawPalette(palette.data(), 0, 3).isNull());
}

}  // namespace
}  // namespace moravel
