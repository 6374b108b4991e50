#include "mixer/setup/MixerDeviceChoice.h"

namespace moravel {

int ChosenMixerDevice(mixer::MixerService& service, const std::string& stored) {
    const int named = stored.empty() ? -1 : service.DeviceNamed(stored);
    return named >= 0 ? named : service.AudioDevice();
}

}  // namespace moravel
