// The destination lines of an open mixer device: item i is the i-th
// destination whose line record could be read. Owns its destinations.
//
// Threads: the owning mixer's thread.
#pragma once

#include "mixer/ListItem.h"
#include "mixer/MixerDestination.h"

#include <memory>
#include <vector>

namespace moravel {

class MixerDestinations {
public:
    /// Reads `count` destinations of `device` and their sources and controls.
    MixerDestinations(AudioMixer* mixer, const mixer::MixerDevice& device, std::uint32_t count);
    MixerDestinations(const MixerDestinations&) = delete;
    MixerDestinations& operator=(const MixerDestinations&) = delete;

    int Count() const { return static_cast<int>(destinations_.size()); }
    /// Destination `index`; nothing when out of range.
    MixerDestination* Item(int index) const { return ListItem(destinations_, index); }

private:
    std::vector<std::unique_ptr<MixerDestination>> destinations_;
};

}  // namespace moravel
