// Values as both Windows metafile formats store them: colours as COLORREF,
// pen styles as PS_* codes, whole device units. Pure functions, any thread.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "views/core/VectorDrawing.h"

namespace moravel::vec {

/// 0x00BBGGRR.
inline std::uint32_t ColorRef(Color c) { return c.r | c.g << 8 | c.b << 16; }

/// PS_SOLID 0, PS_DASH 1, PS_DOT 2, PS_DASHDOT 3, PS_DASHDOTDOT 4, PS_NULL 5.
inline std::uint16_t GdiPenStyle(PenStyle style) {
    switch (style) {
        case PenStyle::Dash:
            return 1;
        case PenStyle::Dot:
            return 2;
        case PenStyle::DashDot:
            return 3;
        case PenStyle::DashDotDot:
            return 4;
        case PenStyle::None:
            return 5;
        default:
            return 0;
    }
}

/// The nearest whole number, limited to +-1e9; non-finite values (from a
/// degenerate transform) give 0 rather than an undefined result.
inline int RoundToInt(double v) {
    return std::isfinite(v) ? static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9))) : 0;
}

/// `v` limited to the 16-bit range of WMF and the EMF *16 records.
inline std::int16_t Clamp16(int v) { return static_cast<std::int16_t>(std::clamp(v, -32768, 32767)); }

}  // namespace moravel::vec
