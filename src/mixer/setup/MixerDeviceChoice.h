// Which mixer device the soundcard dialog and the Soundcard page show: the
// one the settings name (kMixerDeviceKey) while the service still has it,
// else the one the program's sound goes through, so that a first run, a
// settings file from before there was a choice and a card that is gone all
// get the mixer the user hears.
//
// Threads: the mixer components' thread (GUI).
#pragma once

#include "mixer/MixerService.h"

#include <string>

namespace moravel {

/// The device to show for the stored device name `stored` (empty: none
/// stored); -1 when the service has none.
int ChosenMixerDevice(mixer::MixerService& service, const std::string& stored);

}  // namespace moravel
