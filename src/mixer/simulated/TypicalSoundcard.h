// A typical soundcard mixer for the simulated service.
//
// Destination 0, "Volume Control" (stereo): "Master Volume", "Master Mute";
// its sources, each with a volume and a mute: "Wave", "Microphone" (mono),
// "Line In", "CD Audio".
// Destination 1, "Recording Control" (stereo): "Recording Volume" and the
// multiplexer "Recording Source"; its sources, each with a volume only
// (their on/off state is their selection): "Microphone" (mono), "Line In",
// "Stereo Mix", "CD Audio". Microphone is selected; every volume is at
// half scale (32768) and nothing is muted.
//
// Threads: any.
#pragma once

#include "mixer/simulated/SimulatedCard.h"

#include <memory>

namespace moravel::mixer {

/// The card's name, as the soundcard page shows it.
inline constexpr const char* kTypicalSoundcardName = "Moravel Virtual Soundcard";

/// A new typical card reporting `caps` (its destination count is the card's own).
std::shared_ptr<SimulatedCard> MakeTypicalSoundcard(const MixerCaps& caps);
/// The capabilities the simulated service gives its cards by default.
MixerCaps TypicalSoundcardCaps();

}  // namespace moravel::mixer
