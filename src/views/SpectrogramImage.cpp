#include "views/SpectrogramImage.h"

#include "views/core/PlotMath.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <utility>

namespace moravel {

std::uint16_t ToRgb16(std::uint32_t bgr) {
    const std::uint32_t r = bgr & 0xFF;
    const std::uint32_t g = (bgr >> 8) & 0xFF;
    const std::uint32_t b = (bgr >> 16) & 0xFF;
    return static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

namespace {

// A black image in zeroed memory from the allocator: black is all zero bits
// in RGB 5-6-5, and the system hands out a large zeroed block as pages that
// cost nothing until first written. Filling an ordinary image instead wrote
// all 18 MB of the history at startup.
void freeBits(void* bits) { std::free(bits); }

QImage blackImage(int width, int height) {
    const qsizetype stride = (static_cast<qsizetype>(width) * 2 + 3) / 4 * 4;  // lines 32-bit aligned
    void* bits = std::calloc(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), 1);
    if (bits == nullptr) throw std::bad_alloc();
    return QImage(static_cast<uchar*>(bits), width, height, stride, QImage::Format_RGB16, &freeBits, bits);
}

}  // namespace

SpectrogramImage::SpectrogramImage(int columns) : image_(blackImage(std::max(columns, 1), kRows)) {}

void SpectrogramImage::Clear() {
    if (black_) return;
    image_.fill(Qt::black);
    black_ = true;
}

void SpectrogramImage::WriteColumn(std::int64_t column, const float* values, int count, const Palette16& palette,
                                   int offset, int gainPosition, int gainMaximum) {
    const int x = static_cast<int>(column % image_.width());
    black_ = false;
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    const int last = std::min(count - 1, kRows - 1);
    for (int i = 1; i <= last; ++i) {
        const int index = std::clamp(SpectrogramColourIndex(values[i], offset, gainPosition, gainMaximum), 0,
                                     static_cast<int>(palette.size()) - 1);
        reinterpret_cast<std::uint16_t*>(bits + (kRows - i) * stride)[x] = palette[static_cast<std::size_t>(index)];
    }
}

std::uint16_t SpectrogramImage::Pixel(int x, int bin) const {
    return reinterpret_cast<const std::uint16_t*>(image_.constScanLine(kRows - bin))[x];
}

namespace {

// Runs up to this many columns wide (a new column's strip) are converted to
// 32 bits before they are drawn.
constexpr std::int64_t kNarrowRun = 16;

// The columns of the painter's device (and clip), in the painter's
// coordinates, when it only shifts: [left, right). Unlimited otherwise.
std::pair<double, double> reachableColumns(const QPainter& painter) {
    constexpr double kAll = 1e18;
    const QPaintDevice* device = painter.device();
    if (device == nullptr || painter.worldTransform().type() > QTransform::TxTranslate) return {-kAll, kAll};
    QRectF area = painter.worldTransform().inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
    if (painter.hasClipping()) area &= painter.clipBoundingRect();
    return {std::floor(area.left()), std::ceil(area.right())};
}

}  // namespace

// Unstretched, each run is cut to the columns the painter can reach: the
// 16-bit pixels are converted to the target's format before they are
// clipped, so a one-column strip would otherwise convert the whole window.
// The pixels that are drawn are the same either way.
void SpectrogramImage::Paint(QPainter& painter, const QRectF& target, std::int64_t x0, int w, int top, int h,
                             std::int64_t newest) const {
    if (w <= 0 || h <= 0) return;
    const std::int64_t width = image_.width();
    std::int64_t first = std::max({x0, newest - width + 1, std::int64_t{0}});
    std::int64_t last = std::min(x0 + w, newest + 1);
    const double scale = target.width() / w;
    if (scale == 1 && target.left() == std::floor(target.left())) {
        const auto [left, right] = reachableColumns(painter);
        const double origin = target.left() - static_cast<double>(x0);
        first = std::max(first, static_cast<std::int64_t>(std::max(left - origin, -1e17)));
        last = std::min(last, static_cast<std::int64_t>(std::min(right - origin, 1e17)));
    }
    while (first < last) {
        const std::int64_t ringX = ((first % width) + width) % width;
        const std::int64_t run = std::min(last - first, width - ringX);
        const QRectF destination(target.left() + static_cast<double>(first - x0) * scale, target.top(),
                                 static_cast<double>(run) * scale, target.height());
        const QRect source(static_cast<int>(ringX), top, static_cast<int>(run), h);
        if (scale == 1 && run <= kNarrowRun) {
            // Converted here and copied: the painter would convert the few
            // columns row by row, handing the rows out to its thread pool.
            painter.drawImage(destination.topLeft(), image_.copy(source).convertToFormat(QImage::Format_RGB32));
        } else {
            painter.drawImage(destination, image_, QRectF(source));
        }
        first += run;
    }
}

}  // namespace moravel
