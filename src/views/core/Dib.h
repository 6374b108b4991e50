// A device-independent bitmap for the metafile image records: a 40-byte
// BITMAPINFOHEADER and 24-bit BGR rows, bottom row first, each padded to a
// multiple of four bytes. Alpha is dropped. Pure functions, any thread.
#pragma once

#include <cstdint>
#include <vector>

#include "views/core/VectorDrawing.h"

namespace moravel::vec {

inline constexpr std::size_t kDibHeaderBytes = 40;

/// The BITMAPINFOHEADER of a width x height 24-bit image.
std::vector<std::uint8_t> DibHeader(int width, int height);

/// The pixel rows of `image` (its whole pixel array) in DIB order.
std::vector<std::uint8_t> DibBits(const Image& image);

}  // namespace moravel::vec
