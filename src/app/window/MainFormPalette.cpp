// The spectrogram's palette on the main window: the preset list, the strip
// `BitmapPalette` and the 4001-colour table the spectrogram colours from,
// and the palette kept in the settings.
#include "ColorGradient.h"
#include "MainForm.h"
#include "PaletteStrip.h"
#include "pages/SpectrogramPage.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>

namespace moravel {

void TMainForm::ComboPalettePresetsChange() {
    const int index = spectrogram->ComboPalettePresets->currentIndex();
    if (index < 0 || index >= static_cast<int>(kPalettePresets.size())) return;
    ApplyPreset(*gradient_, index);
    applyGradient();
}

// The strip shows the palette compressed to its own width; the spectrogram
// uses the table built for the gain track bar's maximum (4000).
void TMainForm::applyGradient() {
    QLabel* strip = spectrogram->BitmapPalette;
    const std::vector<TColor> stripColours = ApplyGradientToPalette(
        *gradient_, *palette_, strip->width(), spectrogram->TrackSpectrogramGain->maximum());
    strip->setPixmap(DrawPalette(stripColours.data(), strip->width(), strip->height()));
    for (std::size_t i = 0; i < palette16_.size(); ++i) palette16_[i] = ToRgb16((*palette_)[i]);
    paletteApplied_ = true;
}

// At the first activation: the stored palette, or "Soft Green" when the file
// has none (all four colours 0).
void TMainForm::LoadPaletteSettings() {
    ReadPaletteSettings(ini_, kept_);
    if (!PaletteIsStored(kept_)) {
        spectrogram->ComboPalettePresets->setCurrentIndex(kSoftGreenPreset);
        ComboPalettePresetsChange();
        return;
    }
    const auto colour = [this](int k) { return static_cast<TColor>(kept_.PaletteColor[static_cast<std::size_t>(k)]); };
    gradient_->SetGradient(colour(0), colour(1), colour(2), colour(3), static_cast<double>(kept_.PaletteAlpha[0]),
                           static_cast<double>(kept_.PaletteAlpha[1]));
    applyGradient();
}

// What the gradient holds now, for the settings; before the first
// activation applied a palette, the values read from the file stay.
void TMainForm::keepPalette(WindowSettings& s) const {
    if (!paletteApplied_) return;
    const GradientValues values = gradient_->GetGradient();
    for (std::size_t k = 0; k < values.colors.size(); ++k) {
        s.PaletteColor[k] = static_cast<std::int32_t>(values.colors[k]);
    }
    for (std::size_t k = 0; k < values.alphas.size(); ++k) s.PaletteAlpha[k] = values.alphas[k];
}

}  // namespace moravel
