// One destination line (playback, recording): a copy of its line record,
// its own controls and its source lines, read when the device is opened.
//
// Threads: the owning mixer's thread.
#pragma once

#include "mixer/MixerConnections.h"
#include "mixer/MixerControls.h"

namespace moravel {

class MixerDestination {
public:
    /// Copies `line`, reads its sources (those whose record can be read)
    /// and then its own controls.
    MixerDestination(AudioMixer* mixer, const mixer::MixerDevice& device, const mixer::MixerLine& line);

    AudioMixer* Mixer() const { return mixer_; }
    const mixer::MixerLine& Line() const { return line_; }
    const MixerControls& Controls() const { return controls_; }
    const MixerConnections& Connections() const { return connections_; }

private:
    AudioMixer* mixer_;
    mixer::MixerLine line_;
    MixerConnections connections_;
    MixerControls controls_;
};

}  // namespace moravel
