#include "app/window/SpectrogramView.h"

#include "app/window/AccessiblePlotKeys.h"
#include "app/window/AccessiblePlotText.h"
#include "app/pipeline/BlockCycle.h"
#include "dsp/Engine.h"
#include "app/window/LocaleNumber.h"
#include "views/core/PlotMath.h"
#include "app/window/PlotPanes.h"
#include "app/core/Stopwatch.h"
#include "views/Chart.h"
#include "app/window/TabHighlight.h"
#include "app/window/pages/SpectrogramPage.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace moravel {

namespace {

constexpr int kCopySlot = 4;

// The keyboard cursor's cross: arms this many pixels long each side of the
// point, a white line over a black one three pixels wide, so that it shows
// on every colour of the palette.
constexpr int kMarkerArm = 6;

// The pixels the cross can touch, outline included.
QRect MarkerRect(const QPoint& at) {
    return QRect(at.x() - kMarkerArm - 1, at.y() - kMarkerArm - 1, 2 * kMarkerArm + 3, 2 * kMarkerArm + 3);
}

int roundToInt(double value) { return static_cast<int>(std::nearbyint(value)); }

QString minutesSecondsLabel(double tick) {
    return QString::fromStdString(MinutesSeconds(static_cast<std::int64_t>(std::nearbyint(tick))));
}

}  // namespace

SpectrogramView::SpectrogramView(const Parts& parts, int columns)
    : parts_(parts), image_(std::make_unique<SpectrogramImage>(columns)), palette_(parts.page) {}

SpectrogramView::~SpectrogramView() = default;

void SpectrogramView::Connect(const ErrorReport& report) {
    const GuardedConnector<SpectrogramView> on(parts_.pane, *this, report);
    SpectrogramPane& pane = parts_.pane;
    SpectrogramPage& page = parts_.page;
    on(pane.timeScroll, &QScrollBar::valueChanged, &SpectrogramView::ScrollTime);
    on(pane.frequencyScroll, &QScrollBar::valueChanged, &SpectrogramView::ScrollFrequency);
    on(page.clearButton, &QPushButton::clicked, &SpectrogramView::Clear);
    on(page.palettePresetCombo, &QComboBox::activated, [this] { palette_.ApplySelectedPreset(); });
    on(page.zoomSwitch, &QToolButton::clicked, &SpectrogramView::ZoomButtonChanged);
    on(page.spectrogramSwitch, &QToolButton::clicked, &SpectrogramView::OnSwitched);
    on(page.autoScrollSwitch, &QToolButton::clicked, &SpectrogramView::OnSwitched);
    Chart* chart = pane.chart;
    on(chart, &QCustomPlot::mouseMove, [this](QMouseEvent* event) { ShowCursor(*event); });
    on(chart, &QCustomPlot::mousePress, [this](QMouseEvent* event) { RememberPress(*event); });
    on(chart, &QCustomPlot::mouseDoubleClick, &SpectrogramView::CentreSpectrumOnPress);
    chart->BeforeDrawAxes = on.Guard([this](QCPPainter* painter, const QRect& plot) { Paint(*painter, plot); });
    chart->AfterDraw =
        on.Guard([this](QCPPainter* painter, const QRect& plot) { PaintKeyboardCursor(*painter, plot); });
    chart->AllowScroll = on.Guard(&AllowPanTo);
    chart->Scrolled = on.Guard(&SpectrogramView::FollowChart);
    chart->Zoomed = on.Guard(&SpectrogramView::ZoomApplied);
    chart->Resized = on.Guard([this] { parts_.state.LayoutChanged = true; });
    chart->SetPanning(true);
    pane.timeTicker->Label = on.Guard(&minutesSecondsLabel);
    connectKeys(on);
}

// The plot's keyboard equivalents of its mouse actions (AccessiblePlotKeys.h).
void SpectrogramView::connectKeys(const GuardedConnector<SpectrogramView>& on) {
    Chart* chart = parts_.pane.chart;
    InstallSpectrogramPlotKeys(chart, {parts_.pane.timeScroll, parts_.pane.frequencyScroll,
                                       on.Guard([this](const QPoint& at) {
                                           ShowKeyboardCursor(at);
                                           DescribePlot();
                                       }),
                                       on.Guard([this](const QPoint& at) { CentreSpectrumAt(at.y()); }),
                                       on.Guard([this, chart](const QPoint& at) {
                                           ZoomInOn(KeyboardZoomRect(chart->PlotRect(), at));
                                       }),
                                       on.Guard(&SpectrogramView::EndZoom)});
}

void SpectrogramView::OnSwitched() {
    HighlightTab(parts_.tabs, parts_.page.sheet, parts_.page.spectrogramSwitch->isChecked());
}

void SpectrogramView::DescribePlot() {
    const QString zoomed = parts_.pane.chart->IsZoomed() ? QStringLiteral("Zoomed. ") : QString();
    SetDescriptionIfChanged(parts_.pane.chart, zoomed + QStringLiteral("Cursor ") + parts_.pane.cursorLabel->text());
}

// ---- Inside DisplayData --------------------------------------------------------------

void SpectrogramView::AdvanceColumn() { ++column_; }

void SpectrogramView::WriteColumn() {
    const SpectrogramPage& page = parts_.page;
    image_->WriteColumn(column_, parts_.engine.DisplaySpectrum, parts_.engine.DisplayCount, palette_.Colours16(),
                        page.colorOffsetSlider->value(), page.colorGainSlider->value(),
                        page.colorGainSlider->maximum());
    if (!page.autoScrollSwitch->isChecked() || page.zoomSwitch->isChecked()) return;
    updateTimeScrollRange();
    const std::int64_t position =
        AutoScrollPosition(column_, parts_.pane.chart->PlotRect().width(), timePixelsPer1000_);
    QScrollBar* bar = parts_.pane.timeScroll;
    bar->setValue(static_cast<int>(std::clamp<std::int64_t>(position, bar->minimum(), bar->maximum())));
}

void SpectrogramView::Repaint() { parts_.pane.chart->replot(QCustomPlot::rpQueuedReplot); }

std::int64_t SpectrogramView::firstColumnShown() const {
    return std::llrint(timePixelsPer1000_ / 1000.0 * parts_.pane.chart->xAxis->range().lower);
}

// Unzoomed, one image column is one screen column: the newest column is the
// one-pixel strip at its offset from the window's first column, and nothing
// else of the picture changed unless the ring dropped a column in view.
void SpectrogramView::RepaintNewColumn() {
    Chart* chart = parts_.pane.chart;
    if (parts_.state.LayoutChanged || chart->IsZoomed() || !scalesSettled_) {
        Repaint();
        return;
    }
    const QRect plot = chart->PlotRect();
    const std::int64_t first = firstColumnShown();
    const auto shown = [&](std::int64_t column) { return column >= first && column < first + plot.width(); };
    if (shown(column_ - image_->Width())) {
        Repaint();
        return;
    }
    if (!shown(column_)) {
        chart->ReplotRegion(QRect());  // still a full replot if the layout changed
        return;
    }
    const int x = plot.left() + static_cast<int>(column_ - first);
    chart->ReplotRegion(QRect(x, plot.top() - 1, 1, plot.height() + 2));
}

// The time scroll range covers what the ring holds: at least its width, and
// up to the newest column once it has wrapped.
void SpectrogramView::updateTimeScrollRange() {
    if (parts_.engine.BinWidth <= 0) return;
    const std::int64_t columns = std::max<std::int64_t>(image_->Width(), column_);
    parts_.pane.timeScroll->setMaximum(roundToInt(static_cast<double>(columns) / parts_.engine.BinWidth));
}

void SpectrogramView::Relayout() {
    Chart* chart = parts_.pane.chart;
    const Engine& engine = parts_.engine;
    chart->UpdateLayout();
    const QRect plot = chart->PlotRect();
    const bool zoomed = chart->IsZoomed();
    const int scrollMaximum = parts_.spectrum.frequencyScroll->maximum();
    if (engine.DisplayCount > 0) {
        const double h = zoomed ? chart->ZoomRect().height() : plot.height();
        const double lower = chart->yAxis->range().lower;
        Chart::MoveWindow(chart->yAxis, lower, lower + roundToInt(h / engine.DisplayCount * scrollMaximum));
    }
    QScrollBar* vertical = parts_.pane.frequencyScroll;
    if (vertical->maximum() != scrollMaximum) {
        vertical->setMaximum(scrollMaximum);
        vertical->setValue(scrollMaximum);
        ScrollFrequency();
    }
    if (engine.BinWidth > 0) {
        const double w = zoomed ? chart->ZoomRect().width() : plot.width();
        const double lower = chart->xAxis->range().lower;
        Chart::MoveWindow(chart->xAxis, lower, lower + roundToInt(w / engine.BinWidth));
        updateTimeScrollRange();
    }
}

// ---- Windows and scroll bars ---------------------------------------------------------

void SpectrogramView::ScrollTime() {
    QCPAxis* axis = parts_.pane.chart->xAxis;
    const int span = roundToInt(axis->range().upper - axis->range().lower);
    const int position = parts_.pane.timeScroll->value();
    Chart::MoveWindow(axis, position, span + position);
    Repaint();
}

// The vertical bar is inverted: its top shows the highest frequencies.
void SpectrogramView::ScrollFrequency() {
    QCPAxis* axis = parts_.pane.chart->yAxis;
    const QScrollBar* bar = parts_.pane.frequencyScroll;
    const int start = bar->maximum() - bar->value();
    const int span = roundToInt(axis->range().upper - axis->range().lower);
    Chart::MoveWindow(axis, start, start + span);
    Repaint();
}

// The scroll bars' handlers would move the axes again (rounded to whole
// seconds and hertz), and this also runs while the chart paints, where the
// axes must not change.
void SpectrogramView::FollowChart() {
    const Chart* chart = parts_.pane.chart;
    QScrollBar* time = parts_.pane.timeScroll;
    QScrollBar* vertical = parts_.pane.frequencyScroll;
    const QSignalBlocker timeBlocker(time);
    const QSignalBlocker frequencyBlocker(vertical);
    time->setValue(roundToInt(chart->xAxis->range().lower));
    vertical->setValue(roundToInt(vertical->maximum() - chart->yAxis->range().lower));
}

// ---- Painting ----------------------------------------------------------------------------

void SpectrogramView::Paint(QCPPainter& painter, const QRect& plot) {
    if (painting_) return;
    painting_ = true;
    // Reset even when the copy's timing throws, so later paints still draw.
    struct PaintingFlag {
        bool& flag;
        ~PaintingFlag() { flag = false; }
    } const reset{painting_};
    Chart* chart = parts_.pane.chart;
    FollowChart();
    const std::int64_t x0 = std::llrint(timePixelsPer1000_ / 1000.0 * chart->xAxis->range().lower);
    const int y0 = std::max(0, roundToInt(frequencyPixelsPer1000_ / 1000.0 * chart->yAxis->range().lower));
    int w = plot.width();
    int h = plot.height();
    if (chart->IsZoomed()) {
        chart->SetZoomAllowed(false);  // one zoom level only
        w = chart->ZoomRect().width();
        h = chart->ZoomRect().height();
    } else {
        const std::int32_t timeScale = roundToInt(Chart::PixelsFor(chart->xAxis, 1000));
        const std::int32_t frequencyScale = roundToInt(Chart::PixelsFor(chart->yAxis, 1000));
        scalesSettled_ = timeScale == timePixelsPer1000_ && frequencyScale == frequencyPixelsPer1000_;
        timePixelsPer1000_ = timeScale;
        frequencyPixelsPer1000_ = frequencyScale;
        savedTimeScroll_ = parts_.pane.timeScroll->value();
        savedFrequencyScroll_ = parts_.pane.frequencyScroll->value();
    }
    if (parts_.state.LayoutChanged) return;
    parts_.stopwatch.Start(kCopySlot);
    image_->Paint(painter, plot, x0, w, SpectrogramImage::kRows - y0 - h, h, column_);
    parts_.copyTime.setText(LocaleNumber(parts_.stopwatch.Elapsed(kCopySlot), 3, 4));
}

// ---- Zoom and Clear ----------------------------------------------------------------------

void SpectrogramView::ZoomButtonChanged() {
    Chart* chart = parts_.pane.chart;
    if (parts_.page.zoomSwitch->isChecked()) {
        chart->SetZoomAllowed(true);
        return;
    }
    chart->UndoZoom();
    chart->SetZoomAllowed(false);
    parts_.pane.timeScroll->setValue(savedTimeScroll_);
    parts_.pane.frequencyScroll->setValue(savedFrequencyScroll_);
    ScrollTime();
}

void SpectrogramView::ZoomApplied() {
    Chart* chart = parts_.pane.chart;
    FollowChart();
    QRect rect = chart->ZoomRect();
    const int bottom = chart->PlotRect().bottom();
    if (rect.bottom() > bottom) {
        rect.setBottom(bottom);
        chart->SetZoomRect(rect);
        chart->yAxis->setRangeLower(0);
    }
    chart->setCursor(Qt::ArrowCursor);
    Repaint();
}

void SpectrogramView::ZoomInOn(const QRect& rect) {
    if (!parts_.page.zoomSwitch->isChecked()) {
        parts_.page.zoomSwitch->setChecked(true);
        ZoomButtonChanged();
    }
    parts_.pane.chart->ZoomTo(rect);
}

void SpectrogramView::EndZoom() {
    if (!parts_.page.zoomSwitch->isChecked()) return;
    parts_.page.zoomSwitch->setChecked(false);
    ZoomButtonChanged();
}

void SpectrogramView::Clear() {
    parts_.page.zoomSwitch->setChecked(false);
    ZoomButtonChanged();
    parts_.pane.timeScroll->setValue(0);
    parts_.pane.frequencyScroll->setValue(parts_.pane.frequencyScroll->maximum());
    image_->Clear();
    column_ = 0;
    const QLocale locale;
    parts_.pane.chart->xAxis->setLabel(QStringLiteral("Time from ") +
                                        locale.toString(QDate::currentDate(), QLocale::ShortFormat) + " " +
                                        locale.toString(QTime::currentTime(), QLocale::LongFormat));
    Repaint();
}

// ---- Mouse --------------------------------------------------------------------------------

void SpectrogramView::ShowCursor(const QMouseEvent& event) {
    if (event.buttons() != Qt::NoButton || event.modifiers() != Qt::NoModifier) return;
    if (!parts_.pane.chart->StrictlyInsidePlot(event.pos())) return;
    moveMarker(QPoint(-1, -1));
    ShowCursorAt(event.pos());
}

void SpectrogramView::ShowKeyboardCursor(const QPoint& at) {
    moveMarker(at);
    ShowCursorAt(at);
}

// Only the strips under the old and the new cross are drawn again.
void SpectrogramView::moveMarker(const QPoint& at) {
    if (at == keyboardCursor_) return;
    QRect changed = MarkerRect(at);
    if (keyboardCursor_ != QPoint(-1, -1)) changed = changed.united(MarkerRect(keyboardCursor_));
    keyboardCursor_ = at;
    parts_.pane.chart->ReplotRegion(changed);
}

void SpectrogramView::PaintKeyboardCursor(QCPPainter& painter, const QRect& plot) const {
    // Saving, copying and printing draw the chart with caching off (and
    // vector formats vectorised).
    if (painter.modes() & (QCPPainter::pmNoCaching | QCPPainter::pmVectorized)) return;
    if (!parts_.pane.chart->StrictlyInsidePlot(keyboardCursor_)) return;
    const QPoint& at = keyboardCursor_;
    const QLine across(at.x() - kMarkerArm, at.y(), at.x() + kMarkerArm, at.y());
    const QLine down(at.x(), at.y() - kMarkerArm, at.x(), at.y() + kMarkerArm);
    painter.save();
    painter.setClipRect(plot.adjusted(1, 1, -1, -1));
    painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(across);
    painter.drawLine(down);
    painter.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(across);
    painter.drawLine(down);
    painter.restore();
}

void SpectrogramView::ShowCursorAt(const QPoint& at) {
    const Chart* chart = parts_.pane.chart;
    if (!chart->StrictlyInsidePlot(at)) return;
    const auto t = static_cast<std::int64_t>(std::nearbyint(chart->xAxis->pixelToCoord(at.x())));
    const double f = std::nearbyint(chart->yAxis->pixelToCoord(at.y()));
    parts_.pane.cursorLabel->setText(
        QStringLiteral("(%1, %2 Hz)").arg(QString::fromStdString(MinutesSeconds(t)), LocaleNumber(f, 3, 0)));
}

void SpectrogramView::RememberPress(const QMouseEvent& event) { lastPressY_ = event.pos().y(); }

void SpectrogramView::CentreSpectrumOnPress() { CentreSpectrumAt(lastPressY_); }

void SpectrogramView::CentreSpectrumAt(int y) {
    const QCPRange window = parts_.spectrum.chart->xAxis->range();
    const double clicked = parts_.pane.chart->yAxis->pixelToCoord(y);
    QScrollBar* frequency = parts_.spectrum.frequencyScroll;
    frequency->setValue(CentredScrollPosition(clicked, window.upper - window.lower, frequency->maximum()));
}

}  // namespace moravel
