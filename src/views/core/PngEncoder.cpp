#include "views/core/PngEncoder.h"

#include <array>
#include <cstring>
#include <stdexcept>

namespace moravel::vec {
namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

void PutBigEndian(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 24);
    at[1] = static_cast<std::uint8_t>(value >> 16);
    at[2] = static_cast<std::uint8_t>(value >> 8);
    at[3] = static_cast<std::uint8_t>(value);
}

}  // namespace

PngStream::PngStream(std::int32_t width, std::int32_t height, Channels channels, Sink sink)
    : height_(height), sink_(std::move(sink)) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("PNG pictures need a width and height of at least 1");
    // Filter byte 0 ("none") before every row: the program's pictures have
    // large even areas that compress well enough without per-row prediction.
    row_.assign(1 + static_cast<std::size_t>(channels) * static_cast<std::uint32_t>(width), 0);
    compressed_.resize(kChunkBytes);
    if (deflateInit(&zlib_, Z_DEFAULT_COMPRESSION) != Z_OK) throw std::runtime_error("cannot start the PNG compressor");
    zlib_.avail_out = static_cast<uInt>(kChunkBytes);
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::array<std::uint8_t, 13> header{};
    PutBigEndian(header.data(), static_cast<std::uint32_t>(width));
    PutBigEndian(header.data() + 4, static_cast<std::uint32_t>(height));
    header[8] = 8;                                     // bits per channel
    header[9] = channels == Channels::Rgb ? 2 : 6;     // colour type: RGB or RGBA
    try {
        sink_(kSignature, sizeof kSignature);
        sendChunk("IHDR", header.data(), header.size());
    } catch (...) {
        deflateEnd(&zlib_);
        throw;
    }
}

PngStream::~PngStream() { deflateEnd(&zlib_); }

void PngStream::sendChunk(const char type[4], const std::uint8_t* data, std::size_t size) {
    std::uint8_t head[8];
    PutBigEndian(head, static_cast<std::uint32_t>(size));
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0L, head + 4, 4);
    if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));
    std::uint8_t tail[4];
    PutBigEndian(tail, static_cast<std::uint32_t>(crc));
    sink_(head, sizeof head);
    if (size > 0) sink_(data, size);
    sink_(tail, sizeof tail);
}

// Runs the compressor over what it was given and sends every full output
// buffer as an IDAT chunk; with Z_FINISH also the last, partial one.
void PngStream::deflateInto(int flush) {
    for (;;) {
        zlib_.next_out = compressed_.data() + (kChunkBytes - zlib_.avail_out);
        const int status = deflate(&zlib_, flush);
        if (status == Z_STREAM_ERROR) throw std::runtime_error("PNG compressor failed");
        const std::size_t filled = kChunkBytes - zlib_.avail_out;
        const bool done = flush == Z_FINISH ? status == Z_STREAM_END : zlib_.avail_in == 0 && zlib_.avail_out > 0;
        if (filled == kChunkBytes || (done && flush == Z_FINISH && filled > 0)) {
            sendChunk("IDAT", compressed_.data(), filled);
            zlib_.avail_out = static_cast<uInt>(kChunkBytes);
        }
        if (done) return;
    }
}

void PngStream::WriteRow(const std::uint8_t* pixels) {
    if (rowsWritten_ >= height_) throw std::logic_error("PNG row written past the picture's height");
    std::memcpy(row_.data() + 1, pixels, row_.size() - 1);
    zlib_.next_in = row_.data();
    zlib_.avail_in = static_cast<uInt>(row_.size());
    deflateInto(Z_NO_FLUSH);
    ++rowsWritten_;
}

void PngStream::Finish() {
    if (rowsWritten_ != height_) throw std::logic_error("PNG picture finished before its last row");
    zlib_.next_in = nullptr;
    zlib_.avail_in = 0;
    deflateInto(Z_FINISH);
    sendChunk("IEND", nullptr, 0);
}

std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels) {
    if (width <= 0 || height <= 0) return {};
    std::vector<std::uint8_t> out;
    PngStream png(width, height, PngStream::Channels::Rgba,
                  [&out](const std::uint8_t* bytes, std::size_t size) { out.insert(out.end(), bytes, bytes + size); });
    std::vector<std::uint8_t> row(4 * static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
            std::uint8_t* at = row.data() + 4 * static_cast<std::size_t>(x);
            at[0] = static_cast<std::uint8_t>(p >> 16);
            at[1] = static_cast<std::uint8_t>(p >> 8);
            at[2] = static_cast<std::uint8_t>(p);
            at[3] = static_cast<std::uint8_t>(p >> 24);
        }
        png.WriteRow(row.data());
    }
    png.Finish();
    return out;
}

}  // namespace moravel::vec
