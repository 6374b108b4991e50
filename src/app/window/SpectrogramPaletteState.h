// The spectrogram's palette on the Spectrogram page: the gradient, the
// 4001-colour table the spectrogram colours from (also in the image's 16-bit
// pixel format), the preset list `palettePresetCombo`, the strip
// `paletteStrip`, and the palette kept in the settings. GUI thread only.
#pragma once

#include "views/core/ColorGradient.h"
#include "views/SpectrogramImage.h"

#include <functional>
#include <memory>
#include <utility>

namespace moravel {

class SpectrogramPage;
struct WindowSettings;

class SpectrogramPaletteState {
public:
    /// Works on `page`'s preset list, strip and gain track bar; `page` must
    /// outlive this object. No palette is applied until Load or a preset.
    explicit SpectrogramPaletteState(SpectrogramPage& page);
    ~SpectrogramPaletteState();

    /// A preset chosen: applies the preset selected in the list;
    /// no selection (or an index past the presets) changes nothing.
    void ApplySelectedPreset();

    /// At the first activation: the palette stored in `stored` (its four
    /// colours and two positions), or "Soft Green" selected and applied when
    /// the file has none (all four colours 0).
    void Load(const WindowSettings& stored);

    /// Writes the gradient's colours and positions into `s`; before a palette
    /// was applied, `s` keeps the values read from the file.
    void Keep(WindowSettings& s) const;

    /// The 4001 colours (index 0..4000) in RGB 5-6-5, as the image stores them.
    const Palette16& Colours16() const { return colours16_; }

    /// The gradient the presets, the stored palette and the gradient editor
    /// set; Keep writes what it holds.
    FunkyGradient& Gradient() { return *gradient_; }

    /// The editor's live update: rebuilds the strip, the 4001-colour table and
    /// its 16-bit copy from the gradient as it stands.
    void Refresh() { applyGradient(); }

    /// Runs after a preset or the stored palette was set into the gradient
    /// (the editor places its sliders there); may be empty.
    void SetGradientListener(std::function<void()> listener) { gradientSet_ = std::move(listener); }

private:
    // Builds the table for the gain track bar's maximum, the strip at its own
    // width, and the 16-bit copy.
    void applyGradient();
    // The gradient was set from outside the editor: the listener hears of it.
    void gradientSet();

    SpectrogramPage& page_;
    std::unique_ptr<FunkyGradient> gradient_;
    std::unique_ptr<SpectrogramPalette> colours_;
    Palette16 colours16_{};
    bool applied_ = false;
    std::function<void()> gradientSet_;
};

}  // namespace moravel
