// The choice of the input and output devices in the window: takes the
// stored choice (with the command line's devices in place of the stored
// ones for this run) to the sound devices before they first open, and lets
// the user choose afresh in the "Audio Devices" dialog. A new choice is
// stored (only the direction that changed), the mixer follows it (the
// device whose mixer the Soundcard page shows, AudioDeviceSettings::MixerPcm)
// and the devices are restarted on it.
//
// GUI thread only.
#pragma once

#include "app/window/AudioDevicesDialog.h"
#include "app/core/AudioDeviceSettings.h"
#include "audio/WaveDevice.h"

#include <functional>
#include <string>

class QWidget;

namespace moravel {

class DeviceChoiceController {
public:
    struct Parts {
        AudioBackend& backend;
        IniFile& settings;
        /// The PCMs named on the command line; empty: the stored one.
        std::string inputOverride;
        std::string outputOverride;
        /// The devices of a direction for the dialog's lists.
        AudioDevicesDialog::Lister lister;
        /// The Soundcard page shows the mixer of this PCM from now on.
        std::function<void(const std::string& mixerPcm)> followMixer;
        /// Closes and opens the devices again (on the new choice).
        std::function<void()> restartDevices;
    };

    /// Tells the backend the devices to open.
    explicit DeviceChoiceController(Parts parts);

    const AudioDeviceSettings& Current() const { return current_; }
    /// The devices in use, for the status strip: "input X, output Y", each
    /// its PCM name or "System default".
    std::string Describe() const;

    /// The dialog, modally; OK takes its choice (Choose).
    void ChooseInDialog(QWidget* parent);
    /// Uses `chosen` from now on: stores each direction that changed, has
    /// the mixer follow and restarts the devices. Nothing when nothing changed.
    void Choose(const AudioDeviceSettings& chosen);

private:
    Parts parts_;
    AudioDeviceSettings current_;
};

}  // namespace moravel
