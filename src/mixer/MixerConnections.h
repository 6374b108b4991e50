// The source lines of one destination, in the device's order: item j is the
// j-th source whose line record could be read. Owns its connections.
//
// Threads: the owning mixer's thread.
#pragma once

#include "mixer/MixerConnection.h"
#include "mixer/PointerList.h"

namespace moravel {

class TMixerConnections {
public:
    /// Reads every source of the destination `line` from `device`, skipping
    /// those whose record cannot be read.
    TMixerConnections(TAudioMixer* mixer, const mixer::MixerDevice& device, const mixer::MixerLine& line);
    TMixerConnections(const TMixerConnections&) = delete;
    TMixerConnections& operator=(const TMixerConnections&) = delete;

    TAudioMixer* Mixer() const { return mixer_; }
    int Count() const { return list_.Count(); }
    /// Connection `index`; nothing when out of range.
    TMixerConnection* Item(int index) const { return static_cast<TMixerConnection*>(list_.Item(index)); }

private:
    TAudioMixer* mixer_;
    TPointerList list_;
};

}  // namespace moravel
