// What the mixer layout needs to know of one simple-mixer element, read
// once when the mixer is opened (AlsaMixerDevice) or written by hand in
// tests.
//
// Threads: plain value, any thread.
#pragma once

#include <string>
#include <vector>

namespace moravel::mixer {

struct AlsaElementTraits {
    std::string name;
    unsigned index = 0;  // the element's index among elements of that name
    bool playbackVolume = false;
    bool playbackSwitch = false;
    bool captureVolume = false;
    bool captureSwitch = false;
    bool playbackMono = false;
    bool captureMono = false;
    /// The volume or switch serves both directions: a control named without
    /// "Playback" or "Capture" ("Mic Boost Volume"), which ALSA reports as
    /// a playback and a capture volume (switch) at once.
    bool commonVolume = false;
    bool commonSwitch = false;
    bool playbackVolumeJoined = false;
    bool captureVolumeJoined = false;
    /// The capture switch belongs to a group of which one is on at a time.
    bool captureSwitchExclusive = false;
    int captureGroup = 0;
    /// An enumerated element for capture, and its item names.
    bool enumCapture = false;
    std::vector<std::string> enumItems;

    /// The name the user sees: "Mic", or "Mic 1" for the second of that name.
    std::string DisplayName() const { return index == 0 ? name : name + " " + std::to_string(index); }
};

}  // namespace moravel::mixer
