#include "app/window/SpectrumView.h"

#include "app/window/AccessiblePlotKeys.h"
#include "app/window/AccessiblePlotText.h"
#include "app/pipeline/BlockCycle.h"
#include "dsp/ChainSettings.h"
#include "dsp/Engine.h"
#include "app/window/LocaleNumber.h"
#include "views/core/PlotMath.h"
#include "app/window/PlotPanes.h"
#include "views/Chart.h"
#include "app/window/TabHighlight.h"
#include "app/window/pages/FilterPage.h"
#include "app/window/pages/SpectrumPage.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace moravel {

namespace {

enum ScaleMode { kPeakHold = 0, kAutoScale = 1, kManualScale = 2 };

}  // namespace

SpectrumView::SpectrumView(const Parts& parts) : parts_(parts) {}

void SpectrumView::Connect(const ErrorReport& report) {
    const GuardedConnector<SpectrumView> on(parts_.pane, *this, report);
    SpectrumPage& page = parts_.page;
    on(page.scaleModeCombo, &QComboBox::activated, &SpectrumView::ScaleModeChanged);
    on(page.scaleMaximumSlider, &QSlider::valueChanged, &SpectrumView::ManualMaximumChanged);
    on(page.resetPeakHoldButton, &QPushButton::clicked, &SpectrumView::ResetPeakHold);
    on(page.smoothingSwitch, &QCheckBox::toggled, &SpectrumView::DecaySwitched);
    on(page.smoothingSlider, &QSlider::valueChanged, &SpectrumView::DecayChanged);
    on(page.resolutionCombo, &QComboBox::activated, &SpectrumView::ResolutionChanged);
    on(page.logScaleSwitch, &QCheckBox::toggled, &SpectrumView::LogarithmicSwitched);
    on(page.normalizeSwitch, &QToolButton::clicked, &SpectrumView::NormalizeSwitched);
    on(page.spectrumSwitch, &QToolButton::clicked, &SpectrumView::OnSwitched);
    on(parts_.pane.frequencyScroll, &QScrollBar::valueChanged, &SpectrumView::ScrollFrequency);
    Chart* chart = parts_.pane.chart;
    on(chart, &QCustomPlot::mouseMove, [this](QMouseEvent* event) { MouseMoved(*event); });
    on(chart, &QCustomPlot::mousePress, [this](QMouseEvent* event) { MousePressed(*event); });
    on(chart, &QCustomPlot::beforeReplot, &SpectrumView::FitScale);
    chart->AfterDraw = on.Guard([this](QCPPainter* painter, const QRect& plot) { PaintPeakMarker(*painter, plot); });
    chart->AllowScroll = on.Guard(&AllowPanTo);
    connectKeys(on);
}

// The plot's keyboard equivalents of its mouse actions (AccessiblePlotKeys.h).
void SpectrumView::connectKeys(const GuardedConnector<SpectrumView>& on) {
    InstallSpectrumPlotKeys(parts_.pane.chart,
                            {parts_.filter.filterCentreSlider,
                             [this] { return static_cast<double>(parts_.engine.PeakFrequency); },
                             on.Guard([this] { parts_.filter.filterSwitch->click(); }),
                             on.Guard(&SpectrumView::DescribePlot)});
}

// ---- After a processed block ------------------------------------------------------------

void SpectrumView::Relayout() {
    const Engine& engine = parts_.engine;
    parts_.page.binSpacingLabel->setText(QStringLiteral("%1 Hz").arg(engine.BinToFrequency(2) - engine.BinToFrequency(1), 2));
    parts_.page.highestFrequencyLabel->setText(QStringLiteral("%1 Hz").arg(engine.BinToFrequency(engine.DisplayCount), 2));
    Chart::MoveWindow(parts_.pane.chart->xAxis, 0, windowWidth_);
    parts_.pane.frequencyScroll->setValue(0);
    ScrollFrequency();
}

void SpectrumView::Plot() {
    const Engine& engine = parts_.engine;
    const int count = std::max(engine.DisplayCount - 1, 0);
    QVector<double> x(count);
    QVector<double> y(count);
    for (int i = 1; i <= count; ++i) {
        x[i - 1] = engine.BinToFrequency(i);
        y[i - 1] = engine.DisplaySpectrum[i];
    }
    parts_.pane.bars->setWidth(engine.BinToFrequency(1) * 0.8);
    parts_.pane.bars->setData(x, y, true);
}

void SpectrumView::ShowBlock(bool relayout) {
    const Engine& engine = parts_.engine;
    Chart* chart = parts_.pane.chart;
    QCPAxis* left = chart->yAxis;
    const QCPRange scale = left->range();
    parts_.pane.peakLabel->setText(engine.PeakFrequency > 0 ? LocaleNumber(engine.PeakFrequency, 3, 0) + " Hz"
                                                          : QStringLiteral("?"));
    FitScale();  // now, so that the read-out shows the fitted maximum
    parts_.page.scaleMaximumLabel->setText(LocaleNumber(left->range().upper, 3, 0));
    const bool on = parts_.page.spectrumSwitch->isChecked();
    if (parts_.page.scaleModeCombo->currentIndex() == kPeakHold && on && left->range().upper < engine.PeakValue) {
        left->setRange(0, engine.PeakValue);
    }
    if (relayout || left->range() != scale) {
        chart->replot(QCustomPlot::rpQueuedReplot);
    } else if (on) {
        chart->ReplotRegion(chart->PlotArea());
    }
}

void SpectrumView::DescribePlot() {
    const FilterPage& filter = parts_.filter;
    const int width = filter.filterWidthSlider->value();
    const QString band = filter.filterVisibleSwitch->isChecked()
                             ? FilterBandText(filter.filterSwitch->isChecked(), filter.filterTypeCombo->currentIndex(),
                                              filter.filterCentreSlider->value(), width / 2)
                             : QString();
    SetDescriptionIfChanged(parts_.pane.chart,
                            SpectrumPlotText(parts_.pane.peakLabel->text(), band, parts_.pane.cursorLabel->text()));
}

// ---- The Spectrum page ----------------------------------------------------------------

void SpectrumView::ScaleModeChanged() {
    SpectrumPage& page = parts_.page;
    page.scaleMaximumSlider->setEnabled(false);
    page.resetPeakHoldButton->setEnabled(false);
    switch (page.scaleModeCombo->currentIndex()) {
        case kPeakHold:
            parts_.pane.chart->yAxis->setRange(0, 1);
            page.resetPeakHoldButton->setEnabled(true);
            break;
        case kManualScale:
            page.scaleMaximumSlider->setEnabled(true);
            ManualMaximumChanged();
            break;
        default:
            break;
    }
}

void SpectrumView::ManualMaximumChanged() {
    const int position = parts_.page.scaleMaximumSlider->value();
    if (parts_.page.spectrumSwitch->isChecked()) {
        parts_.pane.chart->yAxis->setRange(0, position);
        parts_.pane.chart->replot(QCustomPlot::rpQueuedReplot);
    }
    parts_.page.scaleMaximumLabel->setText(QString::number(position));
}

void SpectrumView::ResetPeakHold() {
    if (parts_.page.scaleModeCombo->currentIndex() == kPeakHold) parts_.pane.chart->yAxis->setRange(0, 1);
}

void SpectrumView::ResolutionChanged() {
    const int resolution = parts_.page.resolutionCombo->currentIndex();
    parts_.engine.Resolution = ResolutionFactor(resolution);
    windowWidth_ = SpectrumWindowWidth(resolution, parts_.audioRange.currentIndex());
    parts_.state.LayoutChanged = true;
}

void SpectrumView::DecayChanged() {
    const int position = parts_.page.smoothingSlider->value();
    if (parts_.page.smoothingSwitch->isChecked()) parts_.engine.SpectrumDecay = static_cast<float>(position);
    parts_.page.smoothingLabel->setText(QString::number(position));
}

void SpectrumView::DecaySwitched() {
    if (parts_.page.smoothingSwitch->isChecked()) {
        DecayChanged();
    } else {
        parts_.engine.SpectrumDecay = 0;
    }
}

void SpectrumView::LogarithmicSwitched() {
    const bool logarithmic = parts_.page.logScaleSwitch->isChecked();
    QCPAxis* left = parts_.pane.chart->yAxis;
    left->setLabel(logarithmic ? QStringLiteral("Log  Power") : QStringLiteral("Power"));
    left->setScaleType(logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    parts_.pane.chart->replot(QCustomPlot::rpQueuedReplot);
}

void SpectrumView::NormalizeSwitched() {
    if (parts_.page.normalizeSwitch->isChecked()) {
        parts_.engine.NormalizeRequest = true;
    } else {
        parts_.engine.NormalizeReset = true;
    }
}

void SpectrumView::OnSwitched() {
    HighlightTab(parts_.tabs, parts_.page.sheet, parts_.page.spectrumSwitch->isChecked());
    parts_.pane.chart->replot(QCustomPlot::rpQueuedReplot);
}

void SpectrumView::ScrollFrequency() {
    QCPAxis* axis = parts_.pane.chart->xAxis;
    const double span = std::nearbyint(axis->range().upper - axis->range().lower);
    const int position = parts_.pane.frequencyScroll->value();
    Chart::MoveWindow(axis, position, span + position);
    parts_.pane.chart->replot(QCustomPlot::rpQueuedReplot);
}

void SpectrumView::FitScale() {
    if (parts_.page.scaleModeCombo->currentIndex() != kAutoScale) return;
    if (parts_.pane.bars->data()->isEmpty()) return;
    parts_.pane.bars->rescaleValueAxis(false, true);
}

// ---- Mouse and paint ---------------------------------------------------------------------

double SpectrumView::frequencyAt(const QPoint& at) const {
    return std::nearbyint(parts_.pane.chart->xAxis->pixelToCoord(at.x()));
}

void SpectrumView::MousePressed(const QMouseEvent& event) {
    if (event.button() == Qt::RightButton) {
        parts_.filter.filterSwitch->click();
        return;
    }
    MouseMoved(event);
}

void SpectrumView::MouseMoved(const QMouseEvent& event) {
    const Chart* chart = parts_.pane.chart;
    const QPoint at = event.pos();
    if (event.buttons() == Qt::LeftButton && event.modifiers() == Qt::NoModifier) {
        parts_.filter.filterCentreSlider->setValue(static_cast<int>(frequencyAt(at)));
        return;
    }
    if (event.buttons() != Qt::NoButton || event.modifiers() != Qt::NoModifier) return;
    if (!chart->StrictlyInsidePlot(at)) return;
    parts_.pane.cursorLabel->setText(QStringLiteral("(%1 Hz, %2)")
                                     .arg(LocaleNumber(frequencyAt(at), 3, 0),
                                          LocaleNumber(std::nearbyint(chart->yAxis->pixelToCoord(at.y())), 3, 0)));
    DescribePlot();
}

void SpectrumView::PaintPeakMarker(QCPPainter& painter, const QRect& plot) const {
    const BarSeries* bars = parts_.pane.bars;
    if (!parts_.page.spectrumSwitch->isChecked() || bars->data()->isEmpty()) return;
    const int w = bars->LastBarWidth();
    QPointF top;
    if (!bars->BarTop(parts_.engine.PeakIndex, top)) return;
    const int x = static_cast<int>(std::nearbyint(top.x()));
    const int y = static_cast<int>(std::nearbyint(top.y()));
    if (plot.left() < x && x < plot.right() - w && plot.top() < y && y < plot.bottom() - 10) {
        painter.setPen(Qt::white);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(x, y, w - 1, 9);
    }
}

}  // namespace moravel
