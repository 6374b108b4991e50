// An open ALSA PCM and the setup the services give it: interleaved linear
// PCM at the exact rate asked for, a period and a buffer of a few periods.
//
// Threads: a PcmHandle is used by one thread at a time: the component's
// thread while opening, then the service's worker thread.
#pragma once

#include "audio/WaveDevice.h"

#include <alsa/asoundlib.h>

#include <cstdint>
#include <memory>

namespace moravel::alsa {

struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using PcmHandle = std::unique_ptr<snd_pcm_t, PcmCloser>;

/// The sample format ALSA gets for `format`: U8 for 8 bits, S16_LE for 16
/// bits, SND_PCM_FORMAT_UNKNOWN for anything else.
snd_pcm_format_t SampleFormat(const PcmFormat& format);

/// Whether the device takes `format` (sample format, channel count and the
/// exact rate: no rounding to a near rate). Returns kWaveOk or kWaveBadFormat.
std::int32_t CheckFormat(snd_pcm_t* pcm, const PcmFormat& format);

/// What the device granted: sizes in frames.
struct PcmLayout {
    snd_pcm_uframes_t period = 0;
    snd_pcm_uframes_t buffer = 0;
};

/// Installs `format` with a period near `periodFrames` and a buffer near
/// `periods` periods; the stream starts by itself once a period is written
/// (playback) and wakes the worker for a whole period, or for `wakeFrames`
/// when that is more (within the buffer). Returns kWaveOk, kWaveBadFormat
/// (format or exact rate refused) or kWaveError.
std::int32_t ConfigurePcm(snd_pcm_t* pcm, const PcmFormat& format, snd_pcm_uframes_t periodFrames, unsigned periods,
                          PcmLayout& layout, snd_pcm_uframes_t wakeFrames = 0);

/// The most channels the device offers, or 0 when it cannot say.
std::int32_t MaxChannels(snd_pcm_t* pcm);

}  // namespace moravel::alsa
