// One destination line (playback, recording): a copy of its line record,
// its own controls and its source lines, read when the device is opened.
//
// Threads: the owning mixer's thread.
#pragma once

#include "mixer/MixerConnections.h"
#include "mixer/MixerControls.h"

namespace moravel {

class TMixerDestination {
public:
    /// Copies `line`, reads its sources (those whose record can be read)
    /// and then its own controls.
    TMixerDestination(TAudioMixer* mixer, const mixer::MixerDevice& device, const mixer::MixerLine& line);

    TAudioMixer* Mixer() const { return mixer_; }
    const mixer::MixerLine& Line() const { return line_; }
    const TMixerControls& Controls() const { return controls_; }
    const TMixerConnections& Connections() const { return connections_; }

private:
    TAudioMixer* mixer_;
    mixer::MixerLine line_;
    TMixerConnections connections_;
    TMixerControls controls_;
};

}  // namespace moravel
