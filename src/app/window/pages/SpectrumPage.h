// The "Spectrum" settings page: spectrum plot on/off, the y-axis scale mode
// with its manual maximum and peak-hold "Reset", smoothing on/off and level,
// the display resolution with its exact bin spacing and highest frequency,
// the logarithmic axis, "Normalize", and the help button.
//
// The plot pane's own read-outs ("Peak =", "Cursor =") and its scroll bar
// are not on this page. Layout only: the main window connects the controls.
#pragma once

#include "app/window/pages/SettingsPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class SpectrumPage : public SettingsPage {
public:
    /// Builds the page and appends it to `tabs` as "Spectrum". GUI thread only.
    explicit SpectrumPage(QTabWidget* tabs);

    // Object names (in quotes, or the control table's row) are the ones
    // the tests and the accessible texts find the controls by.

    QToolButton* spectrumSwitch;  // controls::kSpectrumOn: "Spectrum On", up at creation

    QComboBox* scaleModeCombo;         // controls::kComboSpectrumScale
    QSlider* scaleMaximumSlider;       // manual y-axis maximum, controls::kTrackSpectrumMax
    QLabel* scaleMaximumLabel;         // "Label14": current y-axis maximum, "10"
    QPushButton* resetPeakHoldButton;  // "ButtonRefreshSpectrumScale": "Reset" (restarts peak hold)

    QCheckBox* smoothingSwitch;  // controls::kSpectrumDecayOn: "On"
    QSlider* smoothingSlider;    // smoothing level, controls::kTrackSpectrumDecay
    QLabel* smoothingLabel;      // "Label28": smoothing level, "10"

    QComboBox* resolutionCombo;     // controls::kComboSpectrumResolution
    QLabel* binSpacingLabel;        // "Label49": beside "Exact resolution :", bin spacing in Hz
    QLabel* highestFrequencyLabel;  // "Label52": under "Exact range", highest display frequency

    QCheckBox* logScaleSwitch;     // controls::kSpectrumLogScale: "Log scale"
    QToolButton* normalizeSwitch;  // "sp_spectrum_normalize": "Normalize", up at creation

    QToolButton* helpButton;  // "SpeedButton6": "?"
};

}  // namespace moravel
