#include "app/window/FilterPageControls.h"

#include "dsp/Engine.h"
#include "common/FilterPresets.h"
#include "views/core/PlotMath.h"
#include "app/window/PlotPanes.h"
#include "views/TChart.h"
#include "app/window/pages/FilterPage.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

#include <optional>

namespace moravel {

namespace {

QString hertz(int value) { return QStringLiteral("%1 Hz").arg(value); }

}  // namespace

FilterPageControls::FilterPageControls(FilterPage& page, SpectrumPane& spectrum, const ProcessingPageContext& context)
    : page_(page), spectrum_(spectrum), context_(context) {
    const auto on = context_.ConnectorFor(*this);
    on(page_.TrackFilterCenter, &QSlider::valueChanged, &FilterPageControls::centreChanged);
    on(page_.TrackFilterBW, &QSlider::valueChanged, &FilterPageControls::widthChanged);
    on(page_.ComboFilterType, &QComboBox::activated, &FilterPageControls::centreChanged);
    on(page_.ComboPresetFilters, &QComboBox::activated, &FilterPageControls::presetChosen);
    on(page_.sb_filter_on, &QToolButton::clicked, &FilterPageControls::ApplyControls);
    on(page_.sb_filter_visible, &QToolButton::clicked, &FilterPageControls::ApplyControls);
}

void FilterPageControls::ApplyControls() {
    showWidth();
    showCentre();
    applyFilter();
    context_.HighlightTab(page_.sheet, page_.sb_filter_on->isChecked());
}

void FilterPageControls::centreChanged() {
    showCentre();
    applyFilter();
}

void FilterPageControls::widthChanged() {
    showWidth();
    applyFilter();
}

void FilterPageControls::showCentre() { page_.Label9->setText(hertz(page_.TrackFilterCenter->value())); }

void FilterPageControls::showWidth() { page_.Label7->setText(hertz(page_.TrackFilterBW->value())); }

void FilterPageControls::applyFilter() {
    const int center = page_.TrackFilterCenter->value();
    const int width = page_.TrackFilterBW->value();
    context_.engine.SetFilter(center, width, page_.ComboFilterType->currentIndex());
    showBand(center, width / 2);
}

// A preset sets the type, the centre (limited by the track bar to half the
// sample rate) and, where it has one, the bandwidth; then the engine and the
// band take them up even when no position changed.
void FilterPageControls::presetChosen() {
    // By the item's text, so that the list's order cannot pick a wrong preset.
    const std::optional<FilterPreset> preset = FindFilterPreset(page_.ComboPresetFilters->currentText().toStdString());
    if (!preset) return;
    page_.ComboFilterType->setCurrentIndex(preset->type);
    page_.TrackFilterCenter->setValue(preset->center);
    if (preset->bandwidth != 0) page_.TrackFilterBW->setValue(preset->bandwidth);
    centreChanged();
}

// The filter band on the spectrum plot, in Hz against the right axis. The
// bandwidth bar is enabled for the band types only while the band is shown.
void FilterPageControls::showBand(std::int32_t center, std::int32_t halfWidth) {
    QCPGraph* band = spectrum_.Series3;
    band->data()->clear();
    if (page_.sb_filter_visible->isChecked()) {
        for (const BandPoint& p : FilterBandPoints(page_.ComboFilterType->currentIndex(), center, halfWidth,
                                                   spectrum_.ScrollSpectrum->maximum())) {
            band->addData(p.x, p.y);
        }
        const std::int32_t type = context_.engine.FilterType;
        page_.TrackFilterBW->setEnabled(type == kBandPass || type == kStopBand);
    }
    spectrum_.Chart1->replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace moravel
