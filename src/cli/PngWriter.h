// A streaming PNG encoder for 8-bit RGB pictures: the header first, then one
// row at a time from top to bottom, compressed with zlib as the rows come,
// so only one row is held here whatever the picture's height. Not
// thread-safe; one thread per writer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <zlib.h>

namespace moravel {

class PngWriter {
public:
    /// Creates or replaces `path` and writes the signature and the header of
    /// a `width` x `height` RGB picture (both 1 .. 2^31 − 1, else
    /// std::invalid_argument). Throws std::system_error when the file cannot
    /// be created.
    PngWriter(const std::string& path, std::int32_t width, std::int32_t height);
    ~PngWriter();

    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    /// One row of `width` pixels, 3 bytes each (red, green, blue). Rows past
    /// the height throw std::logic_error. Write errors are kept and reported
    /// by Finish.
    void WriteRow(const std::uint8_t* rgb);

    /// Ends the compressed data and the file, flushes and closes. Throws
    /// std::logic_error when fewer rows than the height were written and
    /// std::system_error when anything could not be written.
    void Finish();

private:
    void deflateInto(int flush);
    void writeChunk(const char type[4], const std::uint8_t* data, std::size_t size);

    std::FILE* file_;
    std::string path_;
    std::int32_t width_;
    std::int32_t height_;
    std::int32_t rowsWritten_ = 0;
    z_stream zlib_{};
    std::vector<std::uint8_t> row_;         // filter byte + pixels
    std::vector<std::uint8_t> compressed_;  // one IDAT chunk's worth
};

}  // namespace moravel
