// Conversion between the meters' 0xBBGGRR colours and Qt colours.
// Pure functions, any thread.
#pragma once

#include <QColor>
#include <QRgb>

#include "views/core/GdiRaster.h"

namespace moravel {

/// An opaque Qt pixel value for a 0xBBGGRR colour (the top byte is ignored).
inline QRgb ToQRgb(TColor color) { return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

/// The 0xBBGGRR value of a Qt colour (alpha dropped).
inline TColor ToBgr(const QColor& color) {
    return static_cast<TColor>(color.red()) | static_cast<TColor>(color.green()) << 8 |
           static_cast<TColor>(color.blue()) << 16;
}

}  // namespace moravel
