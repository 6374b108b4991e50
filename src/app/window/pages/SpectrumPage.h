// The "Spectrum" settings page: spectrum plot on/off, the y-axis scale mode
// with its manual maximum and peak-hold "Reset", smoothing on/off and level,
// the display resolution with its exact bin spacing and highest frequency,
// the logarithmic axis, "Normalize", and the help button.
//
// The plot pane's own read-outs ("Peak =", "Cursor =") and its scroll bar
// are not on this page. Layout only: the main window connects the controls.
#pragma once

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class SpectrumPage {
public:
    /// Builds the page and appends it to `Tab1` as "Spectrum". GUI thread only.
    explicit SpectrumPage(QTabWidget* Tab1);
    SpectrumPage(const SpectrumPage&) = delete;
    SpectrumPage& operator=(const SpectrumPage&) = delete;

    QWidget* sheet;  // "TabSpectrum"

    QToolButton* sb_Spectrum_on;  // "Spectrum On", up at creation

    QComboBox* ComboSpectrumScale;            // controls::kComboSpectrumScale
    QSlider* TrackSpectrumMax;                // manual y-axis maximum, controls::kTrackSpectrumMax
    QLabel* Label14;                          // current y-axis maximum, "10"
    QPushButton* ButtonRefreshSpectrumScale;  // "Reset" (restarts peak hold)

    QCheckBox* CheckSpectrumDecay;  // "On" (smoothing)
    QSlider* TrackSpectrumDecay;    // smoothing level, controls::kTrackSpectrumDecay
    QLabel* Label28;                // smoothing level, "10"

    QComboBox* ComboSpectrumResolution;  // controls::kComboSpectrumResolution
    QLabel* Label49;                     // beside "Exact resolution :", bin spacing in Hz
    QLabel* Label52;                     // under "Exact range", highest display frequency

    QCheckBox* CheckSpectrumLogarithmic;  // "Log scale"
    QToolButton* sp_spectrum_normalize;   // "Normalize", up at creation

    QToolButton* SpeedButton6;  // "?"
};

}  // namespace moravel
