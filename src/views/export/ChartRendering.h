// A chart drawn as it stands on screen, at its on-screen size, with its
// background, titles, axes, labels and data, the drawings of its paint hooks
// included (the spectrogram's image, the spectrum's peak marker) and a
// zoomed chart as zoomed. The chart is laid out for its own size, so hooks
// that take their geometry from the chart draw exactly what the screen
// shows. GUI thread only (the chart is a widget).
#pragma once

#include "views/metafile/VectorExport.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

class QCustomPlot;

namespace moravel {

/// The chart's size on screen in pixels; throws ExportError when it has no
/// area (a hidden or collapsed chart).
QSize ChartSize(const QCustomPlot& chart);

/// The chart in an opaque bitmap of ChartSize(chart) pixels.
QImage RenderChartBitmap(QCustomPlot& chart);

/// The chart as a vector file of `format` (placeable WMF, EMF or SVG) of
/// ChartSize(chart) pixels: lines, rectangles and text as such, the
/// spectrogram's image as a bitmap inside.
QByteArray RenderChartVector(QCustomPlot& chart, VectorFormat format);

}  // namespace moravel
