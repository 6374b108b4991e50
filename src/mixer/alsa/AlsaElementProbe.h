// Reads the traits of a simple-mixer element (AlsaElementTraits.h).
//
// Threads: the thread that uses the mixer.
#pragma once

#include "mixer/alsa/AlsaElementTraits.h"

#include <alsa/asoundlib.h>

namespace moravel::mixer {

AlsaElementTraits ProbeElement(snd_mixer_elem_t* element);

}  // namespace moravel::mixer
