// The sources and sinks of the sound server the desktop runs (PulseAudio,
// or PipeWire through pipewire-pulse), asked over the PulseAudio protocol.
// A server that does not answer within the time limit, or none at all,
// gives an empty list: no server is started (no autospawn) and nothing is
// printed, since a plain ALSA machine has no server.
//
// Plain C++; any thread (each call has a main loop of its own).
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace moravel::alsa {

/// One source or sink as the server names and describes it.
struct ServerDevice {
    std::string name;         // what the server knows it by: "alsa_output.pci-0000_00_1f.3.analog-stereo"
    std::string description;  // what the desktop shows: "Built-in Audio Analog Stereo"
    bool monitor = false;     // a source that records what a sink plays
};

struct ServerDeviceLists {
    std::vector<ServerDevice> sources;  // capture, monitors included
    std::vector<ServerDevice> sinks;    // playback
    bool answered = false;              // a server gave both lists

    /// True when the server has a source or a sink named `name`.
    bool Has(const std::string& name) const;
};

/// The server's devices in its own order; empty lists when no server answers
/// within `limit`.
ServerDeviceLists ListServerDevices(std::chrono::milliseconds limit = std::chrono::milliseconds(1000));

}  // namespace moravel::alsa
