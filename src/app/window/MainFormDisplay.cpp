// The display side of the main window: the Spectrum and Spectrogram pages'
// handlers that set the engine's display analysis (resolution, smoothing,
// normalisation), the spectrum plot's scale modes, and DisplayData, the
// 100 ms refresh of the spectrum bars and read-outs.
#include "AccessiblePlotKeys.h"
#include "AccessiblePlotText.h"
#include "ChainSettings.h"
#include "FFT.h"
#include "MainForm.h"
#include "LocaleNumber.h"
#include "PlotMath.h"
#include "PlotPanes.h"
#include "SpectrogramView.h"
#include "TChart.h"
#include "pages/FilterPage.h"
#include "pages/AudioPage.h"
#include "pages/DebugPage.h"
#include "pages/SpectrogramPage.h"
#include "pages/SpectrumPage.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

#include <cmath>

namespace moravel {

namespace {

enum ScaleMode { kPeakHold = 0, kAutoScale = 1, kManualScale = 2 };

constexpr int kPlotTimeSlot = 3;

// Panning never shows frequencies below 0 Hz.
bool allowScroll(QCPAxis*, double newMinimum) { return newMinimum >= 0; }

}  // namespace

void TMainForm::connectDisplayControls() {
    on(spectrum->ComboSpectrumScale, &QComboBox::activated, &TMainForm::ComboSpectrumScaleChange);
    on(spectrum->TrackSpectrumMax, &QSlider::valueChanged, &TMainForm::TrackSpectrumMaxChange);
    on(spectrum->ButtonRefreshSpectrumScale, &QPushButton::clicked, &TMainForm::ButtonRefreshSpectrumScaleClick);
    on(spectrum->CheckSpectrumDecay, &QCheckBox::toggled, &TMainForm::CheckSpectrumDecayClick);
    on(spectrum->TrackSpectrumDecay, &QSlider::valueChanged, &TMainForm::TrackSpectrumDecayChange);
    on(spectrum->ComboSpectrumResolution, &QComboBox::activated, &TMainForm::ComboSpectrumResolutionChange);
    on(spectrum->CheckSpectrumLogarithmic, &QCheckBox::toggled, &TMainForm::CheckSpectrumLogarithmicClick);
    on(spectrum->sp_spectrum_normalize, &QToolButton::clicked, &TMainForm::sp_spectrum_normalizeClick);
    on(spectrum->sb_Spectrum_on, &QToolButton::clicked, &TMainForm::sb_Spectrum_onClick);
    on(spectrogram->sb_spectrogram_on, &QToolButton::clicked, &TMainForm::sb_spectrogram_onClick);
    on(spectrogram->sb_spectrogram_autoscroll, &QToolButton::clicked, &TMainForm::sb_spectrogram_onClick);
    on(debug->sb_plot_spectral, &QToolButton::clicked, &TMainForm::sb_plot_spectralClick);
    on(debug->sb_plot_signal, &QToolButton::clicked, &TMainForm::sb_plot_signalClick);
    on(spectrumPane->ScrollSpectrum, &QScrollBar::valueChanged, &TMainForm::ScrollSpectrumChange);
    TChart* chart = spectrumPane->Chart1;
    on(chart, &QCustomPlot::mouseMove, &TMainForm::Chart1MouseMove);
    on(chart, &QCustomPlot::mousePress, &TMainForm::Chart1MouseDown);
    // "Auto scale" fits the data at every paint, so a frequency window moved
    // over frozen bars is fitted too.
    on(chart, &QCustomPlot::beforeReplot, &TMainForm::fitSpectrumScale);
    chart->AfterDraw = guard(&TMainForm::Chart1AfterDraw);
    chart->AllowScroll = guard(&allowScroll);
    connectPlotKeys();
}

// The plots' keyboard equivalents of their mouse actions (AccessiblePlotKeys.h).
void TMainForm::connectPlotKeys() {
    InstallSpectrumPlotKeys(spectrumPane->Chart1,
                            {filter->TrackFilterCenter, [this] { return static_cast<double>(engine_->PeakFrequency); },
                             guard([this] {
                                 filter->sb_filter_on->toggle();
                                 sb_filter_onClick();
                             }),
                             guard(&TMainForm::describeSpectrumPlot)});
    TChart* spectrogramChart = spectrogramPane->Chart2;
    InstallSpectrogramPlotKeys(spectrogramChart,
                               {spectrogramPane->ScrollSpectrogram, spectrogramPane->ScrollSpectrogramVertical,
                                guard([this](const QPoint& at) {
                                    spectrogramView_->ShowKeyboardCursor(at);
                                    describeSpectrogramPlot();
                                }),
                                guard([this](const QPoint& at) { spectrogramView_->CentreSpectrumAt(at.y()); }),
                                guard([this, spectrogramChart](const QPoint& at) {
                                    spectrogramView_->ZoomInOn(KeyboardZoomRect(spectrogramChart->PlotRect(), at));
                                }),
                                guard([this] { spectrogramView_->EndZoom(); })});
}

// The keyboard cursor's read-out and the zoom state, for a screen reader.
void TMainForm::describeSpectrogramPlot() {
    const QString zoomed = spectrogramPane->Chart2->IsZoomed() ? QStringLiteral("Zoomed. ") : QString();
    SetDescriptionIfChanged(spectrogramPane->Chart2,
                            zoomed + QStringLiteral("Cursor ") + spectrogramPane->Label40->text());
}

void TMainForm::describeSpectrumPlot() {
    const int width = filter->TrackFilterBW->value();
    const QString band = filter->sb_filter_visible->isChecked()
                             ? FilterBandText(filter->sb_filter_on->isChecked(), filter->ComboFilterType->currentIndex(),
                                              filter->TrackFilterCenter->value(), width / 2)
                             : QString();
    SetDescriptionIfChanged(spectrumPane->Chart1,
                            SpectrumPlotText(spectrumPane->Label1->text(), band, spectrumPane->Label39->text()));
}

void TMainForm::ComboSpectrumScaleChange() {
    spectrum->TrackSpectrumMax->setEnabled(false);
    spectrum->ButtonRefreshSpectrumScale->setEnabled(false);
    QCPAxis* left = spectrumPane->Chart1->yAxis;
    switch (spectrum->ComboSpectrumScale->currentIndex()) {
        case kPeakHold:
            left->setRange(0, 1);
            spectrum->ButtonRefreshSpectrumScale->setEnabled(true);
            break;
        case kManualScale:
            spectrum->TrackSpectrumMax->setEnabled(true);
            TrackSpectrumMaxChange();
            break;
        default:
            break;
    }
}

void TMainForm::TrackSpectrumMaxChange() {
    const int position = spectrum->TrackSpectrumMax->value();
    if (spectrum->sb_Spectrum_on->isChecked()) {
        spectrumPane->Chart1->yAxis->setRange(0, position);
        spectrumPane->Chart1->replot(QCustomPlot::rpQueuedReplot);
    }
    spectrum->Label14->setText(QString::number(position));
}

void TMainForm::ButtonRefreshSpectrumScaleClick() {
    if (spectrum->ComboSpectrumScale->currentIndex() == kPeakHold) spectrumPane->Chart1->yAxis->setRange(0, 1);
}

void TMainForm::ComboSpectrumResolutionChange() {
    const int resolution = spectrum->ComboSpectrumResolution->currentIndex();
    engine_->Resolution = ResolutionFactor(resolution);
    SpectrumWindowWidth = moravel::SpectrumWindowWidth(resolution, audio->ComboAudioRange->currentIndex());
    state_.LayoutChanged = true;
}

void TMainForm::TrackSpectrumDecayChange() {
    const int position = spectrum->TrackSpectrumDecay->value();
    if (spectrum->CheckSpectrumDecay->isChecked()) engine_->SpectrumDecay = static_cast<float>(position);
    spectrum->Label28->setText(QString::number(position));
}

void TMainForm::CheckSpectrumDecayClick() {
    if (spectrum->CheckSpectrumDecay->isChecked()) {
        TrackSpectrumDecayChange();
    } else {
        engine_->SpectrumDecay = 0;
    }
}

void TMainForm::CheckSpectrumLogarithmicClick() {
    const bool logarithmic = spectrum->CheckSpectrumLogarithmic->isChecked();
    QCPAxis* left = spectrumPane->Chart1->yAxis;
    left->setLabel(logarithmic ? QStringLiteral("Log  Power") : QStringLiteral("Power"));
    left->setScaleType(logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    spectrumPane->Chart1->replot(QCustomPlot::rpQueuedReplot);
}

// The engine computes (or drops) the normalising weights with the next block.
void TMainForm::sp_spectrum_normalizeClick() {
    if (spectrum->sp_spectrum_normalize->isChecked()) {
        engine_->NormalizeRequest = true;
    } else {
        engine_->NormalizeReset = true;
    }
}

// The refresh leaves a stopped plot alone, so the peak marker goes (or
// comes back) with this repaint.
void TMainForm::sb_Spectrum_onClick() {
    highlightTab(spectrum->sheet, spectrum->sb_Spectrum_on->isChecked());
    spectrumPane->Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void TMainForm::sb_spectrogram_onClick() {
    highlightTab(spectrogram->sheet, spectrogram->sb_spectrogram_on->isChecked());
}

// The two debug plots share Chart2: at most one is down, and each fixes the
// left axis to the range of what it draws.
void TMainForm::sb_plot_spectralClick() {
    if (debug->sb_plot_spectral->isChecked()) debug->sb_plot_signal->setChecked(false);
    spectrogramPane->Chart2->yAxis->setRange(-400000, 400000);
    spectrogramPane->Chart2->replot(QCustomPlot::rpQueuedReplot);
}

void TMainForm::sb_plot_signalClick() {
    if (debug->sb_plot_signal->isChecked()) debug->sb_plot_spectral->setChecked(false);
    spectrogramPane->Chart2->yAxis->setRange(-12000, 12000);
    spectrogramPane->Chart2->replot(QCustomPlot::rpQueuedReplot);
}

// ---- Frequency window and mouse ------------------------------------------------------

void TMainForm::ScrollSpectrumChange() {
    QCPAxis* axis = spectrumPane->Chart1->xAxis;
    const double span = std::nearbyint(axis->range().upper - axis->range().lower);
    const int position = spectrumPane->ScrollSpectrum->value();
    TChart::MoveWindow(axis, position, span + position);
    spectrumPane->Chart1->replot(QCustomPlot::rpQueuedReplot);
}

// The left button moves the filter centre to the frequency under the mouse,
// on the press and while dragging.
void TMainForm::Chart1MouseDown(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        filter->sb_filter_on->toggle();
        sb_filter_onClick();
        return;
    }
    Chart1MouseMove(event);
}

void TMainForm::Chart1MouseMove(QMouseEvent* event) {
    TChart* chart = spectrumPane->Chart1;
    const QPoint at = event->pos();
    if (event->buttons() == Qt::LeftButton && event->modifiers() == Qt::NoModifier) {
        filter->TrackFilterCenter->setValue(static_cast<int>(std::nearbyint(chart->xAxis->pixelToCoord(at.x()))));
        return;
    }
    if (event->buttons() != Qt::NoButton || event->modifiers() != Qt::NoModifier) return;
    if (!chart->StrictlyInsidePlot(at)) return;
    spectrumPane->Label39->setText(QStringLiteral("(%1 Hz, %2)")
                                       .arg(LocaleNumber(std::nearbyint(chart->xAxis->pixelToCoord(at.x())), 3, 0),
                                            LocaleNumber(std::nearbyint(chart->yAxis->pixelToCoord(at.y())), 3, 0)));
    describeSpectrumPlot();
}

// A 10-pixel box at the top of the strongest bar.
void TMainForm::Chart1AfterDraw(QCPPainter* painter, const QRect& plot) {
    TBarSeries* bars = spectrumPane->Series1;
    if (!spectrum->sb_Spectrum_on->isChecked() || bars->data()->isEmpty()) return;
    const int w = bars->LastBarWidth();
    QPointF top;
    if (!bars->BarTop(engine_->PeakIndex, top)) return;
    const int x = static_cast<int>(std::nearbyint(top.x()));
    const int y = static_cast<int>(std::nearbyint(top.y()));
    if (plot.left() < x && x < plot.right() - w && plot.top() < y && y < plot.bottom() - 10) {
        painter->setPen(Qt::white);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(x, y, w - 1, 9);
    }
}

// ---- DisplayData ---------------------------------------------------------------

void TMainForm::spectrumRelayout() {
    spectrum->Label49->setText(QStringLiteral("%1 Hz").arg(engine_->BinToFrequency(2) - engine_->BinToFrequency(1), 2));
    spectrum->Label52->setText(QStringLiteral("%1 Hz").arg(engine_->BinToFrequency(engine_->DisplayCount), 2));
    TChart::MoveWindow(spectrumPane->Chart1->xAxis, 0, SpectrumWindowWidth);
    spectrumPane->ScrollSpectrum->setValue(0);
    ScrollSpectrumChange();
}

void TMainForm::plotSpectrum() {
    const int count = std::max(engine_->DisplayCount - 1, 0);
    QVector<double> x(count);
    QVector<double> y(count);
    for (int i = 1; i <= count; ++i) {
        x[i - 1] = engine_->BinToFrequency(i);
        y[i - 1] = engine_->DisplaySpectrum[i];
    }
    spectrumPane->Series1->setWidth(engine_->BinToFrequency(1) * 0.8);
    spectrumPane->Series1->setData(x, y, true);
}

// "Auto scale": the left axis fits the bars inside the frequency window.
void TMainForm::fitSpectrumScale() {
    if (spectrum->ComboSpectrumScale->currentIndex() != kAutoScale) return;
    if (spectrumPane->Series1->data()->isEmpty()) return;
    spectrumPane->Series1->rescaleValueAxis(false, true);
}

void TMainForm::DisplayData() {
    if (!state_.DisplayDataPending) return;
    stopwatch_.Start(kPlotTimeSlot);
    // The spectrogram's column, its auto scroll included, moves only while
    // "Spectrogram On" is down: released, the picture stands still and can
    // be scrolled back.
    const bool spectrogramOn = spectrogram->sb_spectrogram_on->isChecked();
    if (spectrogramOn) spectrogramView_->AdvanceColumn();
    const bool relayout = state_.LayoutPending;
    if (relayout) {
        spectrumRelayout();
        spectrogramView_->Relayout();
        if (engine_->DisplayCount > 0) sb_equalizer_onClick();
        state_.LayoutPending = false;
    }
    const bool spectrumOn = spectrum->sb_Spectrum_on->isChecked();
    if (spectrumOn) plotSpectrum();
    if (spectrogramOn) spectrogramView_->WriteColumn();
    // A plot is painted again only when this refresh changed it; scrolling,
    // zooming and the controls repaint by themselves. A new spectrogram
    // column or new bars alone redraw only the part they cover.
    const bool debugCurve = debug->sb_plot_spectral->isChecked() || debug->sb_plot_signal->isChecked();
    if (relayout || debugCurve) {
        spectrogramView_->Repaint();
    } else if (spectrogramOn) {
        spectrogramView_->RepaintNewColumn();
    }
    QCustomPlot* chart = spectrumPane->Chart1;
    const QCPRange scale = chart->yAxis->range();
    spectrumPane->Label1->setText(engine_->PeakFrequency > 0 ? LocaleNumber(engine_->PeakFrequency, 3, 0) + " Hz"
                                                              : QStringLiteral("?"));
    const int mode = spectrum->ComboSpectrumScale->currentIndex();
    fitSpectrumScale();  // now, so that the read-out shows the fitted maximum
    spectrum->Label14->setText(LocaleNumber(chart->yAxis->range().upper, 3, 0));
    if (mode == kPeakHold && spectrumOn && chart->yAxis->range().upper < engine_->PeakValue) {
        chart->yAxis->setRange(0, engine_->PeakValue);
    }
    if (relayout || chart->yAxis->range() != scale) {
        chart->replot(QCustomPlot::rpQueuedReplot);
    } else if (spectrumOn) {
        spectrumPane->Chart1->ReplotRegion(spectrumPane->Chart1->PlotArea());
    }
    debug->Label38->setText(LocaleNumber(stopwatch_.Elapsed(kPlotTimeSlot), 3, 4));
    describeSpectrumPlot();
    state_.DisplayDataPending = false;
}

}  // namespace moravel
