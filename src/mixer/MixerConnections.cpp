#include "mixer/MixerConnections.h"

namespace moravel {

TMixerConnections::TMixerConnections(TAudioMixer* mixer, const mixer::MixerDevice& device, const mixer::MixerLine& line)
    : mixer_(mixer), list_([](void* item) { delete static_cast<TMixerConnection*>(item); }) {
    for (std::uint32_t s = 0; s < line.connections; ++s) {
        mixer::MixerLine source;
        if (device.SourceLine(line.destination, s, source)) list_.Add(new TMixerConnection(mixer, device, source));
    }
}

}  // namespace moravel
