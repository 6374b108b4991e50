// Writes a display list as an enhanced metafile: EMR_HEADER (bounds in
// pixels, frame in 0.01 mm at 96 dpi, byte size and record count), then
// 4-byte aligned records in device pixels with UTF-16 text.
// Pure function, any thread.
#pragma once

#include <cstdint>
#include <vector>

#include "views/core/VectorDrawing.h"

namespace moravel::vec {

/// The file's bytes. Shape coordinates beyond the 16-bit range are clamped.
std::vector<std::uint8_t> WriteEmf(const VectorDrawing& drawing);

}  // namespace moravel::vec
