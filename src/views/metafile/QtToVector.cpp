#include "views/metafile/QtToVector.h"

#include <QGradient>

#include <cmath>
#include <numbers>

namespace moravel {
namespace {

vec::PenStyle ToVecPenStyle(Qt::PenStyle style) {
    switch (style) {
        case Qt::NoPen:
            return vec::PenStyle::None;
        case Qt::DashLine:
            return vec::PenStyle::Dash;
        case Qt::DotLine:
            return vec::PenStyle::Dot;
        case Qt::DashDotLine:
            return vec::PenStyle::DashDot;
        case Qt::DashDotDotLine:
            return vec::PenStyle::DashDotDot;
        default:
            return vec::PenStyle::Solid;
    }
}

QColor BrushColor(const QBrush& brush) {
    const QGradient* gradient = brush.gradient();
    if (gradient && !gradient->stops().isEmpty()) return gradient->stops().first().second;
    return brush.color();
}

}  // namespace

vec::Color ToVecColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return {static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
            static_cast<std::uint8_t>(rgb.blue())};
}

vec::Pen ToVecPen(const QPen& pen, const QTransform& transform) {
    vec::Pen out;
    out.style = pen.color().alpha() == 0 ? vec::PenStyle::None : ToVecPenStyle(pen.style());
    out.color = ToVecColor(pen.color());
    out.width = pen.isCosmetic() ? pen.widthF() : pen.widthF() * LengthScale(transform);
    return out;
}

vec::Brush ToVecBrush(const QBrush& brush) {
    const QColor color = BrushColor(brush);
    return {ToVecColor(color), brush.style() != Qt::NoBrush && color.alpha() != 0};
}

vec::Font ToVecFont(const QFont& font, int dpi, const QTransform& transform) {
    vec::Font out;
    out.family = font.family().toStdString();
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72.0;
    out.pixelSize = pixels * LengthScale(transform);
    out.weight = font.weight();
    out.italic = font.italic();
    return out;
}

vec::Rect ToVecRect(const QRectF& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

vec::Image ToVecImage(const QImage& image, const QRectF& source, const QRectF& target) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    vec::Image out;
    out.width = argb.width();
    out.height = argb.height();
    out.pixels.reserve(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        out.pixels.insert(out.pixels.end(), row, row + out.width);
    }
    out.source = ToVecRect(source);
    out.target = ToVecRect(target);
    return out;
}

double CounterClockwiseDegrees(const QTransform& transform) {
    const double degrees = -std::atan2(transform.m12(), transform.m11()) * 180.0 / std::numbers::pi;
    return degrees == 0 ? 0.0 : degrees;  // no -0 in the files
}

double LengthScale(const QTransform& transform) { return std::sqrt(std::abs(transform.determinant())); }

}  // namespace moravel
