// The step the capture and the playback service share to open a stream.
//
// Threads: component's thread.
#pragma once

#include "AlsaDevices.h"
#include "AlsaPcm.h"

namespace moravel::alsa {

/// Opens `device` for `stream` and checks that it takes `format` at its
/// exact rate. Returns kWaveOk (pcm open, not yet set up), kWaveBadDevice
/// or kWaveBadFormat.
std::int32_t OpenStream(const Devices& devices, TEWDev device, snd_pcm_stream_t stream, const PcmFormat& format,
                        PcmHandle& pcm);

}  // namespace moravel::alsa
