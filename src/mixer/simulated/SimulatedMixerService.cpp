#include "SimulatedMixerService.h"

#include "SimulatedMixerDevice.h"

namespace moravel::mixer {

SimulatedMixerService::SimulatedMixerService(int devices, const MixerCaps& caps) {
    for (int i = 0; i < devices; ++i) cards_.push_back(MakeTypicalSoundcard(caps));
}

std::unique_ptr<MixerDevice> SimulatedMixerService::Open(int id) {
    if (id < 0 || id >= DeviceCount()) return nullptr;
    return std::make_unique<SimulatedMixerDevice>(cards_[static_cast<std::size_t>(id)]);
}

}  // namespace moravel::mixer
