// The one entry point for the vector image files: records what a painter
// draws at a given size in pixels (96 dpi) and returns the bytes of a
// placeable WMF, an EMF or an SVG file.
#pragma once

#include <QPainter>
#include <QSize>

#include <cstdint>
#include <functional>
#include <vector>

namespace moravel {

enum class VectorFormat { Wmf, Emf, Svg };

/// Records what `paint` draws on a device of `size` pixels (96 dpi) and
/// returns the file's bytes in `format`. GUI thread only.
std::vector<std::uint8_t> RenderVector(VectorFormat format, QSize size, const std::function<void(QPainter&)>& paint);

/// The same for a caller that brings its own QPainter subclass (a chart's
/// painter, say): `paint` begins and ends its own painter on the device.
/// GUI thread only.
std::vector<std::uint8_t> RenderVectorOnDevice(VectorFormat format, QSize size,
                                               const std::function<void(QPaintDevice&)>& paint);

}  // namespace moravel
