// The sound server the ALSA mixer tests share, started by main.
#pragma once

#include "PulseServer.h"

namespace moravel::testing {

PulseServer& MixerServer();

}  // namespace moravel::testing
