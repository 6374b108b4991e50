#include "views/Chart.h"

#include <cmath>
#include <memory>

namespace moravel {

namespace {

// A layerable that hands its painter and the plot rectangle to a hook.
class PaintHook : public QCPLayerable {
public:
    PaintHook(Chart* chart, const QString& layer, std::function<void(QCPPainter*, const QRect&)> Chart::*hook)
        : QCPLayerable(chart, layer), chart_(chart), hook_(hook) {}

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override { painter->setAntialiasing(false); }
    void draw(QCPPainter* painter) override {
        const auto& hook = chart_->*hook_;
        if (hook) hook(painter, chart_->PlotRect());
    }

private:
    Chart* chart_;
    std::function<void(QCPPainter*, const QRect&)> Chart::*hook_;
};

// The chart's bottom paint buffer, cleared to the chart's own background
// colour instead of transparent. Being opaque, it is copied to the window
// as it is instead of being blended over the background, and it stays in
// the screen's pixel format, so every paint of the chart saves a blend of
// its whole area. What is drawn into it looks the same, since the buffer is
// shown over that same background. A background that is not one solid
// colour, or a picture, keeps the transparent buffer.
class OpaquePaintBuffer : public QCPPaintBufferPixmap {
public:
    OpaquePaintBuffer(const QSize& size, double devicePixelRatio, const QBrush& background, const QPixmap& picture)
        : QCPPaintBufferPixmap(size, devicePixelRatio), background_(background), picture_(picture) {}

    void clear(const QColor& colour) override {
        const bool solid = background_.style() == Qt::SolidPattern && background_.color().alpha() == 255;
        QCPPaintBufferPixmap::clear(colour.alpha() == 0 && solid && picture_.isNull() ? background_.color() : colour);
    }

private:
    const QBrush& background_;
    const QPixmap& picture_;
};

// A layerable's drawing members are protected; pointers to them named
// through a derived class are ordinary pointers to members of QCPLayerable.
struct LayerableDrawing : QCPLayerable {
    static auto ClipRect() { return &LayerableDrawing::clipRect; }
    static auto Antialiasing() { return &LayerableDrawing::applyDefaultAntialiasingHint; }
    static auto Draw() { return &LayerableDrawing::draw; }
};

// What a replot does for one layer (each visible child under its clip
// rectangle, one row up, with its antialiasing), held inside `region`: the
// clip rectangles are cut to it, and a child whose clip, or whose outer
// rectangle for a layout element (title, legend), misses it is left out.
// None of the chart's children sets a clip of its own while drawing.
void drawLayer(QCPLayer& layer, QCPPainter& painter, const QRect& region) {
    for (QCPLayerable* child : layer.children()) {
        if (!child->realVisibility()) continue;
        const auto* element = qobject_cast<const QCPLayoutElement*>(child);
        if (element != nullptr && !element->outerRect().intersects(region)) continue;
        const QRect clip = (child->*LayerableDrawing::ClipRect())().translated(0, -1) & region;
        if (clip.isEmpty()) continue;
        painter.save();
        painter.setClipRect(clip);
        (child->*LayerableDrawing::Antialiasing())(&painter);
        (child->*LayerableDrawing::Draw())(&painter);
        painter.restore();
    }
}

// Sets a flag for a scope, also when the scope is left by an exception.
class FlagDuring {
public:
    explicit FlagDuring(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagDuring() { flag_ = false; }
    FlagDuring(const FlagDuring&) = delete;
    FlagDuring& operator=(const FlagDuring&) = delete;

private:
    bool& flag_;
};

}  // namespace

BarSeries::BarSeries(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPBars(keyAxis, valueAxis) {}

// Plain rectangles without antialiasing: a spectrum has hundreds of bars and
// is redrawn ten times a second.
void BarSeries::draw(QCPPainter* painter) {
    if (mDataContainer->isEmpty()) return;
    QCPBarsDataContainer::const_iterator begin;
    QCPBarsDataContainer::const_iterator end;
    getVisibleDataBounds(begin, end);
    const QColor colour = brush().color();
    painter->setAntialiasing(false);
    for (auto it = begin; it != end; ++it) {
        const QRect bar = getBarRect(it->key, it->value).toAlignedRect().normalized();
        painter->fillRect(bar, colour);
        lastBarWidth_ = std::max(bar.width(), 1);
    }
}

bool BarSeries::BarTop(int index, QPointF& top) const {
    if (index < 0 || index >= mDataContainer->size()) return false;
    const auto it = mDataContainer->constBegin() + index;
    const QRectF bar = getBarRect(it->key, it->value);
    top = QPointF(bar.left(), std::min(bar.top(), bar.bottom()));
    return true;
}

QString HookedTicker::getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) {
    return Label ? Label(tick) : QCPAxisTickerFixed::getTickLabel(tick, locale, formatChar, precision);
}

Chart::Chart(QWidget* parent) : QCustomPlot(parent) {
    addLayer(QStringLiteral("image"), layer(QStringLiteral("grid")), QCustomPlot::limBelow);
    new PaintHook(this, QStringLiteral("image"), &Chart::BeforeDrawAxes);
    new PaintHook(this, QStringLiteral("overlay"), &Chart::AfterDraw);
    // One paint buffer for everything: the overlay holds only the spectrum's
    // peak marker, and a buffer of its own would be cleared and blended over
    // the whole chart at every paint.
    layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    installOpaqueBuffer();
    // A replot asks for a paint instead of painting and flushing at once, so
    // the two plots and the read-outs changed in the same pass reach the
    // screen together.
    setPlottingHint(QCP::phImmediateRefresh, false);
    setNotAntialiasedElements(QCP::aeAll);
    setPlottingHint(QCP::phFastPolylines, true);
    // Tab and clicks focus the plot, so that its keys work without a mouse.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QCustomPlot::afterReplot, this,
            [this] { stamp_ = ChartLayoutStamp::Of(*this, mBackgroundBrush.color()); });
}

// The base class keeps the buffers it has and adds only missing ones, so
// the bottom buffer replaced here stays for the chart's life.
void Chart::installOpaqueBuffer() {
    const double ratio = mPaintBuffers.isEmpty() ? devicePixelRatioF() : mPaintBuffers.first()->devicePixelRatio();
    auto buffer = QSharedPointer<QCPAbstractPaintBuffer>(
        new OpaquePaintBuffer(viewport().size(), ratio, mBackgroundBrush, mBackgroundPixmap));
    if (mPaintBuffers.isEmpty()) {
        mPaintBuffers.append(buffer);
    } else {
        mPaintBuffers.first() = buffer;
    }
}

bool Chart::bottomBufferOpaque() const {
    return !mPaintBuffers.isEmpty() && dynamic_cast<OpaquePaintBuffer*>(mPaintBuffers.first().data()) != nullptr &&
           mBackgroundBrush.style() == Qt::SolidPattern && mBackgroundBrush.color().alpha() == 255 &&
           mBackgroundPixmap.isNull() && qFuzzyCompare(mBufferDevicePixelRatio, devicePixelRatioF());
}

// Over an opaque bottom buffer the background fill of the base class would
// be painted over at once; the buffers alone make the same picture.
void Chart::paintEvent(QPaintEvent* event) {
    if (!bottomBufferOpaque()) {
        QCustomPlot::paintEvent(event);
        return;
    }
    QCPPainter painter(this);
    if (!painter.isActive()) return;
    for (const auto& buffer : std::as_const(mPaintBuffers)) buffer->draw(&painter);
}

bool Chart::pictureReusable() {
    if (!bottomBufferOpaque() || mPaintBuffers.size() != 1 || !qFuzzyCompare(devicePixelRatioF(), 1.0)) return false;
    const QCPAbstractPaintBuffer& buffer = *mPaintBuffers.first();
    return !buffer.invalidated() && buffer.size() == viewport().size() && stamp_.valid &&
           stamp_ == ChartLayoutStamp::Of(*this, mBackgroundBrush.color());
}

// Each layer gets a painter of its own from the buffer, as in a replot.
void Chart::drawRegion(const QRect& region) {
    QCPAbstractPaintBuffer& buffer = *mPaintBuffers.first();
    const FlagDuring replotting(mReplotting);  // a replot asked for while drawing is dropped, as in replot()
    {
        const std::unique_ptr<QCPPainter> painter(buffer.startPainting());
        painter->fillRect(region, mBackgroundBrush.color());
    }
    buffer.donePainting();
    for (QCPLayer* layer : std::as_const(mLayers)) {
        std::unique_ptr<QCPPainter> painter(buffer.startPainting());
        drawLayer(*layer, *painter, region);
        painter.reset();  // ended before the buffer hears that painting is done
        buffer.donePainting();
    }
}

void Chart::ReplotRegion(const QRect& region) {
    if (mReplotQueued || mReplotting) return;
    emit beforeReplot();
    if (!pictureReusable()) {
        replot(rpQueuedReplot);
        return;
    }
    const QRect shown = region & QRect(QPoint(0, 0), viewport().size());
    if (shown.isEmpty()) return;
    drawRegion(shown);
    ++regionReplots_;
    update(shown);
}

void Chart::UpdateLayout() {
    plotLayout()->update(QCPLayoutElement::upPreparation);
    plotLayout()->update(QCPLayoutElement::upMargins);
    plotLayout()->update(QCPLayoutElement::upLayout);
}

void Chart::SetZoomAllowed(bool allowed) {
    zoomAllowed_ = allowed;
    setSelectionRectMode(allowed ? QCP::srmZoom : QCP::srmNone);
    setCursor(allowed ? Qt::CrossCursor : Qt::ArrowCursor);
}

void Chart::processRectZoom(QRect rect, QMouseEvent* event) {
    if (!zoomAllowed_ || zoomed_) return;
    savedX_ = xAxis->range();
    savedY_ = yAxis->range();
    zoomRect_ = rect.normalized();
    zoomed_ = true;
    QCustomPlot::processRectZoom(rect, event);
    if (Zoomed) Zoomed();
}

// The base class's rectangle zoom ignores its mouse event.
bool Chart::ZoomTo(const QRect& rect) {
    if (!zoomAllowed_ || zoomed_) return false;
    processRectZoom(rect, nullptr);
    return true;
}

void Chart::UndoZoom() {
    if (!zoomed_) return;
    zoomed_ = false;
    xAxis->setRange(savedX_);
    yAxis->setRange(savedY_);
}

void Chart::SetPanning(bool allowed) {
    setInteraction(QCP::iRangeDrag, allowed);
    axisRect()->setRangeDrag(Qt::Horizontal | Qt::Vertical);
}

bool Chart::StrictlyInsidePlot(const QPoint& at) const {
    const QRect plot = PlotRect();
    return at.x() > plot.left() && at.x() < plot.right() && at.y() > plot.top() && at.y() < plot.bottom();
}

void Chart::MoveWindow(QCPAxis* axis, double minimum, double maximum) {
    axis->setRangeLower(0);
    axis->setRange(minimum, maximum);
}

double Chart::PixelsFor(QCPAxis* axis, double span) {
    return std::abs(axis->coordToPixel(axis->range().lower + span) - axis->coordToPixel(axis->range().lower));
}

// A pan is what a mouse move with the left button did to the axes while
// dragging is on and no zoom rectangle is being drawn; ranges set by code
// never count as a pan.
void Chart::mouseMoveEvent(QMouseEvent* event) {
    const QCPRange x = xAxis->range();
    const QCPRange y = yAxis->range();
    QCustomPlot::mouseMoveEvent(event);
    if (!(event->buttons() & Qt::LeftButton) || selectionRectMode() != QCP::srmNone ||
        !interactions().testFlag(QCP::iRangeDrag)) {
        return;
    }
    if (xAxis->range() == x && yAxis->range() == y) return;
    if (AllowScroll && (!AllowScroll(xAxis, xAxis->range().lower) || !AllowScroll(yAxis, yAxis->range().lower))) {
        xAxis->setRange(x);
        yAxis->setRange(y);
        replot(rpQueuedReplot);
        return;
    }
    if (Scrolled) Scrolled();
}

void Chart::resizeEvent(QResizeEvent* event) {
    QCustomPlot::resizeEvent(event);
    if (Resized) Resized();
}

}  // namespace moravel
