// The source lines of one destination, in the device's order: item j is the
// j-th source whose line record could be read. Owns its connections.
//
// Threads: the owning mixer's thread.
#pragma once

#include "mixer/ListItem.h"
#include "mixer/MixerConnection.h"

#include <memory>
#include <vector>

namespace moravel {

class TMixerConnections {
public:
    /// Reads every source of the destination `line` from `device`, skipping
    /// those whose record cannot be read.
    TMixerConnections(TAudioMixer* mixer, const mixer::MixerDevice& device, const mixer::MixerLine& line);
    TMixerConnections(const TMixerConnections&) = delete;
    TMixerConnections& operator=(const TMixerConnections&) = delete;

    TAudioMixer* Mixer() const { return mixer_; }
    int Count() const { return static_cast<int>(connections_.size()); }
    /// Connection `index`; nothing when out of range.
    TMixerConnection* Item(int index) const { return ListItem(connections_, index); }

private:
    TAudioMixer* mixer_;
    std::vector<std::unique_ptr<TMixerConnection>> connections_;
};

}  // namespace moravel
