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

class TMixerDestinations {
public:
    /// Reads `count` destinations of `device` and their sources and controls.
    TMixerDestinations(TAudioMixer* mixer, const mixer::MixerDevice& device, std::uint32_t count);
    TMixerDestinations(const TMixerDestinations&) = delete;
    TMixerDestinations& operator=(const TMixerDestinations&) = delete;

    int Count() const { return static_cast<int>(destinations_.size()); }
    /// Destination `index`; nothing when out of range.
    TMixerDestination* Item(int index) const { return ListItem(destinations_, index); }

private:
    std::vector<std::unique_ptr<TMixerDestination>> destinations_;
};

}  // namespace moravel
