// The glyph of a gradient slider button: its point's colour as a rectangle
// with a black outline, three pixels smaller than the button each way.
//
// Threads: GUI thread only (QPixmap).
#pragma once

#include "views/core/GdiRaster.h"

#include <QPixmap>
#include <QSize>

namespace moravel {

/// The glyph for a button of `buttonSize` pixels (at least 4 x 4) showing
/// the 0xBBGGRR `color`; pure white is filled as 0xFFFFFE.
QPixmap SliderGlyph(TColor color, QSize buttonSize);

}  // namespace moravel
