// The spectrogram's ring image: columns written into row memory, wrapping,
// and painted in at most two runs.
#include "views/SpectrogramImage.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace moravel {
namespace {

class RingImage : public ::testing::Test {
protected:
    // Column c gets the colour index c for every bin (gain 1, offset 0).
    void writeColumns(SpectrogramImage& image, int from, int to) {
        std::vector<float> values(20);
        for (int c = from; c <= to; ++c) {
            std::fill(values.begin(), values.end(), static_cast<float>(c));
            image.WriteColumn(c, values.data(), static_cast<int>(values.size()), palette, 0, 1, 4000);
        }
    }
    Palette16 palette = [] {
        Palette16 p{};
        for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<std::uint16_t>(i + 1);
        return p;
    }();
};

TEST_F(RingImage, ColumnsWrapAndOldOnesAreReplaced) {
    SpectrogramImage image(8);
    writeColumns(image, 1, 11);
    EXPECT_EQ(image.Pixel(3, 1), 12);  // column 11 at 11 mod 8 = 3 (palette index 11 → 12)
    EXPECT_EQ(image.Pixel(4, 5), 5);   // column 4, not yet replaced
    EXPECT_EQ(image.Pixel(0, 19), 9);  // column 8
}

// The image starts black (0 in RGB 5-6-5) in every column and row, odd
// widths included (their lines are padded), and Clear makes it so again.
TEST_F(RingImage, StartsBlackAndClearMakesItBlackAgain) {
    SpectrogramImage image(7);
    for (const int x : {0, 3, 6}) {
        for (const int bin : {1, 1100, SpectrogramImage::kRows}) EXPECT_EQ(image.Pixel(x, bin), 0) << x << " " << bin;
    }
    writeColumns(image, 1, 7);
    ASSERT_NE(image.Pixel(6, 1), 0);
    image.Clear();
    EXPECT_EQ(image.Pixel(6, 1), 0);
    EXPECT_EQ(image.Pixel(0, 19), 0);
    // A clear with nothing written since the last one skips its fill; the
    // next written columns are still cleared by the clear after them.
    image.Clear();
    writeColumns(image, 8, 9);
    ASSERT_NE(image.Pixel(1, 1), 0);
    image.Clear();
    EXPECT_EQ(image.Pixel(1, 1), 0);
    EXPECT_EQ(image.Pixel(2, 19), 0);
}

TEST_F(RingImage, BinsAboveTheImageAreLeftOut) {
    SpectrogramImage image(2);
    std::vector<float> values(SpectrogramImage::kRows + 500, 7.0f);
    image.WriteColumn(1, values.data(), static_cast<int>(values.size()), palette, 0, 1, 4000);
    EXPECT_EQ(image.Pixel(1, 1), 8);
    EXPECT_EQ(image.Pixel(1, SpectrogramImage::kRows - 1), 8);
}

TEST_F(RingImage, PaintCopiesHeldColumnsInTwoRuns) {
    SpectrogramImage image(8);
    writeColumns(image, 1, 11);  // holds columns 4..11
    QImage target(10, 4, QImage::Format_RGB16);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        // Columns 2..11 one to one: 2 and 3 are no longer held.
        image.Paint(painter, QRectF(0, 0, 10, 4), 2, 10, SpectrogramImage::kRows - 4, 4, 11);
    }
    const auto at = [&](int x) { return reinterpret_cast<const std::uint16_t*>(target.constScanLine(0))[x]; };
    EXPECT_EQ(at(0), 0xFFFF);  // column 2: left as it was
    EXPECT_EQ(at(1), 0xFFFF);
    for (int x = 2; x < 10; ++x) EXPECT_EQ(at(x), x + 2 + 1) << "column " << x + 2;
}

// A painter that reaches only a few columns (a shifted strip device, or a
// clip) gets those columns exactly as a whole paint draws them, across the
// ring's wrap too; the target pixels outside them are not touched. The
// whole paint's first run is wide (drawn by the painter from 16 bits), the
// strips' runs narrow (converted first).
TEST_F(RingImage, AStripGetsTheColumnsAWholePaintDraws) {
    SpectrogramImage image(64);
    writeColumns(image, 1, 80);      // holds columns 17..80, wrapped after 63
    const QRectF plot(3, 0, 40, 4);  // columns 30..69 from x = 3
    const auto paint = [&](QPainter& painter) {
        image.Paint(painter, plot, 30, 40, SpectrogramImage::kRows - 4, 4, 80);
    };
    QImage whole(46, 4, QImage::Format_RGB32);
    whole.fill(Qt::white);
    {
        QPainter painter(&whole);
        paint(painter);
    }
    for (int x = 0; x < whole.width(); ++x) {
        QImage strip(1, 4, QImage::Format_RGB32);
        strip.fill(Qt::white);
        {
            QPainter painter(&strip);
            painter.translate(-x, 0);
            paint(painter);
        }
        EXPECT_EQ(strip.pixel(0, 2), whole.pixel(x, 2)) << "x " << x;
    }
    // Column 39 at x = 12: palette entry 40, blue 8 and green 1 of 5-6-5
    // (0x0028), widened to 66 and 4; left and right of the plot untouched.
    EXPECT_EQ(whole.pixel(12, 2), qRgb(0, 4, 66));
    EXPECT_EQ(whole.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(whole.pixel(43, 2), qRgb(255, 255, 255));
    QImage clipped(46, 4, QImage::Format_RGB32);
    clipped.fill(Qt::white);
    {
        QPainter painter(&clipped);
        painter.setClipRect(8, 0, 4, 4);
        paint(painter);
    }
    for (int x = 0; x < clipped.width(); ++x) {
        EXPECT_EQ(clipped.pixel(x, 1), x >= 8 && x < 12 ? whole.pixel(x, 1) : qRgb(255, 255, 255)) << "x " << x;
    }
}

}  // namespace
}  // namespace moravel
