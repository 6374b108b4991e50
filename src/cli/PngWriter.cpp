#include "cli/PngWriter.h"

namespace moravel {

PngWriter::PngWriter(const std::string& path, std::int32_t width, std::int32_t height)
    : file_(path),
      png_(width, height, vec::PngStream::Channels::Rgb,
           [this](const std::uint8_t* bytes, std::size_t size) { file_.Write(bytes, size); }) {}

void PngWriter::Finish() {
    png_.Finish();
    file_.Close();
}

}  // namespace moravel
