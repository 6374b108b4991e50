#include "views/metafile/RecordingPaintEngine.h"

#include "views/metafile/QtToVector.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

namespace moravel {
namespace {

std::vector<vec::Point> ToPoints(const QPolygonF& polygon) {
    std::vector<vec::Point> points;
    points.reserve(polygon.size());
    for (const QPointF& p : polygon) points.push_back({p.x(), p.y()});
    return points;
}

const vec::Pen kNoPen{{}, 0, vec::PenStyle::None};

}  // namespace

RecordingPaintEngine::RecordingPaintEngine(vec::VectorDrawing& drawing, int dpi)
    : QPaintEngine(QPaintEngine::AllFeatures), drawing_(drawing), dpi_(dpi) {}

bool RecordingPaintEngine::begin(QPaintDevice* device) {
    device_ = device;
    transform_ = QTransform();
    pen_ = QPen();
    brush_ = QBrush();
    font_ = QFont();
    clipEnabled_ = false;
    clipRect_.reset();
    emittedClip_.reset();
    return true;
}

bool RecordingPaintEngine::end() { return true; }

void RecordingPaintEngine::Add(vec::Item item) {
    SyncClip();
    drawing_.items.push_back(std::move(item));
}

void RecordingPaintEngine::updateState(const QPaintEngineState& newState) {
    const DirtyFlags flags = newState.state();
    if (flags & DirtyTransform) transform_ = newState.transform();
    if (flags & DirtyPen) pen_ = newState.pen();
    if (flags & DirtyBrush) brush_ = newState.brush();
    if (flags & DirtyFont) font_ = newState.font();
    if (flags & DirtyClipPath) ApplyClip(newState.clipOperation(), newState.clipPath().boundingRect());
    if (flags & DirtyClipRegion) ApplyClip(newState.clipOperation(), QRectF(newState.clipRegion().boundingRect()));
    if (flags & DirtyClipEnabled) clipEnabled_ = newState.isClipEnabled();
}

void RecordingPaintEngine::ApplyClip(Qt::ClipOperation operation, const QRectF& rect) {
    const QRectF device = transform_.mapRect(rect);
    if (operation == Qt::NoClip) {
        clipRect_.reset();
        clipEnabled_ = false;
        return;
    }
    clipRect_ = operation == Qt::IntersectClip && clipRect_ ? clipRect_->intersected(device) : device;
    clipEnabled_ = true;
}

void RecordingPaintEngine::SyncClip() {
    const std::optional<QRectF> wanted = clipEnabled_ ? clipRect_ : std::nullopt;
    if (wanted == emittedClip_) return;
    emittedClip_ = wanted;
    drawing_.items.push_back(vec::Clip{wanted.has_value(), wanted ? ToVecRect(*wanted) : vec::Rect{}});
}

void RecordingPaintEngine::AddPolygon(const QPolygonF& devicePolygon, const vec::Pen& pen, const vec::Brush& brush) {
    if (devicePolygon.size() < 2) return;
    if (pen.style == vec::PenStyle::None && !brush.solid) return;
    Add(vec::Polygon{ToPoints(devicePolygon), pen, brush});
}

void RecordingPaintEngine::AddPolyline(const QPolygonF& devicePolygon) {
    const vec::Pen pen = ToVecPen(pen_, transform_);
    if (devicePolygon.size() < 2 || pen.style == vec::PenStyle::None) return;
    Add(vec::Polyline{ToPoints(devicePolygon), pen});
}

void RecordingPaintEngine::drawLines(const QLineF* lines, int lineCount) {
    for (int i = 0; i < lineCount; ++i) AddPolyline(transform_.map(QPolygonF({lines[i].p1(), lines[i].p2()})));
}

void RecordingPaintEngine::drawRects(const QRectF* rects, int rectCount) {
    const vec::Pen pen = ToVecPen(pen_, transform_);
    const vec::Brush brush = ToVecBrush(brush_);
    if (pen.style == vec::PenStyle::None && !brush.solid) return;
    for (int i = 0; i < rectCount; ++i) {
        if (HasRotationOrShear())
            AddPolygon(transform_.map(QPolygonF(rects[i])), pen, brush);
        else
            Add(vec::Rectangle{ToVecRect(transform_.mapRect(rects[i])), pen, brush});
    }
}

void RecordingPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
    const QPolygonF device = transform_.map(QPolygonF(QList<QPointF>(points, points + pointCount)));
    if (mode == PolylineMode)
        AddPolyline(device);
    else
        AddPolygon(device, ToVecPen(pen_, transform_), ToVecBrush(brush_));
}

void RecordingPaintEngine::drawPath(const QPainterPath& path) {
    const vec::Brush brush = ToVecBrush(brush_);
    if (brush.solid)
        for (const QPolygonF& polygon : path.toFillPolygons(transform_)) AddPolygon(polygon, kNoPen, brush);
    for (const QPolygonF& polygon : path.toSubpathPolygons(transform_)) AddPolyline(polygon);
}

void RecordingPaintEngine::drawTextItem(const QPointF& origin, const QTextItem& textItem) {
    const QString text = textItem.text();
    if (text.isEmpty()) return;
    vec::Text out;
    const QPointF start = transform_.map(origin);
    out.origin = {start.x(), start.y()};
    out.text = text.toStdU16String();
    out.font = ToVecFont(textItem.font(), dpi_, transform_);
    out.color = ToVecColor(pen_.color());
    out.rotation = CounterClockwiseDegrees(transform_);
    const QFontMetricsF metrics(textItem.font(), device_);
    const double scale = LengthScale(transform_);
    for (const QChar c : text) out.advances.push_back(metrics.horizontalAdvance(c) * scale);
    Add(std::move(out));
}

void RecordingPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) {
    drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
}

void RecordingPaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                                     Qt::ImageConversionFlags) {
    if (image.isNull()) return;
    Add(ToVecImage(image, source, transform_.mapRect(target)));
}

}  // namespace moravel
