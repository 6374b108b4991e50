// The destination lines of an open mixer device: item i is the i-th
// destination whose line record could be read. Owns its destinations.
//
// Threads: the owning mixer's thread.
#pragma once

#include "mixer/MixerDestination.h"
#include "mixer/PointerList.h"

namespace moravel {

class TMixerDestinations {
public:
    /// Reads `count` destinations of `device` and their sources and controls.
    TMixerDestinations(TAudioMixer* mixer, const mixer::MixerDevice& device, std::uint32_t count);
    TMixerDestinations(const TMixerDestinations&) = delete;
    TMixerDestinations& operator=(const TMixerDestinations&) = delete;

    int Count() const { return list_.Count(); }
    /// Destination `index`; nothing when out of range.
    TMixerDestination* Item(int index) const { return static_cast<TMixerDestination*>(list_.Item(index)); }

private:
    TPointerList list_;
};

}  // namespace moravel
