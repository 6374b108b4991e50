#include "mixer/simulated/SimulatedMixerService.h"

#include "mixer/simulated/SimulatedMixerDevice.h"

namespace moravel::mixer {

SimulatedMixerService::SimulatedMixerService(int devices, const MixerCaps& caps) {
    for (int i = 0; i < devices; ++i) cards_.push_back(MakeTypicalSoundcard(caps));
}

std::unique_ptr<MixerDevice> SimulatedMixerService::Open(int id) {
    if (!InRange(id)) return nullptr;
    return std::make_unique<SimulatedMixerDevice>(cards_[static_cast<std::size_t>(id)]);
}

std::string SimulatedMixerService::DeviceName(int id) {
    return InRange(id) ? "simulated:" + std::to_string(id) : std::string();
}

std::string SimulatedMixerService::DeviceDescription(int id) {
    return InRange(id) ? Card(id).Caps().productName : std::string();
}

}  // namespace moravel::mixer
