// The playback volume of a device through the ALSA simple mixer of its
// control device: the element "Master" when it has a playback volume, else
// the first element that has one.
//
// Threads: component's thread. Each call opens the mixer afresh, so that a
// server that went away or came back is seen at once.
#pragma once

#include <cstdint>
#include <string>

namespace moravel::alsa {

struct MixerVolumeSupport {
    bool volume = false;    // an element with a playback volume exists
    bool separate = false;  // it sets left and right separately
};

/// What the mixer `mixerName` offers; all false when it does not open.
MixerVolumeSupport ProbeMixerVolume(const std::string& mixerName);
/// Reads the volume (left low, right high); false when there is no such
/// mixer or element. A mono element reads the same on both sides.
bool ReadMixerVolume(const std::string& mixerName, std::uint32_t& volume);
/// Sets the volume; a mono or joined element takes the left half.
bool WriteMixerVolume(const std::string& mixerName, std::uint32_t volume);

}  // namespace moravel::alsa
