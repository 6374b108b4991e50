// One source line of a destination: a copy of its line record and its
// controls, read when the mixer device is opened.
//
// Threads: the owning mixer's thread.
#pragma once

#include "mixer/MixerControls.h"

namespace moravel {

class TAudioMixer;

class TMixerConnection {
public:
    /// Copies `line` and loads its controls from `device`.
    TMixerConnection(TAudioMixer* mixer, const mixer::MixerDevice& device, const mixer::MixerLine& line)
        : mixer_(mixer), line_(line), controls_(device, line) {}

    TAudioMixer* Mixer() const { return mixer_; }
    /// The line record; `Line().name` is the name the user chooses by.
    const mixer::MixerLine& Line() const { return line_; }
    const TMixerControls& Controls() const { return controls_; }

private:
    TAudioMixer* mixer_;
    mixer::MixerLine line_;
    TMixerControls controls_;
};

}  // namespace moravel
