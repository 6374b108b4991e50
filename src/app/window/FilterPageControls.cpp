#include "app/window/FilterPageControls.h"

#include "dsp/Engine.h"
#include "common/FilterPresets.h"
#include "views/core/PlotMath.h"
#include "app/window/PlotPanes.h"
#include "views/Chart.h"
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
    on(page_.filterCentreSlider, &QSlider::valueChanged, &FilterPageControls::centreChanged);
    on(page_.filterWidthSlider, &QSlider::valueChanged, &FilterPageControls::widthChanged);
    on(page_.filterTypeCombo, &QComboBox::activated, &FilterPageControls::centreChanged);
    on(page_.filterPresetCombo, &QComboBox::activated, &FilterPageControls::presetChosen);
    on(page_.filterSwitch, &QToolButton::clicked, &FilterPageControls::ApplyControls);
    on(page_.filterVisibleSwitch, &QToolButton::clicked, &FilterPageControls::ApplyControls);
}

void FilterPageControls::ApplyControls() {
    showWidth();
    showCentre();
    applyFilter();
    context_.HighlightTab(page_.sheet, page_.filterSwitch->isChecked());
}

void FilterPageControls::centreChanged() {
    showCentre();
    applyFilter();
}

void FilterPageControls::widthChanged() {
    showWidth();
    applyFilter();
}

void FilterPageControls::showCentre() { page_.filterCentreLabel->setText(hertz(page_.filterCentreSlider->value())); }

void FilterPageControls::showWidth() { page_.filterWidthLabel->setText(hertz(page_.filterWidthSlider->value())); }

void FilterPageControls::applyFilter() {
    const int center = page_.filterCentreSlider->value();
    const int width = page_.filterWidthSlider->value();
    context_.engine.SetFilter(center, width, page_.filterTypeCombo->currentIndex());
    showBand(center, width / 2);
}

// A preset sets the type, the centre (limited by the track bar to half the
// sample rate) and, where it has one, the bandwidth; then the engine and the
// band take them up even when no position changed.
void FilterPageControls::presetChosen() {
    // By the item's text, so that the list's order cannot pick a wrong preset.
    const std::optional<FilterPreset> preset = FindFilterPreset(page_.filterPresetCombo->currentText().toStdString());
    if (!preset) return;
    page_.filterTypeCombo->setCurrentIndex(preset->type);
    page_.filterCentreSlider->setValue(preset->center);
    if (preset->bandwidth != 0) page_.filterWidthSlider->setValue(preset->bandwidth);
    centreChanged();
}

// The filter band on the spectrum plot, in Hz against the right axis. The
// bandwidth bar is enabled for the band types only while the band is shown.
void FilterPageControls::showBand(std::int32_t center, std::int32_t halfWidth) {
    QCPGraph* band = spectrum_.filterBand;
    band->data()->clear();
    if (page_.filterVisibleSwitch->isChecked()) {
        for (const BandPoint& p : FilterBandPoints(page_.filterTypeCombo->currentIndex(), center, halfWidth,
                                                   spectrum_.frequencyScroll->maximum())) {
            band->addData(p.x, p.y);
        }
        const std::int32_t type = context_.engine.FilterType;
        page_.filterWidthSlider->setEnabled(type == kBandPass || type == kStopBand);
    }
    spectrum_.chart->replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace moravel
