// Draws a palette table into a strip image, one column per entry, as the
// main window's palette strip and the gradient editor's strip show it.
// GUI thread only (QPixmap).
#pragma once

#include <QPixmap>

#include "views/core/GdiRaster.h"

namespace moravel {

/// A width x height pixmap whose column x (0 .. width - 1) is palette[x]
/// (0xBBGGRR) from top to bottom. `palette` holds at least `width` entries;
/// the entry at index width, which a palette built for N = width also has,
/// falls outside the image. Sizes <= 0 give a null pixmap.
QPixmap DrawPalette(const TColor* palette, int width, int height);

}  // namespace moravel
