// The device choices of one backend: which ALSA PCM each TEWDev opens, and
// the configuration it opens with. Shared by the backend and its services.
//
// Threads: built and used on the component's thread; the configuration it
// hands out may travel to worker threads.
#pragma once

#include "audio/alsa/AlsaConfig.h"
#include "audio/alsa/AlsaOptions.h"
#include "audio/alsa/AlsaPcm.h"
#include "audio/WaveDevice.h"

#include <alsa/asoundlib.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace moravel::alsa {

class Devices {
public:
    /// Throws std::runtime_error when options.configFile cannot be loaded.
    explicit Devices(AlsaOptions options);

    /// The PCM behind `device` for `stream`; none for an index past the list.
    std::optional<std::string> pcmName(TEWDev device, snd_pcm_stream_t stream) const;
    /// Opens `device` without blocking. Returns kWaveOk or kWaveBadDevice.
    std::int32_t open(TEWDev device, snd_pcm_stream_t stream, PcmHandle& pcm) const;
    /// Display names, wvMapper first.
    std::vector<std::string> displayNames(snd_pcm_stream_t stream) const;

    const std::shared_ptr<const AlsaConfig>& config() const { return config_; }

private:
    const std::string& mapperPcm(snd_pcm_stream_t stream) const;
    std::vector<std::string> numberedPcms(snd_pcm_stream_t stream) const;

    AlsaOptions options_;
    std::shared_ptr<const AlsaConfig> config_;
};

}  // namespace moravel::alsa
