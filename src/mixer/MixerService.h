// The system's mixer devices: how many there are, what each is called,
// which one carries the program's sound, and opening one.
// Implementations: the ALSA simple mixer (AlsaMixerService) and a simulated
// typical soundcard (SimulatedMixerService).
//
// Threads: the thread that owns the mixer components (the GUI thread).
#pragma once

#include "mixer/MixerDevice.h"

#include <memory>
#include <string>

namespace moravel::mixer {

class MixerService {
public:
    virtual ~MixerService() = default;
    /// Number of mixer devices, 0 or more; device ids are 0..count-1.
    virtual int DeviceCount() = 0;
    /// Opens device `id`; nothing when it does not open.
    virtual std::unique_ptr<MixerDevice> Open(int id) = 0;
    /// The name that finds device `id` again in a later run (the settings
    /// store it): "hw:0", "default". Empty when `id` is out of range.
    virtual std::string DeviceName(int id) = 0;
    /// What the user knows device `id` by, for the choice of mixer: the
    /// card's own name and the device name. Empty when out of range.
    virtual std::string DeviceDescription(int id) = 0;
    /// The device the program's sound goes through, the one to show unless
    /// the user chose another; -1 when there is no device.
    virtual int AudioDevice() = 0;
    /// The device named `name` (DeviceName), -1 when there is none.
    int DeviceNamed(const std::string& name) {
        for (int id = 0; id < DeviceCount(); ++id)
            if (DeviceName(id) == name) return id;
        return -1;
    }
};

}  // namespace moravel::mixer
