// PNG encoding of 8-bit RGB or RGBA pictures: a streaming encoder that
// takes one row at a time from top to bottom and hands the file's bytes to a
// sink as they are compressed (only one row and one data chunk are held,
// whatever the picture's height), and a one-call form for small images such
// as those the SVG writer embeds. Not thread-safe; one thread per encoder.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace moravel::vec {

class PngStream {
public:
    enum class Channels { Rgb = 3, Rgba = 4 };
    /// Receives the file's bytes in order; it may throw to abort.
    using Sink = std::function<void(const std::uint8_t* bytes, std::size_t size)>;

    /// Starts a `width` x `height` picture (both 1 .. 2^31 - 1, else
    /// std::invalid_argument) and sends the signature and the header.
    PngStream(std::int32_t width, std::int32_t height, Channels channels, Sink sink);
    ~PngStream();

    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    /// One row of `width` pixels, 3 (RGB) or 4 (RGBA) bytes each. Rows past
    /// the height throw std::logic_error.
    void WriteRow(const std::uint8_t* pixels);

    /// Ends the compressed data and sends the last chunks. Throws
    /// std::logic_error when fewer rows than the height were written.
    void Finish();

private:
    void deflateInto(int flush);
    void sendChunk(const char type[4], const std::uint8_t* data, std::size_t size);

    std::int32_t height_;
    std::int32_t rowsWritten_ = 0;
    Sink sink_;
    z_stream zlib_{};
    std::vector<std::uint8_t> row_;         // filter byte + pixels
    std::vector<std::uint8_t> compressed_;  // one IDAT chunk's worth
};

/// PNG bytes of width x height pixels given as 0xAARRGGBB, rows top to
/// bottom (pixels.size() must be width * height). Sizes of 0 give an empty
/// vector; std::runtime_error if compression fails.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace moravel::vec
