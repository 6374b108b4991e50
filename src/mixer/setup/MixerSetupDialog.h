// The soundcard configuration dialog (unit mixer_setup): the user picks, for
// the microphone, the line input and the wave signal, the mixer line that
// carries it on the recording side ("Audio In") and on the playback side
// ("Audio Out"). OK stores the six connection indexes in the settings file's
// MIXER section; Cancel and Esc close it without writing; F1 asks for the
// help topic "Soundcard_Settings".
//
// The dialog opens its own mixer component on the device the settings
// choose (MixerDeviceChoice.h: the stored one, else the one the sound goes
// through) and offers every mixer device of the service in "Mixer device";
// OK stores the chosen device with the six lines. When nothing is stored
// for the device shown (a first run, or another device chosen) it
// pre-selects the lines whose names fit (SoundcardChoices.h), so that one OK
// usually completes a setup.
//
// Threads: GUI thread only.
#pragma once

#include "mixer/AudioMixer.h"
#include "common/IniFile.h"
#include "common/LineAssignment.h"

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

    /// The help topic F1 asks for.
    static constexpr const char* kHelpTopic = "Soundcard_Settings";

    /// `service`: the mixer devices (the chosen one is opened); `settingsFile`: the
    /// settings file's path (its own object on it); `help`: called for F1
    /// (may be empty).
    MixerSetupDialog(std::shared_ptr<mixer::MixerService> service, const std::string& settingsFile, HelpRequest help,
           QWidget* parent = nullptr);

    /// The dialog's mixer component ("Mixer").
    TAudioMixer Mixer;

    QLabel* Label1;        // the explanation
    QComboBox* ComboBox1;  // the mixer device, by the service's descriptions
    QGroupBox* GroupBox1;  // "Audio In  "
    QComboBox* ComboBox2;  // microphone in (Microphone_In)
    QComboBox* ComboBox6;  // line in (Line_In)
    QComboBox* ComboBox7;  // wave in (Wave_In)
    QGroupBox* GroupBox2;  // "Audio Out  "
    QComboBox* ComboBox3;  // microphone out (Microphone_Out)
    QComboBox* ComboBox4;  // line out (Line_Out)
    QComboBox* ComboBox5;  // wave out (Wave_Out): a real line, no "[Not available]"
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

    /// OK's handler: turns "[Not available]" into no selection, writes the
    /// six keys (Microphone_Out, Line_Out, Wave_Out, Microphone_In, Line_In,
    /// Wave_In) and the mixer device's name (Mixer_Device, when a device is
    /// open), and closes with the OK result. A write that fails is shown and
    /// keeps the dialog open.
    void ButtonOKClick();
    /// Another mixer device chosen: opens it and fills the lists from it.
    void MixerDeviceChange(int device);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void FillDevices();
    void FillLists();
    QComboBox* ListOf(LineKey key) const;

    std::shared_ptr<mixer::MixerService> service_;
    IniFile ini_;
    HelpRequest help_;
    int storedDevice_ = -1;  // the device the stored lines belong to
};

}  // namespace moravel
