// A PNG file of 8-bit RGB pixels written one row at a time from top to
// bottom, compressed as the rows come, so only one row is held here
// whatever the picture's height. Not thread-safe; one thread per writer.
#pragma once

#include "cli/OutputFile.h"
#include "views/core/PngEncoder.h"

#include <cstdint>
#include <string>

namespace moravel {

class PngWriter {
public:
    /// Creates or replaces `path` and writes the signature and the header of
    /// a `width` x `height` RGB picture (both 1 .. 2^31 − 1, else
    /// std::invalid_argument). Throws std::system_error when the file cannot
    /// be created.
    PngWriter(const std::string& path, std::int32_t width, std::int32_t height);

    /// One row of `width` pixels, 3 bytes each (red, green, blue). Rows past
    /// the height throw std::logic_error. Write errors are kept and reported
    /// by Finish.
    void WriteRow(const std::uint8_t* rgb) { png_.WriteRow(rgb); }

    /// Ends the compressed data and the file, flushes and closes. Throws
    /// std::logic_error when fewer rows than the height were written and
    /// std::system_error when anything could not be written.
    void Finish();

private:
    OutputFile file_;
    vec::PngStream png_;
};

}  // namespace moravel
