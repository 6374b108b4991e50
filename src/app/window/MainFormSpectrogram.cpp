// The spectrogram (Chart2): one column per display refresh into the ring
// image, the time and frequency windows with their scroll bars, panning,
// zoom, Clear, the "nn:ss" labels, the cursor read-out and the double click
// that centres the spectrum plot.
#include "FFT.h"
#include "MainForm.h"
#include "LocaleNumber.h"
#include "PlotMath.h"
#include "PlotPanes.h"
#include "SpectrogramImage.h"
#include "TChart.h"
#include "pages/DebugPage.h"
#include "pages/SpectrogramPage.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include <cmath>

namespace moravel {

namespace {

constexpr int kCopySlot = 4;

int roundToInt(double value) { return static_cast<int>(std::nearbyint(value)); }

// Every window move sets the minimum to 0 first, so the chart never sees a
// minimum above its maximum.
void moveWindow(QCPAxis* axis, double minimum, double maximum) {
    axis->setRangeLower(0);
    axis->setRange(minimum, maximum);
}

}  // namespace

void TMainForm::connectSpectrogramControls() {
    TChart* chart = spectrogramPane->Chart2;
    connect(spectrogramPane->ScrollSpectrogram, &QScrollBar::valueChanged, this,
            [this] { guarded([this] { ScrollSpectrogramChange(); }); });
    connect(spectrogramPane->ScrollSpectrogramVertical, &QScrollBar::valueChanged, this,
            [this] { guarded([this] { ScrollSpectrogramVerticalChange(); }); });
    connect(spectrogram->SpectrogramClear, &QPushButton::clicked, this,
            [this] { guarded([this] { SpectrogramClearClick(); }); });
    connect(spectrogram->ComboPalettePresets, &QComboBox::activated, this,
            [this] { guarded([this] { ComboPalettePresetsChange(); }); });
    connect(spectrogram->sb_zoom_spectrogram, &QToolButton::clicked, this,
            [this] { guarded([this] { sb_zoom_spectrogramClick(); }); });
    connect(chart, &QCustomPlot::mouseMove, this, [this](QMouseEvent* e) { Chart2MouseMove(e); });
    connect(chart, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) { Chart2MouseDown(e); });
    connect(chart, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent* e) { Chart2DblClick(e); });
    chart->BeforeDrawAxes = [this](QCPPainter* painter, const QRect& plot) { Chart2BeforeDrawAxes(painter, plot); };
    chart->AllowScroll = [](QCPAxis*, double minimum) { return minimum >= 0; };
    chart->Scrolled = [this] { Chart2Scroll(); };
    chart->Zoomed = [this] { Chart2Zoom(); };
    chart->Resized = [this] { state_.LayoutChanged = true; };
    chart->SetPanning(true);
    spectrogramPane->TimeTicker->Label = [](double tick) {
        return QString::fromStdString(MinutesSeconds(static_cast<std::int64_t>(std::nearbyint(tick))));
    };
}

// ---- Inside DisplayData --------------------------------------------------------

void TMainForm::writeSpectrogramColumn() {
    spectrogramImage_->WriteColumn(SpectrogramColumn, engine_->DisplaySpectrum, engine_->DisplayCount, palette16_,
                                   spectrogram->TrackSpectrogramOffset->value(),
                                   spectrogram->TrackSpectrogramGain->value(),
                                   spectrogram->TrackSpectrogramGain->maximum());
}

// The time scroll range covers what the ring holds: at least its width, and
// up to the newest column once it has wrapped.
void TMainForm::updateTimeScrollRange() {
    if (engine_->BinWidth <= 0) return;
    const std::int64_t columns = std::max<std::int64_t>(spectrogramImage_->Width(), SpectrogramColumn);
    spectrogramPane->ScrollSpectrogram->setMaximum(roundToInt(static_cast<double>(columns) / engine_->BinWidth));
}

void TMainForm::spectrogramAutoScroll() {
    if (spectrogram->sb_spectrogram_autoscroll->isChecked() && !spectrogram->sb_zoom_spectrogram->isChecked()) {
        updateTimeScrollRange();
        const std::int64_t position = AutoScrollPosition(SpectrogramColumn, spectrogramPane->Chart2->PlotRect().width(),
                                                         TimePixelsPer1000);
        QScrollBar* bar = spectrogramPane->ScrollSpectrogram;
        bar->setValue(static_cast<int>(std::clamp<std::int64_t>(position, bar->minimum(), bar->maximum())));
    }
    spectrogramPane->Chart2->replot(QCustomPlot::rpQueuedReplot);
}

void TMainForm::spectrogramRelayout() {
    TChart* chart = spectrogramPane->Chart2;
    chart->UpdateLayout();
    const QRect plot = chart->PlotRect();
    const bool zoomed = chart->IsZoomed();
    const int scrollMaximum = spectrumPane->ScrollSpectrum->maximum();
    if (engine_->DisplayCount > 0) {
        const double h = zoomed ? chart->ZoomRect().height() : plot.height();
        const double lower = chart->yAxis->range().lower;
        moveWindow(chart->yAxis, lower, lower + roundToInt(h / engine_->DisplayCount * scrollMaximum));
    }
    QScrollBar* vertical = spectrogramPane->ScrollSpectrogramVertical;
    if (vertical->maximum() != scrollMaximum) {
        vertical->setMaximum(scrollMaximum);
        vertical->setValue(scrollMaximum);
        ScrollSpectrogramVerticalChange();
    }
    if (engine_->BinWidth > 0) {
        const double w = zoomed ? chart->ZoomRect().width() : plot.width();
        const double lower = chart->xAxis->range().lower;
        moveWindow(chart->xAxis, lower, lower + roundToInt(w / engine_->BinWidth));
        updateTimeScrollRange();
    }
}

// ---- Windows and scroll bars ------------------------------------------------------

void TMainForm::ScrollSpectrogramChange() {
    QCPAxis* axis = spectrogramPane->Chart2->xAxis;
    const int span = roundToInt(axis->range().upper - axis->range().lower);
    const int position = spectrogramPane->ScrollSpectrogram->value();
    moveWindow(axis, position, span + position);
    spectrogramPane->Chart2->replot(QCustomPlot::rpQueuedReplot);
}

// The vertical bar is inverted: its top shows the highest frequencies.
void TMainForm::ScrollSpectrogramVerticalChange() {
    QCPAxis* axis = spectrogramPane->Chart2->yAxis;
    const QScrollBar* bar = spectrogramPane->ScrollSpectrogramVertical;
    const int start = bar->maximum() - bar->value();
    const int span = roundToInt(axis->range().upper - axis->range().lower);
    moveWindow(axis, start, start + span);
    spectrogramPane->Chart2->replot(QCustomPlot::rpQueuedReplot);
}

// The scroll bars only follow the chart here: their handlers would move the
// axes again (rounded to whole seconds and hertz), and this also runs while
// the chart paints, where the axes must not change.
void TMainForm::Chart2Scroll() {
    const TChart* chart = spectrogramPane->Chart2;
    QScrollBar* vertical = spectrogramPane->ScrollSpectrogramVertical;
    const QSignalBlocker timeBlocker(spectrogramPane->ScrollSpectrogram);
    const QSignalBlocker frequencyBlocker(vertical);
    spectrogramPane->ScrollSpectrogram->setValue(roundToInt(chart->xAxis->range().lower));
    vertical->setValue(roundToInt(vertical->maximum() - chart->yAxis->range().lower));
}

// ---- Painting ----------------------------------------------------------------------

void TMainForm::Chart2BeforeDrawAxes(QCPPainter* painter, const QRect& plot) {
    if (inSpectrogramPaint_) return;
    inSpectrogramPaint_ = true;
    TChart* chart = spectrogramPane->Chart2;
    Chart2Scroll();
    const std::int64_t x0 = std::llrint(TimePixelsPer1000 / 1000.0 * chart->xAxis->range().lower);
    const int y0 = std::max(0, roundToInt(FrequencyPixelsPer1000 / 1000.0 * chart->yAxis->range().lower));
    int w = plot.width();
    int h = plot.height();
    if (chart->IsZoomed()) {
        chart->SetZoomAllowed(false);  // one zoom level only
        w = chart->ZoomRect().width();
        h = chart->ZoomRect().height();
    } else {
        TimePixelsPer1000 = roundToInt(TChart::PixelsFor(chart->xAxis, 1000));
        FrequencyPixelsPer1000 = roundToInt(TChart::PixelsFor(chart->yAxis, 1000));
        SavedTimeScroll = spectrogramPane->ScrollSpectrogram->value();
        SavedFrequencyScroll = spectrogramPane->ScrollSpectrogramVertical->value();
    }
    if (!state_.LayoutChanged) {
        stopwatch_.Start(kCopySlot);
        spectrogramImage_->Paint(*painter, plot, x0, w, SpectrogramImage::kRows - y0 - h, h, SpectrogramColumn);
        debug->Label53->setText(LocaleNumber(stopwatch_.Elapsed(kCopySlot), 3, 4));
    }
    inSpectrogramPaint_ = false;
}

// ---- Zoom and Clear ---------------------------------------------------------------------

void TMainForm::sb_zoom_spectrogramClick() {
    TChart* chart = spectrogramPane->Chart2;
    if (spectrogram->sb_zoom_spectrogram->isChecked()) {
        chart->SetZoomAllowed(true);
        return;
    }
    chart->UndoZoom();
    chart->SetZoomAllowed(false);
    spectrogramPane->ScrollSpectrogram->setValue(SavedTimeScroll);
    spectrogramPane->ScrollSpectrogramVertical->setValue(SavedFrequencyScroll);
    ScrollSpectrogramChange();
}

// A rectangle reaching below the plot shows frequencies from 0 Hz.
void TMainForm::Chart2Zoom() {
    TChart* chart = spectrogramPane->Chart2;
    Chart2Scroll();
    QRect rect = chart->ZoomRect();
    const int bottom = chart->PlotRect().bottom();
    if (rect.bottom() > bottom) {
        rect.setBottom(bottom);
        chart->SetZoomRect(rect);
        chart->yAxis->setRangeLower(0);
    }
    chart->setCursor(Qt::ArrowCursor);
    chart->replot(QCustomPlot::rpQueuedReplot);
}

void TMainForm::SpectrogramClearClick() {
    spectrogram->sb_zoom_spectrogram->setChecked(false);
    sb_zoom_spectrogramClick();
    spectrogramPane->ScrollSpectrogram->setValue(0);
    spectrogramPane->ScrollSpectrogramVertical->setValue(spectrogramPane->ScrollSpectrogramVertical->maximum());
    spectrogramImage_->Clear();
    SpectrogramColumn = 0;
    const QLocale locale;
    spectrogramPane->Chart2->xAxis->setLabel(
        QStringLiteral("Time from ") + locale.toString(QDate::currentDate(), QLocale::ShortFormat) + " " +
        locale.toString(QTime::currentTime(), QLocale::LongFormat));
    spectrogramPane->Chart2->replot(QCustomPlot::rpQueuedReplot);
}

// ---- Mouse ------------------------------------------------------------------------------------

void TMainForm::Chart2MouseMove(QMouseEvent* event) {
    TChart* chart = spectrogramPane->Chart2;
    const QRect plot = chart->PlotRect();
    const QPoint at = event->pos();
    if (event->buttons() != Qt::NoButton || event->modifiers() != Qt::NoModifier) return;
    if (at.x() <= plot.left() || at.x() >= plot.right() || at.y() <= plot.top() || at.y() >= plot.bottom()) return;
    const auto t = static_cast<std::int64_t>(std::nearbyint(chart->xAxis->pixelToCoord(at.x())));
    const double f = std::nearbyint(chart->yAxis->pixelToCoord(at.y()));
    spectrogramPane->Label40->setText(QStringLiteral("(%1, %2 Hz)")
                                          .arg(QString::fromStdString(MinutesSeconds(t)),
                                               LocaleNumber(f, 3, 0)));
}

void TMainForm::Chart2MouseDown(QMouseEvent* event) { LastMouseDownY = event->pos().y(); }

// Moves the spectrum plot's window so that the frequency clicked is in its middle.
void TMainForm::Chart2DblClick(QMouseEvent*) {
    const QCPRange window = spectrumPane->Chart1->xAxis->range();
    const double clicked = spectrogramPane->Chart2->yAxis->pixelToCoord(LastMouseDownY);
    spectrumPane->ScrollSpectrum->setValue(
        CentredScrollPosition(clicked, window.upper - window.lower, spectrumPane->ScrollSpectrum->maximum()));
}

}  // namespace moravel
