#include "views/gradient/SliderGlyph.h"

#include "views/BgrColor.h"
#include "views/core/GradientSliders.h"

#include <QPainter>

namespace moravel {

namespace {

constexpr int kGlyphMargin = 3;

}  // namespace

QPixmap SliderGlyph(TColor color, QSize buttonSize) {
    QPixmap glyph(buttonSize.shrunkBy({0, 0, kGlyphMargin, kGlyphMargin}));
    glyph.fill(QColor(ToQRgb(GlyphFillColor(color))));
    QPainter painter(&glyph);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(glyph.rect().adjusted(0, 0, -1, -1));
    return glyph;
}

}  // namespace moravel
