// The spectrogram's history: an off-screen image of 16 bits per pixel,
// 2200 rows high (row r holds display bin 2200 − r), used as a ring of
// columns. Column c since the last clear (c = 1, 2, ...) lives in image
// column c mod Width(), so the spectrogram keeps running once the ring is
// full; the newest Width() columns are kept. Colours come from a
// precomputed 16-bit table; a column is written straight into the rows'
// memory. GUI thread only.
#pragma once

#include <QImage>

#include <array>
#include <cstdint>

class QPainter;

namespace moravel {

/// The 4001 palette colours in the image's pixel format (RGB 5-6-5).
using Palette16 = std::array<std::uint16_t, 4001>;

/// A 0xBBGGRR colour in RGB 5-6-5.
std::uint16_t ToRgb16(std::uint32_t bgr);

class SpectrogramImage {
public:
    static constexpr int kRows = 2200;
    /// About 9 minutes at the program's 7.6 to 8.3 columns per second.
    static constexpr int kDefaultColumns = 4096;

    explicit SpectrogramImage(int columns = kDefaultColumns);

    int Width() const { return image_.width(); }
    const QImage& Image() const { return image_; }

    /// Makes the whole image black. An image with nothing written since it
    /// was made or last cleared is left as it is: the window clears the
    /// history while it starts, and filling the fresh image would write all
    /// of its untouched, zeroed pages.
    void Clear();

    /// Writes column `column` (1, 2, ...): the pixel of display bin i, for i
    /// = 1 .. count − 1, gets palette[SpectrogramColourIndex(values[i], ...)];
    /// bins above the image's 2199 rows are left out.
    void WriteColumn(std::int64_t column, const float* values, int count, const Palette16& palette, int offset,
                     int gainPosition, int gainMaximum);

    /// 16-bit pixel of image column `x` (0..Width−1), display bin `bin`.
    std::uint16_t Pixel(int x, int bin) const;

    /// Paints columns [x0, x0 + w) and image rows [top, top + h) over
    /// `target`, stretched when the sizes differ, with one rectangle copy
    /// per run of the ring (at most two); columns not held (older than the
    /// ring or newer than `newest`) are left unpainted.
    void Paint(QPainter& painter, const QRectF& target, std::int64_t x0, int w, int top, int h,
               std::int64_t newest) const;

private:
    QImage image_;
    bool black_ = true;  // nothing written since made or cleared
};

}  // namespace moravel
