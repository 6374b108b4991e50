// The "Audio" settings page: the audio range, the automatic gain control
// (on/off, level, decay, the AGC compensation meter, "Defaults") and the
// spectral noise blanker (on/off, level), plus the help button.
//
// Layout only: the main window connects the controls and sets the meter.
#pragma once

#include "app/window/pages/SettingsPage.h"

class QCheckBox;
class QComboBox;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class DbMeter;

class AudioPage : public SettingsPage {
public:
    /// Builds the page and appends it to `tabs` as "Audio". GUI thread only.
    explicit AudioPage(QTabWidget* tabs);

    QComboBox* audioRangeCombo;  // controls::kComboAudioRange

    QCheckBox* agcSwitch;            // controls::kAgcOn: "Auto Gain Control", unchecked at creation
    QSlider* agcLevelSlider;         // target peak in sample units, controls::kTrackAgcLevel
    QSlider* agcDecaySlider;         // windows to close the gain gap, controls::kTrackAgcDecay
    DbMeter* agcMeter;               // "VUAgcLevel": AGC compensation meter, position 0
    QToolButton* agcDefaultsButton;  // "SpeedButton5": "Defaults"

    QCheckBox* noiseBlankerSwitch;     // controls::kNoiseBlankerOn: "Noise blanker"
    QSlider* noiseBlankerLevelSlider;  // controls::kTrackNoiseblanker1Level

    QToolButton* helpButton;  // "SpeedButton7": "?"
};

}  // namespace moravel
