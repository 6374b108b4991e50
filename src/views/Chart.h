// The chart layer under the two plots: a QCustomPlot with the few things the
// plots need beyond it, so that the window's handlers read like the plots'
// own rules:
//   - a paint hook below the grid and axes (the spectrogram image) and one
//     above everything (the spectrum's peak marker), both with the plot
//     rectangle;
//   - panning with an allow-scroll veto and a scroll notification;
//   - a zoom mode with one dragged (or keyed) rectangle that can be read and
//     cut, a zoomed flag and an undo that restores the ranges from before
//     the zoom;
//   - a per-label text hook for the bottom axis;
//   - bars that remember the pixel width they were last drawn with, drawn
//     as plain filled rectangles;
//   - a resize notification;
//   - moving an axis's window and telling whether a point is inside the plot;
//   - keyboard focus by Tab or click (the window gives the plots their keys);
//   - one opaque paint buffer in the background colour, copied to the
//     screen without blending;
//   - a region replot: when only the plotted data changed, a part of the
//     picture is drawn again from the layers and shown, without the layout
//     pass, the clearing of the whole buffer and the repaint of the whole
//     widget that a full replot costs.
// GUI thread only.
#pragma once

#include "views/ChartLayoutStamp.h"

#include <qcustomplot.h>

#include <functional>

namespace moravel {

/// Bars drawn as filled rectangles of the series' colour (outline and fill
/// the same), remembering the width in pixels of the last bar drawn.
class BarSeries : public QCPBars {
public:
    BarSeries(QCPAxis* keyAxis, QCPAxis* valueAxis);
    /// Width in pixels the bars had at the last paint, at least 1.
    int LastBarWidth() const { return lastBarWidth_; }
    /// Pixel position of the top centre of bar `index` (0-based) at the last
    /// paint's geometry; false when there is no such bar.
    bool BarTop(int index, QPointF& top) const;

protected:
    void draw(QCPPainter* painter) override;

private:
    int lastBarWidth_ = 1;
};

/// Tick labels whose text comes from a hook (fixed tick step).
class HookedTicker : public QCPAxisTickerFixed {
public:
    std::function<QString(double tick)> Label;

protected:
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;
};

class Chart : public QCustomPlot {
public:
    explicit Chart(QWidget* parent = nullptr);

    /// Drawn below the grid and the axes: painter and plot rectangle.
    std::function<void(QCPPainter*, const QRect&)> BeforeDrawAxes;
    /// Drawn after everything else.
    std::function<void(QCPPainter*, const QRect&)> AfterDraw;
    /// Asked before a pan moves an axis to a new minimum; false refuses it.
    std::function<bool(QCPAxis* axis, double newMinimum)> AllowScroll;
    /// After a pan moved the axes.
    std::function<void()> Scrolled;
    /// After a zoom rectangle was applied.
    std::function<void()> Zoomed;
    /// After the chart changed size.
    std::function<void()> Resized;

    QRect PlotRect() const { return axisRect()->rect(); }
    /// True when `at` (chart pixels) lies strictly inside the plot rectangle,
    /// not on its edges.
    bool StrictlyInsidePlot(const QPoint& at) const;
    /// Lays the chart out for its current size now, so that PlotRect() and
    /// the pixel conversions are current before the next paint.
    void UpdateLayout();

    // ---- Region replot ---------------------------------------------------
    /// The plot rectangle with the row and column around it: what the
    /// plottables, clipped to the plot, and the axes' lines can reach.
    QRect PlotArea() const { return PlotRect().adjusted(-1, -1, 1, 1); }
    /// Draws `region` (chart pixels) of the picture again from every layer
    /// and repaints that part of the widget, when the chart's layout stands
    /// as at its last full replot (ChartLayoutStamp: size, plot rectangle,
    /// axis ranges, scales and titles) and its one opaque buffer holds that
    /// replot's picture; the result is pixel for pixel what a full replot
    /// would show, provided nothing outside `region` changed. Otherwise it
    /// asks for a full replot at the next event-loop pass, and with one
    /// already asked for it does nothing. An empty region only checks.
    /// Emits beforeReplot first, as a replot does.
    void ReplotRegion(const QRect& region);
    /// Region replots drawn since the chart was made (for tests and
    /// benchmarks).
    int RegionReplots() const { return regionReplots_; }

    // ---- Zoom ------------------------------------------------------------
    /// Lets the user drag a zoom rectangle (cross-hair cursor) or forbids it.
    void SetZoomAllowed(bool allowed);
    bool ZoomAllowed() const { return zoomAllowed_; }
    /// A rectangle was applied and not undone.
    bool IsZoomed() const { return zoomed_; }
    /// The last applied rectangle, in chart pixels.
    QRect ZoomRect() const { return zoomRect_; }
    void SetZoomRect(const QRect& rect) { zoomRect_ = rect; }
    /// Applies `rect` (chart pixels, its top-left inside the plot) as if it
    /// had been dragged: refused, returning false, unless zooming is allowed
    /// and the chart is not zoomed yet.
    bool ZoomTo(const QRect& rect);
    /// Restores the axis ranges from before the zoom.
    void UndoZoom();

    // ---- Panning -----------------------------------------------------------
    /// Lets the user drag the plot around (both axes) or forbids it.
    void SetPanning(bool allowed);

    /// Pixels that `span` units of `axis` cover.
    static double PixelsFor(QCPAxis* axis, double span);
    /// Shows `minimum` .. `maximum` (axis units) on `axis`. The minimum is set
    /// to 0 first, so the axis never holds a minimum above its maximum on the
    /// way (a window moving down past its old maximum).
    static void MoveWindow(QCPAxis* axis, double minimum, double maximum);

protected:
    void processRectZoom(QRect rect, QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void installOpaqueBuffer();
    /// The bottom buffer is ours and filled with a solid background.
    bool bottomBufferOpaque() const;
    /// The buffer holds a full replot's picture that a region replot can
    /// patch: one opaque buffer at ratio 1, current, of the viewport's size,
    /// and the layout unchanged since.
    bool pictureReusable();
    /// The background and every layer drawn again inside `region` of the
    /// buffer.
    void drawRegion(const QRect& region);

    bool zoomAllowed_ = false;
    bool zoomed_ = false;
    QRect zoomRect_;
    QCPRange savedX_;
    QCPRange savedY_;
    ChartLayoutStamp stamp_;  // taken after each full replot
    int regionReplots_ = 0;
};

}  // namespace moravel
