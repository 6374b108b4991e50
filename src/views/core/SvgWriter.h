// Writes a display list as an SVG 1.1 document: width, height and viewBox
// in pixels, shapes as polyline/polygon/rect, text as <text> with its font,
// images as embedded PNG data. Pure function, any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "views/core/VectorDrawing.h"

namespace moravel::vec {

/// The document as UTF-8 bytes.
std::vector<std::uint8_t> WriteSvg(const VectorDrawing& drawing);

/// `text` with the characters that XML reserves written as entities and
/// the control characters that XML 1.0 forbids left out.
std::string EscapeXml(const std::string& text);

}  // namespace moravel::vec
