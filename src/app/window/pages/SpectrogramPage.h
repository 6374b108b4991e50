// The "Spectrogram" settings page: spectrogram on/off, auto scroll, zoom
// mode, "Clear", the colour offset and gain track bars, the palette presets
// with the palette strip and its "Edit" button, and the help button.
//
// The plot pane's own scroll bars and cursor read-out are not on this page.
// Layout only: the main window connects the controls and draws the strip.
#pragma once

#include "app/window/pages/SettingsPage.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class SpectrogramPage : public SettingsPage {
public:
    /// Builds the page and appends it to `tabs` as "Spectrogram". GUI thread only.
    explicit SpectrogramPage(QTabWidget* tabs);

    /// Size of the palette strip `paletteStrip` in pixels: the palette shown
    /// there has one entry per pixel column (indices 0..width).
    static constexpr int kPaletteStripWidth = 99;
    static constexpr int kPaletteStripHeight = 16;

    // Object names (in quotes, or the control table's row) are the ones
    // the tests and the accessible texts find the controls by.

    QToolButton* spectrogramSwitch;  // controls::kSpectrogramOn: "Spectrogram On", up at creation
    QToolButton* autoScrollSwitch;   // controls::kSpectrogramScroll: "Auto Scroll", up at creation
    QToolButton* zoomSwitch;         // "sb_zoom_spectrogram": "Zoom", up at creation
    QPushButton* clearButton;        // "SpectrogramClear": "Clear"

    QSlider* colorOffsetSlider;  // added to each value before colouring, controls::kTrackSpectrogramOffset
    QSlider* colorGainSlider;    // sensitivity, controls::kTrackSpectrogramGain

    /// "ComboPalettePresets": "Soft Blue", "Hard Blue", "Soft Monochrome",
    /// "Soft Green"; no selection at creation (the window picks the stored
    /// palette or "Soft Green").
    QComboBox* palettePresetCombo;
    QLabel* paletteStrip;            // "BitmapPalette", kPaletteStripWidth x kPaletteStripHeight
    QPushButton* editPaletteButton;  // "Button2": "Edit" (opens the gradient editor)

    QToolButton* helpButton;  // "SpeedButton8": "?"
};

}  // namespace moravel
