// A simulated sound server's mixer: a playback destination "Master" and a
// recording destination "Capture", each with a volume and a switch, and no
// source lines at all (what ALSA's "default" control offers on a machine
// whose only mixer is PulseAudio's or PipeWire's).
#pragma once

#include "mixer/simulated/SimulatedCard.h"

#include <memory>

namespace moravel::testing {

std::shared_ptr<mixer::SimulatedCard> MakeServerOnlyCard();

}  // namespace moravel::testing
