// The display side of the main window: the Spectrum and Spectrogram pages'
// handlers that set the engine's display analysis (resolution, smoothing,
// normalisation), the spectrum plot's scale modes, and DisplayData, the
// 100 ms refresh of the spectrum bars and read-outs.
#include "ChainSettings.h"
#include "FFT.h"
#include "MainForm.h"
#include "NumberFormat.h"
#include "PlotPanes.h"
#include "pages/AudioPage.h"
#include "pages/DebugPage.h"
#include "pages/SpectrogramPage.h"
#include "pages/SpectrumPage.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

#include <cmath>

namespace moravel {

namespace {

enum ScaleMode { kPeakHold = 0, kAutoScale = 1, kManualScale = 2 };

constexpr int kPlotTimeSlot = 3;

// Width in Hz of the visible frequency window, by resolution (Low, Medium,
// High) and audio range (2, 4, 8, 16 KHz).
constexpr int kWindowWidths[3][4] = {
    {2000, 4000, 4000, 4000},
    {1000, 3000, 3000, 3000},
    {1000, 1000, 1000, 1000},
};

QString formatNumber(long double value, int width, int decimals) {
    const QLocale locale;
    return QString::fromStdString(FormatNumber(value, width, decimals, locale.groupSeparator().toStdString(),
                                               locale.decimalPoint().toStdString()));
}

}  // namespace

void TMainForm::connectDisplayControls() {
    const auto on = [this](auto* sender, auto signal, void (TMainForm::*handler)()) {
        connect(sender, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
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
    connect(spectrumPane->ScrollSpectrum, &QScrollBar::valueChanged, this, [this](int position) {
        QCPAxis* axis = spectrumPane->Chart1->xAxis;
        const double span = std::nearbyint(axis->range().upper - axis->range().lower);
        axis->setRange(position, span + position);
        spectrumPane->Chart1->replot(QCustomPlot::rpQueuedReplot);
    });
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
    int resolution = spectrum->ComboSpectrumResolution->currentIndex();
    if (resolution < 0 || resolution > 2) resolution = 1;
    const int range = std::clamp(audio->ComboAudioRange->currentIndex(), 0, 3);
    engine_->Resolution = ResolutionFactor(resolution);
    SpectrumWindowWidth = kWindowWidths[resolution][range];
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

void TMainForm::sb_Spectrum_onClick() { highlightTab(spectrum->sheet, spectrum->sb_Spectrum_on->isChecked()); }

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

// ---- DisplayData ---------------------------------------------------------------

void TMainForm::DisplayData() {
    if (!state_.DisplayDataPending) return;
    stopwatch_.Start(kPlotTimeSlot);
    QCustomPlot* chart = spectrumPane->Chart1;
    if (state_.LayoutPending) {
        spectrum->Label49->setText(
            QStringLiteral("%1 Hz").arg(engine_->BinToFrequency(2) - engine_->BinToFrequency(1), 2));
        spectrum->Label52->setText(QStringLiteral("%1 Hz").arg(engine_->BinToFrequency(engine_->DisplayCount), 2));
        chart->xAxis->setRange(0, SpectrumWindowWidth);
        spectrumPane->ScrollSpectrum->setValue(0);
        if (engine_->DisplayCount > 0) sb_equalizer_onClick();
        state_.LayoutPending = false;
    }
    const bool spectrumOn = spectrum->sb_Spectrum_on->isChecked();
    if (spectrumOn) {
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
    spectrumPane->Label1->setText(engine_->PeakFrequency > 0 ? formatNumber(engine_->PeakFrequency, 3, 0) + " Hz"
                                                              : QStringLiteral("?"));
    const int mode = spectrum->ComboSpectrumScale->currentIndex();
    if (mode == kAutoScale && spectrumOn) spectrumPane->Series1->rescaleValueAxis(false, true);
    spectrum->Label14->setText(formatNumber(chart->yAxis->range().upper, 3, 0));
    if (mode == kPeakHold && spectrumOn && chart->yAxis->range().upper < engine_->PeakValue) {
        chart->yAxis->setRange(0, engine_->PeakValue);
    }
    chart->replot(QCustomPlot::rpQueuedReplot);
    debug->Label38->setText(formatNumber(stopwatch_.Elapsed(kPlotTimeSlot), 3, 4));
    state_.DisplayDataPending = false;
}

}  // namespace moravel
