// Spot checks of single pixels of a rendered meter, reported with their
// coordinates.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>

#include "views/core/GdiRaster.h"

namespace moravel::test {

struct PixelCheck {
    int x;
    int y;
    TColor color;
};

/// `pixelAt(x, y)` returns the 0xBBGGRR colour at (x, y).
template <typename PixelAt>
void ExpectPixels(PixelAt pixelAt, std::initializer_list<PixelCheck> checks) {
    for (const PixelCheck& c : checks) {
        EXPECT_EQ(pixelAt(c.x, c.y), c.color) << "pixel (" << c.x << ", " << c.y << ")";
    }
}

inline void ExpectPixels(const GdiRaster& raster, std::initializer_list<PixelCheck> checks) {
    ExpectPixels([&](int x, int y) { return raster.Pixel(x, y); }, checks);
}

}  // namespace moravel::test
