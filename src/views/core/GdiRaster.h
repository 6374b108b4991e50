// A plain raster of 0xBBGGRR pixels that draws the way the classic Windows
// graphics device interface does, so a control drawn with rectangles and
// lines comes out pixel for pixel as designed:
// - a rectangle is filled with its outline and fill in one colour and covers
//   the half-open area [left, right) x [top, bottom); corners given the wrong
//   way round (as mirroring produces) are put in order first;
// - a line from the current point to an end point leaves the end point
//   undrawn, so a polyline draws each corner exactly once;
// - whatever falls outside the raster is clipped.
// Not thread-safe; any thread may use its own raster.
#pragma once

#include <cstdint>
#include <vector>

namespace moravel {

/// A colour as 0xBBGGRR (red in the low byte).
using TColor = std::uint32_t;

class GdiRaster {
public:
    /// An empty 0 x 0 raster.
    GdiRaster() = default;
    /// A width x height raster (negative sizes count as 0), every pixel 0.
    GdiRaster(int width, int height);

    /// Changes the size; pixel contents are undefined afterwards. Keeps the
    /// memory when the size stays the same.
    void Resize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    /// The pixel at (x, y); both must lie inside the raster.
    TColor Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
    /// One row of Width() pixels, y inside the raster.
    const TColor* Row(int y) const { return pixels_.data() + Index(0, y); }

    /// Fills the rectangle with corners (x1, y1) and (x2, y2), right and
    /// bottom edges exclusive, in `color`.
    void FillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, TColor color);

    /// Sets the current point without drawing.
    void MoveTo(std::int64_t x, std::int64_t y);
    /// Draws from the current point to (x, y) in `color`, the end point
    /// excluded, and makes (x, y) the current point. Only horizontal and
    /// vertical lines are supported (std::invalid_argument otherwise).
    void LineTo(std::int64_t x, std::int64_t y, TColor color);

    bool operator==(const GdiRaster& other) const = default;

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<TColor> pixels_;
    std::int64_t penX_ = 0;
    std::int64_t penY_ = 0;
};

}  // namespace moravel
