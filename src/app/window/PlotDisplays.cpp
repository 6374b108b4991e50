#include "app/window/PlotDisplays.h"

#include "app/pipeline/BlockCycle.h"
#include "dsp/Engine.h"
#include "app/window/LocaleNumber.h"
#include "app/window/PlotPanes.h"
#include "app/core/Stopwatch.h"
#include "views/Chart.h"
#include "app/window/pages/DebugPage.h"
#include "app/window/pages/SpectrogramPage.h"
#include "app/window/pages/SpectrumPage.h"

#include <qcustomplot.h>

#include <QLabel>
#include <QToolButton>

namespace moravel {

namespace {

constexpr int kPlotTimeSlot = 3;

}  // namespace

PlotDisplays::PlotDisplays(const Parts& parts)
    : parts_(parts),
      spectrum_({parts.spectrumPane, parts.spectrumPage, parts.filter, parts.audioRange, parts.engine, parts.state,
                 parts.tabs}),
      spectrogram_({parts.spectrogramPane, parts.spectrogramPage, parts.spectrumPane, *parts.debug.copyRectTimeLabel,
                    parts.engine, parts.stopwatch, parts.state, parts.tabs},
                   parts.spectrogramColumns) {}

void PlotDisplays::Connect(const ErrorReport& report) {
    spectrum_.Connect(report);
    spectrogram_.Connect(report);
    const GuardedConnector<PlotDisplays> on(parts_.spectrogramPane, *this, report);
    on(parts_.debug.plotSpectralSwitch, &QToolButton::clicked, [this] { showDebugCurve(true); });
    on(parts_.debug.plotSignalSwitch, &QToolButton::clicked, [this] { showDebugCurve(false); });
}

void PlotDisplays::showDebugCurve(bool spectral) {
    QToolButton* shown = spectral ? parts_.debug.plotSpectralSwitch : parts_.debug.plotSignalSwitch;
    QToolButton* other = spectral ? parts_.debug.plotSignalSwitch : parts_.debug.plotSpectralSwitch;
    if (shown->isChecked()) other->setChecked(false);
    Chart* chart = parts_.spectrogramPane.chart;
    if (spectral) {
        chart->yAxis->setRange(-400000, 400000);
    } else {
        chart->yAxis->setRange(-12000, 12000);
    }
    chart->replot(QCustomPlot::rpQueuedReplot);
}

void PlotDisplays::Refresh() {
    PipelineState& state = parts_.state;
    if (!state.DisplayDataPending) return;
    parts_.stopwatch.Start(kPlotTimeSlot);
    // The spectrogram's column, its auto scroll included, moves only while
    // "Spectrogram On" is down: released, the picture stands still and can
    // be scrolled back.
    const bool spectrogramOn = parts_.spectrogramPage.spectrogramSwitch->isChecked();
    if (spectrogramOn) spectrogram_.AdvanceColumn();
    const bool relayout = state.LayoutPending;
    if (relayout) {
        spectrum_.Relayout();
        spectrogram_.Relayout();
        if (parts_.engine.DisplayCount > 0 && parts_.relaidOut) parts_.relaidOut();
        state.LayoutPending = false;
    }
    if (parts_.spectrumPage.spectrumSwitch->isChecked()) spectrum_.Plot();
    if (spectrogramOn) spectrogram_.WriteColumn();
    repaintSpectrogram(relayout, spectrogramOn);
    spectrum_.ShowBlock(relayout);
    parts_.debug.plotTimeLabel->setText(LocaleNumber(parts_.stopwatch.Elapsed(kPlotTimeSlot), 3, 4));
    spectrum_.DescribePlot();
    state.DisplayDataPending = false;
}

// A plot is painted again only when this refresh changed it; scrolling,
// zooming and the controls repaint by themselves. A new spectrogram column
// alone redraws only the strip it covers; a debug curve, the whole chart.
void PlotDisplays::repaintSpectrogram(bool relayout, bool spectrogramOn) {
    const bool debugCurve = parts_.debug.plotSpectralSwitch->isChecked() || parts_.debug.plotSignalSwitch->isChecked();
    if (relayout || debugCurve) {
        spectrogram_.Repaint();
    } else if (spectrogramOn) {
        spectrogram_.RepaintNewColumn();
    }
}

}  // namespace moravel
