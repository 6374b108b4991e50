// The devices a user can choose for the program's input and for its output,
// each with the PCM name that opens it through ALSA: first the system's
// default device, then the cards' PCMs ALSA lists for the direction (by
// their descriptions, AlsaDeviceList.h; not its plugins), then, when a sound
// server answers, its
// sources (monitors of its sinks included) or sinks by their descriptions,
// opened through ALSA's "pulse" plugin as "pulse:DEVICE=<name>", which
// PulseAudio and pipewire-pulse both serve.
//
// Plain C++; the component's thread (ALSA's configuration is global).
#pragma once

#include "audio/alsa/AlsaDeviceList.h"
#include "audio/alsa/SoundServerDevices.h"

#include <string>
#include <vector>

namespace moravel {

/// One device to choose: `id` is what is opened and stored (empty for the
/// system's default), `description` what the user reads.
struct AudioDeviceEntry {
    std::string id;
    std::string description;

    bool operator==(const AudioDeviceEntry&) const = default;
};

class AudioDeviceList {
public:
    enum class Direction { Capture, Playback };

    /// What the first entry, the system's default device, is called.
    static constexpr const char* kDefaultDescription = "System default";

    /// The devices there are now (asks ALSA and the sound server).
    static std::vector<AudioDeviceEntry> Current(Direction direction);

    /// The list made of ALSA's PCM hints and the server's devices. A
    /// description that two devices share gets each one's name added.
    static std::vector<AudioDeviceEntry> Compose(Direction direction, const std::vector<alsa::PcmHint>& hints,
                                                 const alsa::ServerDeviceLists& server);

    /// The PCM that opens a sound server's source or sink `name`.
    static std::string ServerPcm(const std::string& name);

    /// The PCM a device given by the user opens: an ALSA PCM name (one with
    /// arguments such as "hw:1,0", or one ALSA's configuration defines, such
    /// as "default" or "pulse") as it is; any other name is a sound server's
    /// source or sink (ServerPcm). Empty stays empty (the default device).
    static std::string PcmFor(const std::string& device);

    /// True when `pcm` is one of a sound server's sources or sinks
    /// (ServerPcm) and the running server has no device of that name. The
    /// PCM would open, and PipeWire would play or record it on its default
    /// device instead; PulseAudio refuses it only once it is prepared.
    static bool ServerLacks(const std::string& pcm);
};

}  // namespace moravel
