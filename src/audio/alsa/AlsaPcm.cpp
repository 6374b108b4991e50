#include "audio/alsa/AlsaPcm.h"

#include <algorithm>

namespace moravel::alsa {

namespace {

using HwParams = std::unique_ptr<snd_pcm_hw_params_t, decltype(&snd_pcm_hw_params_free)>;
using SwParams = std::unique_ptr<snd_pcm_sw_params_t, decltype(&snd_pcm_sw_params_free)>;

HwParams NewHwParams() {
    snd_pcm_hw_params_t* p = nullptr;
    snd_pcm_hw_params_malloc(&p);
    return HwParams(p, &snd_pcm_hw_params_free);
}

SwParams NewSwParams() {
    snd_pcm_sw_params_t* p = nullptr;
    snd_pcm_sw_params_malloc(&p);
    return SwParams(p, &snd_pcm_sw_params_free);
}

// Restricts `hw` to `format`; the rate must be taken exactly.
std::int32_t RestrictToFormat(snd_pcm_t* pcm, snd_pcm_hw_params_t* hw, const PcmFormat& format) {
    const snd_pcm_format_t sample = SampleFormat(format);
    if (sample == SND_PCM_FORMAT_UNKNOWN || format.channels < 1 || format.samplesPerSec < 1) return kWaveBadFormat;
    if (snd_pcm_hw_params_any(pcm, hw) < 0) return kWaveError;
    if (snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED) < 0 ||
        snd_pcm_hw_params_set_format(pcm, hw, sample) < 0 ||
        snd_pcm_hw_params_set_channels(pcm, hw, static_cast<unsigned>(format.channels)) < 0 ||
        snd_pcm_hw_params_set_rate(pcm, hw, static_cast<unsigned>(format.samplesPerSec), 0) < 0)
        return kWaveBadFormat;
    return kWaveOk;
}

// Period near `periodFrames`, buffer near `periods` of the granted period.
bool SetSizes(snd_pcm_t* pcm, snd_pcm_hw_params_t* hw, snd_pcm_uframes_t periodFrames, unsigned periods,
              PcmLayout& layout) {
    int dir = 0;
    snd_pcm_uframes_t period = periodFrames;
    if (snd_pcm_hw_params_set_period_size_near(pcm, hw, &period, &dir) < 0) return false;
    snd_pcm_uframes_t buffer = period * periods;
    if (snd_pcm_hw_params_set_buffer_size_near(pcm, hw, &buffer) < 0) return false;
    if (snd_pcm_hw_params(pcm, hw) < 0) return false;
    snd_pcm_hw_params_get_period_size(hw, &layout.period, &dir);
    snd_pcm_hw_params_get_buffer_size(hw, &layout.buffer);
    return true;
}

// Wake-up after a whole period, or `wakeFrames` when that is more;
// playback starts once a period is queued.
bool SetThresholds(snd_pcm_t* pcm, const PcmLayout& layout, snd_pcm_uframes_t wakeFrames) {
    SwParams sw = NewSwParams();
    const snd_pcm_uframes_t wake = std::min(std::max(layout.period, wakeFrames), layout.buffer);
    return sw && snd_pcm_sw_params_current(pcm, sw.get()) >= 0 &&
           snd_pcm_sw_params_set_avail_min(pcm, sw.get(), wake) >= 0 &&
           snd_pcm_sw_params_set_start_threshold(pcm, sw.get(), layout.period) >= 0 &&
           snd_pcm_sw_params(pcm, sw.get()) >= 0;
}

}  // namespace

snd_pcm_format_t SampleFormat(const PcmFormat& format) {
    switch (format.bitsPerSample) {
        case 8:
            return SND_PCM_FORMAT_U8;
        case 16:
            return SND_PCM_FORMAT_S16_LE;
        default:
            return SND_PCM_FORMAT_UNKNOWN;
    }
}

std::int32_t CheckFormat(snd_pcm_t* pcm, const PcmFormat& format) {
    HwParams hw = NewHwParams();
    if (!hw) return kWaveError;
    return RestrictToFormat(pcm, hw.get(), format);
}

std::int32_t ConfigurePcm(snd_pcm_t* pcm, const PcmFormat& format, snd_pcm_uframes_t periodFrames, unsigned periods,
                          PcmLayout& layout, snd_pcm_uframes_t wakeFrames) {
    HwParams hw = NewHwParams();
    if (!hw) return kWaveError;
    if (const std::int32_t result = RestrictToFormat(pcm, hw.get(), format); result != kWaveOk) return result;
    if (!SetSizes(pcm, hw.get(), periodFrames, periods, layout) || !SetThresholds(pcm, layout, wakeFrames))
        return kWaveError;
    return snd_pcm_prepare(pcm) < 0 ? kWaveError : kWaveOk;
}

std::int32_t MaxChannels(snd_pcm_t* pcm) {
    HwParams hw = NewHwParams();
    unsigned channels = 0;
    if (!hw || snd_pcm_hw_params_any(pcm, hw.get()) < 0 || snd_pcm_hw_params_get_channels_max(hw.get(), &channels) < 0)
        return 0;
    return static_cast<std::int32_t>(channels);
}

}  // namespace moravel::alsa
