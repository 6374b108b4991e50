// The "Soundcard" settings page: the soundcard's name, and an enable check
// box with a volume track bar (0..100) for each mixer line the program uses,
// grouped as " Audio out " (master, wave out), " Audio in " (microphone,
// line) and "Off lines" (wave in, direct microphone and line out, which must
// stay off), plus "Auto set audio" and the help button.
//
// Layout only: the main window enables, reads and writes the lines.
#pragma once

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class SoundcardPage {
public:
    /// Builds the page and appends it to `Tab1` as "Soundcard". GUI thread only.
    explicit SoundcardPage(QTabWidget* Tab1);
    SoundcardPage(const SoundcardPage&) = delete;
    SoundcardPage& operator=(const SoundcardPage&) = delete;

    QWidget* sheet;  // "TabSoundcard"

    QLabel* Label4;  // the soundcard's name, empty at creation

    // " Audio out "
    QCheckBox* CheckBox7;  // "Master"
    QSlider* TrackBar7;    // master volume 0..100
    QCheckBox* CheckBox6;  // "Wave" (wave out)
    QSlider* TrackBar6;
    // " Audio in "
    QCheckBox* CheckBox2;  // "Mic"
    QSlider* TrackBar2;
    QCheckBox* CheckBox3;  // "Line"
    QSlider* TrackBar3;
    // "Off lines"
    QCheckBox* CheckBox8;  // "Wave" (wave in)
    QSlider* TrackBar8;
    QCheckBox* CheckBox4;  // "Mic" (direct microphone out)
    QSlider* TrackBar4;
    QCheckBox* CheckBox5;  // "Line" (direct line out)
    QSlider* TrackBar5;

    QPushButton* ButtonAutoSetAudio;  // "Auto set audio"
    QToolButton* SpeedButton4;        // "?"
};

}  // namespace moravel
