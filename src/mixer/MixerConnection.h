// One source line of a destination: a copy of its line record and its
// controls, read when the mixer device is opened.
//
// Threads: the owning mixer's thread.
#pragma once

#include "mixer/MixerControls.h"

namespace moravel {

class AudioMixer;

class MixerConnection {
public:
    /// Copies `line` and loads its controls from `device`.
    MixerConnection(AudioMixer* mixer, const mixer::MixerDevice& device, const mixer::MixerLine& line)
        : mixer_(mixer), line_(line), controls_(device, line) {}

    AudioMixer* Mixer() const { return mixer_; }
    /// The line record; `Line().name` is the name the user chooses by.
    const mixer::MixerLine& Line() const { return line_; }
    const MixerControls& Controls() const { return controls_; }

private:
    AudioMixer* mixer_;
    mixer::MixerLine line_;
    MixerControls controls_;
};

}  // namespace moravel
