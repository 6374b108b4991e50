// The spectrogram's ring image: columns written into row memory, wrapping,
// and painted in at most two runs.
#include "SpectrogramImage.h"

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

}  // namespace
}  // namespace moravel
