// The "Soundcard" settings page: the soundcard's name, and an enable check
// box with a volume track bar (0..100) for each mixer line the program uses,
// grouped as " Audio out " (master, wave out), " Audio in " (microphone,
// line) and "Off lines" (wave in, direct microphone and line out, which must
// stay off), plus "Auto set audio" and the help button.
//
// Layout only: the main window enables, reads and writes the lines.
#pragma once

#include "app/window/pages/SettingsPage.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class SoundcardPage : public SettingsPage {
public:
    /// Builds the page and appends it to `tabs` as "Soundcard". GUI thread only.
    explicit SoundcardPage(QTabWidget* tabs);

    // Object names in brackets: the control table, the accessible texts and
    // the tests find the controls by them.

    QLabel* cardNameLabel;  // the soundcard's name, empty at creation ("Label4")

    // " Audio out "
    QCheckBox* masterSwitch;   // "Master" ("CheckBox7")
    QSlider* masterVolume;     // 0..100 ("TrackBar7")
    QCheckBox* waveOutSwitch;  // "Wave" ("CheckBox6")
    QSlider* waveOutVolume;    // ("TrackBar6")
    // " Audio in "
    QCheckBox* micInSwitch;   // "Mic" ("CheckBox2")
    QSlider* micInVolume;     // ("TrackBar2")
    QCheckBox* lineInSwitch;  // "Line" ("CheckBox3")
    QSlider* lineInVolume;    // ("TrackBar3")
    // "Off lines"
    QCheckBox* waveInSwitch;   // "Wave" ("CheckBox8")
    QSlider* waveInVolume;     // ("TrackBar8")
    QCheckBox* micOutSwitch;   // "Mic", direct microphone out ("CheckBox4")
    QSlider* micOutVolume;     // ("TrackBar4")
    QCheckBox* lineOutSwitch;  // "Line", direct line out ("CheckBox5")
    QSlider* lineOutVolume;    // ("TrackBar5")

    QPushButton* autoSetButton;  // "Auto set audio" ("ButtonAutoSetAudio")
    QToolButton* helpButton;     // "?" ("SpeedButton4")
};

}  // namespace moravel
