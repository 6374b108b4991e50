// Encodes an image as a PNG file (8-bit RGBA, zlib-compressed), for the
// images that the SVG writer embeds. Pure function, any thread.
#pragma once

#include <cstdint>
#include <vector>

namespace moravel::vec {

/// PNG bytes of width x height pixels given as 0xAARRGGBB, rows top to
/// bottom (pixels.size() must be width * height). Sizes of 0 give an empty
/// vector; std::runtime_error if compression fails.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace moravel::vec
