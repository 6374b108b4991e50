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

class MixerConnections {
public:
    /// Reads every source of the destination `line` from `device`, skipping
    /// those whose record cannot be read.
    MixerConnections(AudioMixer* mixer, const mixer::MixerDevice& device, const mixer::MixerLine& line);
    MixerConnections(const MixerConnections&) = delete;
    MixerConnections& operator=(const MixerConnections&) = delete;

    AudioMixer* Mixer() const { return mixer_; }
    int Count() const { return static_cast<int>(connections_.size()); }
    /// Connection `index`; nothing when out of range.
    MixerConnection* Item(int index) const { return ListItem(connections_, index); }

private:
    AudioMixer* mixer_;
    std::vector<std::unique_ptr<MixerConnection>> connections_;
};

}  // namespace moravel
