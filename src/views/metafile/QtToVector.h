// Translates QPainter state (pens, brushes, fonts, colours, images) into the
// display list's plain types, applying the painter's transform where sizes
// depend on it. GUI thread only (fonts and images are Qt GUI objects).
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QRectF>
#include <QTransform>

#include "views/core/VectorDrawing.h"

namespace moravel {

vec::Color ToVecColor(const QColor& color);

/// The pen as the device draws it under `transform`: a cosmetic pen keeps
/// its width, any other is scaled; no pen or a fully transparent one
/// becomes PenStyle::None.
vec::Pen ToVecPen(const QPen& pen, const QTransform& transform);

/// Solid and gradient brushes become a solid fill (a gradient with its
/// first stop's colour); no brush or a fully transparent one fills nothing.
vec::Brush ToVecBrush(const QBrush& brush);

/// The font with its em height in device pixels at `dpi` dots per inch,
/// scaled by `transform`.
vec::Font ToVecFont(const QFont& font, int dpi, const QTransform& transform);

vec::Rect ToVecRect(const QRectF& rect);

/// The image's pixels as 0xAARRGGBB (non-premultiplied), with the given
/// source and target rectangles.
vec::Image ToVecImage(const QImage& image, const QRectF& source, const QRectF& target);

/// How far `transform` turns the x axis, counter-clockwise on the page in
/// degrees (Qt's y axis points down, so a QPainter::rotate(-90) gives 90).
double CounterClockwiseDegrees(const QTransform& transform);

/// The factor by which `transform` scales lengths (the root of its area
/// scale), 1 for a pure translation or rotation.
double LengthScale(const QTransform& transform);

}  // namespace moravel
