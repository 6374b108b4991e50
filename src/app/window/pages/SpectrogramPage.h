// The "Spectrogram" settings page: spectrogram on/off, auto scroll, zoom
// mode, "Clear", the colour offset and gain track bars, the palette presets
// with the palette strip and its "Edit" button, and the help button.
//
// The plot pane's own scroll bars and cursor read-out are not on this page.
// Layout only: the main window connects the controls and draws the strip.
#pragma once

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class SpectrogramPage {
public:
    /// Builds the page and appends it to `Tab1` as "Spectrogram". GUI thread only.
    explicit SpectrogramPage(QTabWidget* Tab1);
    SpectrogramPage(const SpectrogramPage&) = delete;
    SpectrogramPage& operator=(const SpectrogramPage&) = delete;

    /// Size of the palette strip `BitmapPalette` in pixels: the palette shown
    /// there has one entry per pixel column (indices 0..width).
    static constexpr int kPaletteStripWidth = 99;
    static constexpr int kPaletteStripHeight = 16;

    QWidget* sheet;  // "TabSpectrogram"

    QToolButton* sb_spectrogram_on;          // "Spectrogram On", up at creation
    QToolButton* sb_spectrogram_autoscroll;  // "Auto Scroll", up at creation
    QToolButton* sb_zoom_spectrogram;        // "Zoom", up at creation
    QPushButton* SpectrogramClear;           // "Clear"

    QSlider* TrackSpectrogramOffset;  // added to each value before colouring, controls::kTrackSpectrogramOffset
    QSlider* TrackSpectrogramGain;    // sensitivity, controls::kTrackSpectrogramGain

    /// "Soft Blue", "Hard Blue", "Soft Monochrome", "Soft Green"; no selection
    /// at creation (the window picks the stored palette or "Soft Green").
    QComboBox* ComboPalettePresets;
    QLabel* BitmapPalette;  // the palette strip, kPaletteStripWidth x kPaletteStripHeight
    QPushButton* Button2;   // "Edit" (opens the gradient editor)

    QToolButton* SpeedButton8;  // "?"
};

}  // namespace moravel
