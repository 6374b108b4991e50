#include "app/window/SpectrogramPaletteState.h"

#include "views/PaletteStrip.h"
#include "settings/WindowSettings.h"
#include "app/window/pages/SpectrogramPage.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>

namespace moravel {

SpectrogramPaletteState::SpectrogramPaletteState(SpectrogramPage& page)
    : page_(page), gradient_(std::make_unique<FunkyGradient>()), colours_(std::make_unique<SpectrogramPalette>()) {}

SpectrogramPaletteState::~SpectrogramPaletteState() = default;

void SpectrogramPaletteState::ApplySelectedPreset() {
    const int index = page_.palettePresetCombo->currentIndex();
    if (index < 0 || index >= static_cast<int>(kPalettePresets.size())) return;
    ApplyPreset(*gradient_, index);
    applyGradient();
    gradientSet();
}

void SpectrogramPaletteState::gradientSet() {
    if (gradientSet_) gradientSet_();
}

// The strip shows the palette compressed to its own width; the spectrogram
// uses the table built for the gain track bar's maximum (4000).
void SpectrogramPaletteState::applyGradient() {
    QLabel* strip = page_.paletteStrip;
    const std::vector<TColor> stripColours =
        ApplyGradientToPalette(*gradient_, *colours_, strip->width(), page_.colorGainSlider->maximum());
    strip->setPixmap(DrawPalette(stripColours.data(), strip->width(), strip->height()));
    for (std::size_t i = 0; i < colours16_.size(); ++i) colours16_[i] = ToRgb16((*colours_)[i]);
    applied_ = true;
}

void SpectrogramPaletteState::Load(const WindowSettings& stored) {
    if (!PaletteIsStored(stored)) {
        page_.palettePresetCombo->setCurrentIndex(kSoftGreenPreset);
        ApplySelectedPreset();
        return;
    }
    const auto colour = [&stored](int k) {
        return static_cast<TColor>(stored.PaletteColor[static_cast<std::size_t>(k)]);
    };
    gradient_->SetGradient(colour(0), colour(1), colour(2), colour(3), static_cast<double>(stored.PaletteAlpha[0]),
                           static_cast<double>(stored.PaletteAlpha[1]));
    applyGradient();
    gradientSet();
}

void SpectrogramPaletteState::Keep(WindowSettings& s) const {
    if (!applied_) return;
    const GradientValues values = gradient_->GetGradient();
    for (std::size_t k = 0; k < values.colors.size(); ++k) {
        s.PaletteColor[k] = static_cast<std::int32_t>(values.colors[k]);
    }
    for (std::size_t k = 0; k < values.alphas.size(); ++k) s.PaletteAlpha[k] = values.alphas[k];
}

}  // namespace moravel
