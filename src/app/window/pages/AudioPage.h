// The "Audio" settings page: the audio range, the automatic gain control
// (on/off, level, decay, the AGC compensation meter, "Defaults") and the
// spectral noise blanker (on/off, level), plus the help button.
//
// Layout only: the main window connects the controls and sets the meter.
#pragma once

class QCheckBox;
class QComboBox;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class DbMeter;

class AudioPage {
public:
    /// Builds the page and appends it to `Tab1` as "Audio". GUI thread only.
    explicit AudioPage(QTabWidget* Tab1);
    AudioPage(const AudioPage&) = delete;
    AudioPage& operator=(const AudioPage&) = delete;

    QWidget* sheet;  // "TabAudio"

    QComboBox* ComboAudioRange;  // controls::kComboAudioRange

    QCheckBox* CheckAGC;        // "Auto Gain Control", unchecked at creation
    QSlider* TrackAgcLevel;     // target peak in sample units, controls::kTrackAgcLevel
    QSlider* TrackAgcDecay;     // windows to close the gain gap, controls::kTrackAgcDecay
    DbMeter* VUAgcLevel;       // AGC compensation meter, position 0
    QToolButton* SpeedButton5;  // "Defaults"

    QCheckBox* CheckNoiseBlanker1;     // "Noise blanker"
    QSlider* TrackNoiseblanker1Level;  // controls::kTrackNoiseblanker1Level

    QToolButton* SpeedButton7;  // "?"
};

}  // namespace moravel
