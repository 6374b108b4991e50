#include "mixer/setup/MixerDeviceChoice.h"

#include "common/LineAssignment.h"

namespace moravel {

int ChosenMixerDevice(mixer::MixerService& service, const IniFile& file) {
    const std::string stored = ReadMixerDevice(file);
    const int named = stored.empty() ? -1 : service.DeviceNamed(stored);
    return named >= 0 ? named : service.AudioDevice();
}

}  // namespace moravel
