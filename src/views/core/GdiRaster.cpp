#include "views/core/GdiRaster.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace moravel {

GdiRaster::GdiRaster(int width, int height) { Resize(width, height); }

void GdiRaster::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
}

void GdiRaster::FillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, TColor color) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    const int left = static_cast<int>(std::clamp<std::int64_t>(x1, 0, width_));
    const int right = static_cast<int>(std::clamp<std::int64_t>(x2, 0, width_));
    const int top = static_cast<int>(std::clamp<std::int64_t>(y1, 0, height_));
    const int bottom = static_cast<int>(std::clamp<std::int64_t>(y2, 0, height_));
    for (int y = top; y < bottom; ++y) {
        std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(Index(left, y)),
                  pixels_.begin() + static_cast<std::ptrdiff_t>(Index(right, y)), color);
    }
}

void GdiRaster::MoveTo(std::int64_t x, std::int64_t y) {
    penX_ = x;
    penY_ = y;
}

void GdiRaster::LineTo(std::int64_t x, std::int64_t y, TColor color) {
    if (x != penX_ && y != penY_) throw std::invalid_argument("GdiRaster::LineTo: only axis-parallel lines");
    // A one-pixel-wide half-open rectangle from the current point towards the
    // end point: it covers the start and stops short of the end.
    if (x > penX_) {
        FillRect(penX_, y, x, y + 1, color);
    } else if (x < penX_) {
        FillRect(x + 1, y, penX_ + 1, y + 1, color);
    } else if (y > penY_) {
        FillRect(x, penY_, x + 1, y, color);
    } else if (y < penY_) {
        FillRect(x, y + 1, x + 1, penY_ + 1, color);
    }
    MoveTo(x, y);
}

}  // namespace moravel
