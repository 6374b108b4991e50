// "Audio Devices": the input device (what the receiver's audio comes from)
// and the output device (where the processed audio is played), each chosen
// from the devices there are when its list is opened (DeviceComboBox). OK
// closes with the choice, Cancel without.
//
// GUI thread only.
#pragma once

#include "audio/alsa/AudioDeviceList.h"
#include "app/core/AudioDeviceSettings.h"

#include <QDialog>

#include <functional>
#include <vector>

namespace moravel {

class DeviceComboBox;

class AudioDevicesDialog : public QDialog {
public:
    using Lister = std::function<std::vector<AudioDeviceEntry>(AudioDeviceList::Direction)>;

    /// Shows `current`; `lister` gives the devices of a direction.
    AudioDevicesDialog(const AudioDeviceSettings& current, const Lister& lister, QWidget* parent = nullptr);

    /// The devices selected now.
    AudioDeviceSettings Chosen() const;

private:
    DeviceComboBox* input_;
    DeviceComboBox* output_;
};

}  // namespace moravel
