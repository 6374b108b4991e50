#include "views/core/ImageCrop.h"

#include <algorithm>
#include <cmath>

namespace moravel::vec {
namespace {

int RoundClamped(double v, int hi) { return std::clamp(static_cast<int>(std::lround(v)), 0, hi); }

}  // namespace

Image CropToSource(const Image& image) {
    const int x0 = RoundClamped(image.source.x, image.width);
    const int y0 = RoundClamped(image.source.y, image.height);
    const int x1 = RoundClamped(image.source.x + image.source.width, image.width);
    const int y1 = RoundClamped(image.source.y + image.source.height, image.height);
    Image out;
    out.target = image.target;
    if (x1 <= x0 || y1 <= y0 || image.pixels.size() < static_cast<std::size_t>(image.width) * image.height) return out;
    out.width = x1 - x0;
    out.height = y1 - y0;
    out.pixels.reserve(static_cast<std::size_t>(out.width) * out.height);
    for (int y = y0; y < y1; ++y) {
        const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
        out.pixels.insert(out.pixels.end(), row + x0, row + x1);
    }
    out.source = {0, 0, static_cast<double>(out.width), static_cast<double>(out.height)};
    return out;
}

}  // namespace moravel::vec
