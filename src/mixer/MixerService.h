// The system's mixer devices: how many there are and opening one.
// Implementations: the ALSA simple mixer (AlsaMixerService) and a simulated
// typical soundcard (SimulatedMixerService).
//
// Threads: the thread that owns the mixer components (the GUI thread).
#pragma once

#include "MixerDevice.h"

#include <memory>

namespace moravel::mixer {

class MixerService {
public:
    virtual ~MixerService() = default;
    /// Number of mixer devices, 0 or more; device ids are 0..count-1.
    virtual int DeviceCount() = 0;
    /// Opens device `id`; nothing when it does not open.
    virtual std::unique_ptr<MixerDevice> Open(int id) = 0;
};

}  // namespace moravel::mixer
