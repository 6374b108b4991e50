// The card behind an ALSA control device, as the mixer model reports it:
// the card's own name (not the description of a PCM), the maker of its
// mixer chip as far as ALSA knows it, its card number as the product id and
// the ALSA library's version as the driver version.
//
// Threads: any.
#pragma once

#include "mixer/MixerRecords.h"

#include <optional>
#include <string>

namespace moravel::mixer {

/// The capabilities of control device `ctlName` ("hw:0", "default"); the
/// destination count is left 0. Nothing when the device does not open.
std::optional<MixerCaps> ReadCardCaps(const std::string& ctlName);
/// The card number when `ctlName` is a card's own control device, else -1.
int HardwareCardOf(const std::string& ctlName);

}  // namespace moravel::mixer
