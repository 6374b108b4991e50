// A QPaintEngine that records what a QPainter draws into a display list
// (vec::VectorDrawing) in device pixels: lines, polylines, polygons,
// rectangles, paths (as polygons), text with its font and colour (rotated
// by the painter's transform), images with source and target rectangles,
// and the clip rectangle. Gradients fill with their first colour and alpha
// is dropped, since the metafile formats draw opaque shapes.
// GUI thread only; one painter at a time.
#pragma once

#include <QFont>
#include <QPaintEngine>
#include <QPen>
#include <QTransform>

#include <optional>

#include "views/core/VectorDrawing.h"

namespace moravel {

class RecordingPaintEngine : public QPaintEngine {
public:
    /// Records into `drawing`, which must outlive the engine; `dpi` is the
    /// device's resolution for fonts given in points.
    RecordingPaintEngine(vec::VectorDrawing& drawing, int dpi);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& newState) override;

    void drawLines(const QLineF* lines, int lineCount) override;
    void drawRects(const QRectF* rects, int rectCount) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& path) override;
    void drawTextItem(const QPointF& origin, const QTextItem& textItem) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override;
    Type type() const override { return QPaintEngine::User; }

private:
    /// Appends a drawn item, preceded by a clip item if the clip changed
    /// since the last one (so clips set and reset without drawing leave no trace).
    void Add(vec::Item item);
    void AddPolygon(const QPolygonF& devicePolygon, const vec::Pen& pen, const vec::Brush& brush);
    void AddPolyline(const QPolygonF& devicePolygon);
    /// Sets or combines the clip with `rect` in painter coordinates.
    void ApplyClip(Qt::ClipOperation operation, const QRectF& rect);
    /// Records a clip item if the clip that applies has changed.
    void SyncClip();
    bool HasRotationOrShear() const { return transform_.type() > QTransform::TxScale; }

    vec::VectorDrawing& drawing_;
    const int dpi_;
    QPaintDevice* device_ = nullptr;
    QTransform transform_;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    bool clipEnabled_ = false;
    std::optional<QRectF> clipRect_;     // in device pixels
    std::optional<QRectF> emittedClip_;  // the clip the display list has in force
};

}  // namespace moravel
