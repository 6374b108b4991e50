// The ALSA mixer service: the mixer devices are the cards' control devices
// ("hw:0", "hw:1", ... in card order) followed by "default" when that is not
// one of those cards (a sound server's control, for example), and by the
// control of the wave PCM the service is made for when that is none of
// these ("pulse:SINK"); listed once when the service is created. The audio
// device is the control of that PCM (AlsaPcmControl.h): on a desktop the
// sound server's, on a plain ALSA machine the default card's.
//
// Threads: the thread that owns the mixer components, with a Qt event loop
// (the devices watch their descriptors there).
#pragma once

#include "mixer/MixerService.h"

#include <memory>
#include <string>
#include <vector>

namespace moravel::mixer {

class AlsaMixerService : public MixerService {
public:
    /// The mixers, the audio device being the one that carries `wavePcm`,
    /// the PCM the program plays and records through.
    explicit AlsaMixerService(const std::string& wavePcm = "default");

    int DeviceCount() override { return static_cast<int>(names_.size()); }
    std::unique_ptr<MixerDevice> Open(int id) override;
    std::string DeviceName(int id) override;
    /// The card's own name and the control device: "PulseAudio (default)".
    std::string DeviceDescription(int id) override;
    int AudioDevice() override { return audioDevice_; }
    /// The control device names, in device order.
    const std::vector<std::string>& Names() const { return names_; }

private:
    bool InRange(int id) const { return id >= 0 && id < static_cast<int>(names_.size()); }

    std::vector<std::string> names_;
    int audioDevice_ = -1;
};

}  // namespace moravel::mixer
