#include "mixer/MixerConnections.h"

namespace moravel {

MixerConnections::MixerConnections(AudioMixer* mixer, const mixer::MixerDevice& device, const mixer::MixerLine& line)
    : mixer_(mixer) {
    for (std::uint32_t s = 0; s < line.connections; ++s) {
        mixer::MixerLine source;
        if (device.SourceLine(line.destination, s, source))
            connections_.push_back(std::make_unique<MixerConnection>(mixer, device, source));
    }
}

}  // namespace moravel
