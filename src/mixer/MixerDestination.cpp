#include "mixer/MixerDestination.h"

namespace moravel {

// connections_ is declared before controls_: the sources are read first.
MixerDestination::MixerDestination(AudioMixer* mixer, const mixer::MixerDevice& device, const mixer::MixerLine& line)
    : mixer_(mixer), line_(line), connections_(mixer, device, line), controls_(device, line) {}

}  // namespace moravel
