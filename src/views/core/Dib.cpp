#include "views/core/Dib.h"

#include "views/core/LittleEndianBuffer.h"

namespace moravel::vec {
namespace {

std::size_t RowBytes(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

}  // namespace

std::vector<std::uint8_t> DibHeader(int width, int height) {
    LittleEndianBuffer b;
    b.U32(kDibHeaderBytes);
    b.I32(width);
    b.I32(height);  // positive: rows stored bottom-up
    b.U16(1);       // planes
    b.U16(24);      // bits per pixel
    b.U32(0);       // BI_RGB, uncompressed
    b.U32(static_cast<std::uint32_t>(RowBytes(width) * height));
    b.I32(3780);  // 96 dpi in pixels per metre
    b.I32(3780);
    b.U32(0);  // no colour table
    b.U32(0);
    return b.Bytes();
}

std::vector<std::uint8_t> DibBits(const Image& image) {
    const std::size_t rowBytes = RowBytes(image.width);
    std::vector<std::uint8_t> bits(rowBytes * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* out = bits.data() + rowBytes * (image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.pixels[static_cast<std::size_t>(y) * image.width + x];
            *out++ = static_cast<std::uint8_t>(p);        // blue
            *out++ = static_cast<std::uint8_t>(p >> 8);   // green
            *out++ = static_cast<std::uint8_t>(p >> 16);  // red
        }
    }
    return bits;
}

}  // namespace moravel::vec
