// The soundcard configuration dialog (unit mixer_setup): the user picks, for
// the microphone, the line input and the wave signal, the mixer line that
// carries it on the recording side ("Audio In") and on the playback side
// ("Audio Out"). OK hands the six connection indexes and the mixer device to
// its caller, which stores them in the settings file's MIXER section; Cancel
// and Esc close it without handing anything; F1 asks for the help topic
// "Soundcard_Settings". The dialog itself never reads or writes the file:
// it opens with what its caller read (common/SoundcardSetup.h).
//
// The dialog opens its own mixer component on the device the stored setup
// chooses (MixerDeviceChoice.h: the stored one, else the one the sound goes
// through) and offers every mixer device of the service in "Mixer device".
// When no lines are stored for the device shown (a first run, or another
// device chosen) it pre-selects the lines whose names fit
// (SoundcardChoices.h), so that one OK usually completes a setup.
//
// Threads: GUI thread only.
#pragma once

#include "common/LineAssignment.h"
#include "common/SoundcardSetup.h"
#include "mixer/AudioMixer.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace moravel {

class MixerSetupDialog : public QDialog {
    Q_OBJECT
public:
    /// Opens a help topic by name (the window's help router).
    using HelpRequest = std::function<void(const QString& topic)>;
    /// Stores what OK chose (the caller's settings file); an exception it
    /// throws is shown and keeps the dialog open.
    using Store = std::function<void(const SoundcardSetup& chosen)>;

    /// The help topic F1 asks for.
    static constexpr const char* kHelpTopic = "Soundcard_Settings";

    /// `service`: the mixer devices (the chosen one is opened); `stored`:
    /// what the settings file holds; `store`: called by OK; `help`: called
    /// for F1 (may be empty).
    MixerSetupDialog(std::shared_ptr<mixer::MixerService> service, SoundcardSetup stored, Store store, HelpRequest help,
                     QWidget* parent = nullptr);

    /// The dialog's mixer component (object name "Mixer").
    AudioMixer mixer;

    // Object names in brackets: tests and the accessible texts find the
    // controls by them.
    QLabel* explanationLabel;    // ("Label1")
    QComboBox* mixerDeviceList;  // ("ComboBox1") by the service's descriptions
    QGroupBox* audioInGroup;     // "Audio In  " ("GroupBox1")
    QComboBox* micInList;        // Microphone_In ("ComboBox2")
    QComboBox* lineInList;       // Line_In ("ComboBox6")
    QComboBox* waveInList;       // Wave_In ("ComboBox7")
    QGroupBox* audioOutGroup;    // "Audio Out  " ("GroupBox2")
    QComboBox* micOutList;       // Microphone_Out ("ComboBox3")
    QComboBox* lineOutList;      // Line_Out ("ComboBox4")
    QComboBox* waveOutList;      // Wave_Out ("ComboBox5"): a real line, no "[Not available]"
    QPushButton* okButton;       // ("ButtonOK")
    QPushButton* cancelButton;   // ("ButtonCancel")

    /// OK: turns "[Not available]" into no selection, hands the six lines
    /// and the open mixer device's name (none when no device is open) to
    /// `store`, and closes with the OK result. A store that fails is shown
    /// and keeps the dialog open.
    void okClicked();
    /// Another mixer device chosen: opens it and fills the lists from it.
    void mixerDeviceChanged(int device);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void fillDevices();
    void fillLists();
    QComboBox* listOf(LineKey key) const;
    SoundcardSetup chosen() const;

    std::shared_ptr<mixer::MixerService> service_;
    SoundcardSetup stored_;
    Store store_;
    HelpRequest help_;
    int storedDevice_ = -1;  // the device the stored lines belong to
};

}  // namespace moravel
