#include "audio/alsa/AlsaStreamSetup.h"

namespace moravel::alsa {

std::int32_t OpenStream(const Devices& devices, TEWDev device, snd_pcm_stream_t stream, const PcmFormat& format,
                        PcmHandle& pcm) {
    if (SampleFormat(format) == SND_PCM_FORMAT_UNKNOWN || format.blockAlign() == 0) return kWaveBadFormat;
    if (const std::int32_t result = devices.open(device, stream, pcm); result != kWaveOk) return result;
    const std::int32_t result = CheckFormat(pcm.get(), format);
    if (result != kWaveOk) pcm.reset();
    return result;
}

}  // namespace moravel::alsa
