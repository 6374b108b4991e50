// The "Equalizer" settings page: seven vertical band sliders
// (controls::kEqualizerBandControls, objects eq1..eq7; minimum at the top, so
// moving a slider up raises its band's gain), each with its band's centre
// frequency above (eqlbl1..eqlbl7) and its gain in percent below
// (Label61..Label67), plus "Equalizer on", "Reset" and the help button.
//
// Layout only: the main window connects the controls and writes the labels.
#pragma once

#include "app/window/pages/SettingsPage.h"

#include <array>

#include "common/EqualizerBands.h"

class QLabel;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class EqualizerPage : public SettingsPage {
public:
    /// Builds the page and appends it to `tabs` as "Equalizer". GUI thread only.
    explicit EqualizerPage(QTabWidget* tabs);

    // The band controls in band order (lowest band first). Gain sliders,
    // controls::kEqualizerBandControls ("eq1".."eq7"): -5 (top, gain 2.0)
    // .. 5 (bottom, gain 0.0), 0 at creation.
    std::array<QSlider*, kEqualizerBands> bandSliders{};
    // Each band's gain in percent ("Label61".."Label67"), under its slider,
    // "0 %" at creation.
    std::array<QLabel*, kEqualizerBands> bandPercentLabels{};
    // Each band's centre frequency ("eqlbl1".."eqlbl7"), above its slider,
    // "0 Hz" at creation.
    std::array<QLabel*, kEqualizerBands> bandFrequencyLabels{};

    QToolButton* equalizerSwitch;       // controls::kEqualizerOn: "Equalizer on", up at creation
    QToolButton* equalizerResetButton;  // "sb_equalizer_reset": "Reset" (one-shot)
    QToolButton* helpButton;            // "SpeedButton13": "?"
};

}  // namespace moravel
