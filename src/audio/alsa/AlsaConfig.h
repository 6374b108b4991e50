// The ALSA configuration the backend opens its devices with: the system's,
// optionally with the definitions of one more configuration file on top
// (a PCM of a test, a user's own device definitions).
//
// Threads: built on the component's thread; once built it is only read, and
// may be shared with worker threads.
#pragma once

#include <alsa/asoundlib.h>

#include <memory>
#include <string>

namespace moravel::alsa {

class AlsaConfig {
public:
    /// The system configuration alone: devices open through the global
    /// configuration, which ALSA loads on first use.
    AlsaConfig() = default;
    /// The system configuration with the definitions of `file` added.
    /// Throws std::runtime_error when the file cannot be read or parsed.
    explicit AlsaConfig(const std::string& file);
    ~AlsaConfig();
    AlsaConfig(const AlsaConfig&) = delete;
    AlsaConfig& operator=(const AlsaConfig&) = delete;

    /// Opens the PCM `name` for `stream` in non-blocking mode. Returns 0 or
    /// a negative ALSA error code (pcm is then null).
    int openPcm(const std::string& name, snd_pcm_stream_t stream, snd_pcm_t** pcm) const;

private:
    snd_config_t* tree_ = nullptr;  // null: the global configuration
};

}  // namespace moravel::alsa
