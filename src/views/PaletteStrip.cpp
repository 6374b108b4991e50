#include "views/PaletteStrip.h"

#include <QImage>

#include <algorithm>
#include <utility>
#include <vector>

#include "views/BgrColor.h"

namespace moravel {

QPixmap DrawPalette(const TColor* palette, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    // Every row is the same: one pixel per palette entry, copied row by row.
    std::vector<QRgb> row(static_cast<std::size_t>(width));
    std::transform(palette, palette + width, row.begin(), ToQRgb);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        std::copy(row.begin(), row.end(), reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    return QPixmap::fromImage(std::move(image));
}

}  // namespace moravel
