#include "PngWriter.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace moravel {
namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

void PutBigEndian(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 24);
    at[1] = static_cast<std::uint8_t>(value >> 16);
    at[2] = static_cast<std::uint8_t>(value >> 8);
    at[3] = static_cast<std::uint8_t>(value);
}

}  // namespace

PngWriter::PngWriter(const std::string& path, std::int32_t width, std::int32_t height)
    : file_(nullptr), path_(path), width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("PNG pictures need a width and height of at least 1");
    // Filter byte 0 ("none") before every row: the picture's large even
    // areas compress well enough without per-row prediction.
    row_.assign(1 + std::size_t{3} * static_cast<std::uint32_t>(width), 0);
    compressed_.resize(kChunkBytes);
    if (deflateInit(&zlib_, 6) != Z_OK) throw std::runtime_error("cannot start the PNG compressor");
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        const int error = errno;
        deflateEnd(&zlib_);
        throw std::system_error(error, std::generic_category(), "Cannot create " + path);
    }
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::fwrite(kSignature, 1, sizeof kSignature, file_);
    std::array<std::uint8_t, 13> header{};
    PutBigEndian(header.data(), static_cast<std::uint32_t>(width));
    PutBigEndian(header.data() + 4, static_cast<std::uint32_t>(height));
    header[8] = 8;  // bits per channel
    header[9] = 2;  // colour type: RGB
    writeChunk("IHDR", header.data(), header.size());
}

PngWriter::~PngWriter() {
    deflateEnd(&zlib_);
    if (file_ != nullptr) std::fclose(file_);
}

void PngWriter::writeChunk(const char type[4], const std::uint8_t* data, std::size_t size) {
    std::uint8_t head[8];
    PutBigEndian(head, static_cast<std::uint32_t>(size));
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0L, head + 4, 4);
    if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));
    std::uint8_t tail[4];
    PutBigEndian(tail, static_cast<std::uint32_t>(crc));
    // Errors are sticky in the FILE and reported by Finish.
    std::fwrite(head, 1, sizeof head, file_);
    if (size > 0) std::fwrite(data, 1, size, file_);
    std::fwrite(tail, 1, sizeof tail, file_);
}

// Runs the compressor over what it was given and writes every full output
// buffer as an IDAT chunk; with Z_FINISH also the last, partial one.
void PngWriter::deflateInto(int flush) {
    for (;;) {
        zlib_.next_out = compressed_.data() + (kChunkBytes - zlib_.avail_out);
        const int status = deflate(&zlib_, flush);
        if (status == Z_STREAM_ERROR) throw std::runtime_error("PNG compressor failed");
        const std::size_t filled = kChunkBytes - zlib_.avail_out;
        const bool done = flush == Z_FINISH ? status == Z_STREAM_END : zlib_.avail_in == 0 && zlib_.avail_out > 0;
        if (filled == kChunkBytes || (done && flush == Z_FINISH && filled > 0)) {
            writeChunk("IDAT", compressed_.data(), filled);
            zlib_.avail_out = static_cast<uInt>(kChunkBytes);
        }
        if (done) return;
    }
}

void PngWriter::WriteRow(const std::uint8_t* rgb) {
    if (rowsWritten_ >= height_) throw std::logic_error("PNG row written past the picture's height");
    if (rowsWritten_ == 0) zlib_.avail_out = static_cast<uInt>(kChunkBytes);
    std::memcpy(row_.data() + 1, rgb, row_.size() - 1);
    zlib_.next_in = row_.data();
    zlib_.avail_in = static_cast<uInt>(row_.size());
    deflateInto(Z_NO_FLUSH);
    ++rowsWritten_;
}

void PngWriter::Finish() {
    if (rowsWritten_ != height_) throw std::logic_error("PNG picture finished before its last row");
    zlib_.next_in = nullptr;
    zlib_.avail_in = 0;
    deflateInto(Z_FINISH);
    writeChunk("IEND", nullptr, 0);
    const bool failed = std::ferror(file_) != 0 || std::fflush(file_) != 0;
    const int writeError = errno;
    const bool closeFailed = std::fclose(file_) != 0;
    const int error = failed ? writeError : errno;
    file_ = nullptr;
    if (failed || closeFailed)
        throw std::system_error(error != 0 ? error : EIO, std::generic_category(), "Cannot write " + path_);
}

}  // namespace moravel
