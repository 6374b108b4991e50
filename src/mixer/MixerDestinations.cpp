#include "mixer/MixerDestinations.h"

namespace moravel {

TMixerDestinations::TMixerDestinations(TAudioMixer* mixer, const mixer::MixerDevice& device, std::uint32_t count)
    : list_([](void* item) { delete static_cast<TMixerDestination*>(item); }) {
    for (std::uint32_t d = 0; d < count; ++d) {
        mixer::MixerLine line;
        if (device.DestinationLine(d, line)) list_.Add(new TMixerDestination(mixer, device, line));
    }
}

}  // namespace moravel
