#include "app/window/EqualizerPageControls.h"

#include "common/EqualizerBands.h"
#include "dsp/Engine.h"
#include "app/window/LocaleNumber.h"
#include "app/window/pages/EqualizerPage.h"

#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include <array>
#include <string>
#include <utility>

namespace moravel {

EqualizerPageControls::EqualizerPageControls(EqualizerPage& page, std::function<std::int32_t()> inputRate,
                                             const ProcessingPageContext& context)
    : page_(page), inputRate_(std::move(inputRate)), context_(context) {
    const auto on = context_.ConnectorFor(*this);
    for (QSlider* slider : page_.bandSliders) on(slider, &QSlider::valueChanged, &EqualizerPageControls::ApplyControls);
    on(page_.equalizerSwitch, &QToolButton::clicked, &EqualizerPageControls::ApplyControls);
    on(page_.equalizerResetButton, &QToolButton::clicked, &EqualizerPageControls::resetClicked);
}

// The one update of the equalizer: tab, gain table, percent labels and, once
// blocks have been processed in this range, the band labels.
void EqualizerPageControls::ApplyControls() {
    context_.HighlightTab(page_.sheet, page_.equalizerSwitch->isChecked());
    std::array<std::int32_t, kEqualizerBands> positions{};
    const auto& sliders = page_.bandSliders;
    for (std::size_t k = 0; k < sliders.size(); ++k) positions[k] = sliders[k]->value();
    const auto gains = EqualizerGains(positions);
    context_.engine.SetEqualizerCurve(kEqualizerBands, gains.data());
    const std::string thousands = ThousandsSeparator().toStdString();
    const auto& percents = page_.bandPercentLabels;
    for (std::size_t k = 0; k < percents.size(); ++k) {
        percents[k]->setText(QString::fromStdString(EqualizerPercentLabel(positions[k], thousands)));
    }
    if (context_.engine.DisplayCount > 0) showBandLabels(thousands);
}

void EqualizerPageControls::showBandLabels(const std::string& thousands) {
    const Engine& engine = context_.engine;
    const auto& bands = page_.bandFrequencyLabels;
    for (std::size_t k = 0; k < bands.size(); ++k) {
        const std::string label = EqualizerBandLabel(static_cast<std::int32_t>(k), engine.HalfBlock, inputRate_(),
                                                     engine.BlockSamples, thousands);
        bands[k]->setText(QString::fromStdString(label).trimmed());
    }
}

// Each slider's move runs the update; the last one runs even when no slider
// moved, so that the tab and the read-outs are shown as they are.
void EqualizerPageControls::resetClicked() {
    const auto& sliders = page_.bandSliders;
    for (std::size_t k = 0; k < sliders.size(); ++k)
        sliders[k]->setValue(controls::kEqualizerBandControls[k].resetValue);
    ApplyControls();
}

}  // namespace moravel
