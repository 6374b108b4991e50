#include "mixer/MixerDestinations.h"

namespace moravel {

MixerDestinations::MixerDestinations(AudioMixer* mixer, const mixer::MixerDevice& device, std::uint32_t count) {
    for (std::uint32_t d = 0; d < count; ++d) {
        mixer::MixerLine line;
        if (device.DestinationLine(d, line))
            destinations_.push_back(std::make_unique<MixerDestination>(mixer, device, line));
    }
}

}  // namespace moravel
