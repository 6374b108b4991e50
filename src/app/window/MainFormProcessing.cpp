// Handlers of the processing pages: filter, frequency shift, the dynamics
// stages (AGC, compressor, expander) and the equalizer. They pass control
// positions to the engine and keep the pages' read-outs current; the block
// cycle reads the switches itself for every block.
#include "ControlTable.h"
#include "EnhWave.h"
#include "EqualizerBands.h"
#include "FFT.h"
#include "FilterPresets.h"
#include "MainForm.h"
#include "PlotMath.h"
#include "PlotPanes.h"
#include "TChart.h"
#include "ShiftControl.h"
#include "dbm.h"
#include "pages/AudioPage.h"
#include "pages/CompressPage.h"
#include "pages/EqualizerPage.h"
#include "pages/ExpandPage.h"
#include "pages/FilterPage.h"
#include "pages/ShiftPage.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

namespace moravel {

void TMainForm::connectProcessingControls() {
    on(filter->TrackFilterCenter, &QSlider::valueChanged, &TMainForm::TrackFilterCenterChange);
    on(filter->TrackFilterBW, &QSlider::valueChanged, &TMainForm::TrackFilterBWChange);
    on(filter->ComboFilterType, &QComboBox::activated, &TMainForm::ComboFilterTypeChange);
    on(filter->ComboPresetFilters, &QComboBox::activated, &TMainForm::ComboPresetFiltersChange);
    on(filter->sb_filter_on, &QToolButton::clicked, &TMainForm::sb_filter_onClick);
    on(filter->sb_filter_visible, &QToolButton::clicked, &TMainForm::sb_filter_onClick);
    on(shift->tbFreqShift, &QSlider::valueChanged, &TMainForm::tbFreqShiftChange);
    on(shift->ComboFreqShiftRange, &QComboBox::activated, &TMainForm::ComboFreqShiftRangeChange);
    on(shift->sbZeroFShift, &QToolButton::clicked, &TMainForm::sbZeroFShiftClick);
    on(shift->sb_shift_on, &QToolButton::clicked, &TMainForm::sb_shift_onClick);
    on(audio->CheckAGC, &QCheckBox::toggled, &TMainForm::CheckAGCClick);
    on(audio->SpeedButton5, &QToolButton::clicked, &TMainForm::SpeedButton5Click);
    on(compress->sb_compressor_on, &QToolButton::clicked, &TMainForm::sb_compressor_onClick);
    on(compress->SpeedButton1, &QToolButton::clicked, &TMainForm::SpeedButton1Click);
    on(expand->sb_expander_on, &QToolButton::clicked, &TMainForm::sb_expander_onClick);
    on(expand->SpeedButton2, &QToolButton::clicked, &TMainForm::SpeedButton2Click);
    for (QSlider* slider : equalizer->BandSliders()) {
        on(slider, &QSlider::valueChanged, &TMainForm::sb_equalizer_onClick);
    }
    on(equalizer->sb_equalizer_on, &QToolButton::clicked, &TMainForm::sb_equalizer_onClick);
    on(equalizer->sb_equalizer_reset, &QToolButton::clicked, &TMainForm::sb_equalizer_resetClick);
}

// ---- Filter ------------------------------------------------------------------

void TMainForm::TrackFilterCenterChange() {
    const int center = filter->TrackFilterCenter->value();
    const int width = filter->TrackFilterBW->value();
    filter->Label9->setText(QStringLiteral("%1 Hz").arg(center));
    engine_->SetFilter(center, width, filter->ComboFilterType->currentIndex());
    change_filter_frekw(center, width / 2);
}

void TMainForm::TrackFilterBWChange() {
    const int center = filter->TrackFilterCenter->value();
    const int width = filter->TrackFilterBW->value();
    filter->Label7->setText(QStringLiteral("%1 Hz").arg(width));
    engine_->SetFilter(center, width, filter->ComboFilterType->currentIndex());
    change_filter_frekw(center, width / 2);
}

void TMainForm::ComboFilterTypeChange() { TrackFilterCenterChange(); }

void TMainForm::sb_filter_onClick() {
    TrackFilterBWChange();
    TrackFilterCenterChange();
    highlightTab(filter->sheet, filter->sb_filter_on->isChecked());
}

// A preset sets the type, the centre (limited by the track bar to half the
// sample rate) and, where it has one, the bandwidth; then the engine and the
// band take them up even when no position changed.
void TMainForm::ComboPresetFiltersChange() {
    // By the item's text, so that the list's order cannot pick a wrong preset.
    const std::optional<FilterPreset> preset =
        FindFilterPreset(filter->ComboPresetFilters->currentText().toStdString());
    if (!preset) return;
    filter->ComboFilterType->setCurrentIndex(preset->type);
    filter->TrackFilterCenter->setValue(preset->center);
    if (preset->bandwidth != 0) filter->TrackFilterBW->setValue(preset->bandwidth);
    TrackFilterCenterChange();
}

// The filter band on the spectrum plot, in Hz against the right axis.
void TMainForm::change_filter_frekw(std::int32_t center, std::int32_t halfWidth) {
    QCPGraph* band = spectrumPane->Series3;
    band->data()->clear();
    if (filter->sb_filter_visible->isChecked()) {
        for (const BandPoint& p : FilterBandPoints(filter->ComboFilterType->currentIndex(), center, halfWidth,
                                                   spectrumPane->ScrollSpectrum->maximum())) {
            band->addData(p.x, p.y);
        }
        filter->TrackFilterBW->setEnabled(engine_->FilterType == kBandPass || engine_->FilterType == kStopBand);
    }
    spectrumPane->Chart1->replot(QCustomPlot::rpQueuedReplot);
}

// ---- Frequency shift -----------------------------------------------------------

void TMainForm::tbFreqShiftChange() {
    const int position = shift->tbFreqShift->value();
    const int range = shift->ComboFreqShiftRange->currentIndex();
    shift->lbl_freq_shift->setText(QString::fromStdString(ShiftLabel(position, range, thousands().toStdString())));
}

void TMainForm::ComboFreqShiftRangeChange() { tbFreqShiftChange(); }

void TMainForm::sbZeroFShiftClick() { shift->tbFreqShift->setValue(0); }

void TMainForm::sb_shift_onClick() { highlightTab(shift->sheet, shift->sb_shift_on->isChecked()); }

// ---- Dynamics --------------------------------------------------------------------

// The gain itself is kept: switching the AGC on again starts from it.
void TMainForm::CheckAGCClick() {
    if (!audio->CheckAGC->isChecked()) audio->VUAgcLevel->SetPosition(0);
}

void TMainForm::sb_compressor_onClick() {
    highlightTab(compress->sheet, compress->sb_compressor_on->isChecked());
}

void TMainForm::sb_expander_onClick() { highlightTab(expand->sheet, expand->sb_expander_on->isChecked()); }

void TMainForm::SpeedButton1Click() {
    compress->TrackCompressorThreshold->setValue(controls::kTrackCompressorThreshold.resetValue);
    compress->TrackCompressorGain->setValue(controls::kTrackCompressorGain.resetValue);
}

void TMainForm::SpeedButton2Click() {
    expand->TrackExpanderThreshold->setValue(controls::kTrackExpanderThreshold.resetValue);
    expand->TrackExpanderGain->setValue(controls::kTrackExpanderGain.resetValue);
}

void TMainForm::SpeedButton5Click() {
    audio->TrackAgcDecay->setValue(controls::kTrackAgcDecay.resetValue);
    audio->TrackAgcLevel->setValue(controls::kTrackAgcLevel.resetValue);
}

// ---- Equalizer ---------------------------------------------------------------------

// The one update routine of the equalizer: gain table, percent labels and,
// once blocks have been processed in this range, the band labels.
void TMainForm::sb_equalizer_onClick() {
    highlightTab(equalizer->sheet, equalizer->sb_equalizer_on->isChecked());
    std::array<std::int32_t, kEqualizerBands> positions{};
    const auto sliders = equalizer->BandSliders();
    for (std::size_t k = 0; k < sliders.size(); ++k) positions[k] = sliders[k]->value();
    const auto gains = EqualizerGains(positions);
    engine_->SetEqualizerCurve(kEqualizerBands, gains.data());
    const std::string separator = thousands().toStdString();
    const auto percents = equalizer->PercentLabels();
    for (std::size_t k = 0; k < percents.size(); ++k) {
        percents[k]->setText(QString::fromStdString(EqualizerPercentLabel(positions[k], separator)));
    }
    if (engine_->DisplayCount <= 0) return;
    const auto bands = equalizer->FrequencyLabels();
    for (std::size_t k = 0; k < bands.size(); ++k) {
        bands[k]->setText(QString::fromStdString(EqualizerBandLabel(static_cast<std::int32_t>(k), engine_->HalfBlock,
                                                                    waveIn_->samples, engine_->BlockSamples, separator))
                              .trimmed());
    }
}

void TMainForm::sb_equalizer_resetClick() {
    for (QSlider* slider : equalizer->BandSliders()) slider->setValue(0);
    sb_equalizer_onClick();
}

}  // namespace moravel
