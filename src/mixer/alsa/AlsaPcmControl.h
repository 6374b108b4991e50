// Which control device's mixer carries the sound of an ALSA PCM, so that
// the mixer shown is the one the program's audio goes through:
// - "default" (or no name): the card ALSA's default control belongs to
//   ("hw:N") on a plain ALSA machine, else the "default" control itself,
//   which on a desktop is the sound server's (PulseAudio, PipeWire);
// - a sound server's PCM ("pulse", "pulse:SINK"): the server's control of
//   the same name, which takes the same device argument;
// - a card's PCM ("hw:1,0", "plughw:1", "front:CARD=PCH,DEV=0",
//   "hw:CARD=PCH"): that card's control, "hw:N";
// - anything else: as "default".
//
// Plain C++; any thread.
#pragma once

#include <functional>
#include <string>

namespace moravel::mixer {

/// Card number of a card argument ("1", "PCH"), -1 when there is no such card.
using CardIndexOf = std::function<int(const std::string& card)>;

/// The control device of `pcm`. `defaultCard` is the card whose own
/// control ALSA's "default" control is, -1 when it is none (a sound
/// server's); `cardIndex` resolves a PCM's card argument.
std::string ControlOfPcm(const std::string& pcm, int defaultCard, const CardIndexOf& cardIndex);

}  // namespace moravel::mixer
