// Writes a display list as a placeable Windows metafile: the 22-byte
// placeable header (bounding box in pixels, 96 units per inch, XOR
// checksum), the standard metafile header, and 16-bit records with one
// logical unit per pixel. Text is stored one byte per character (Latin-1;
// other characters become '?'). Pure function, any thread.
#pragma once

#include <cstdint>
#include <vector>

#include "views/core/VectorDrawing.h"

namespace moravel::vec {

/// Logical units per inch stated in the placeable header.
inline constexpr int kWmfUnitsPerInch = 96;

/// The file's bytes. Coordinates beyond the 16-bit range are clamped.
std::vector<std::uint8_t> WriteWmf(const VectorDrawing& drawing);

}  // namespace moravel::vec
