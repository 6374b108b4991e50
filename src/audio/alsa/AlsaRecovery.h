// What a failed ALSA stream call means for a worker: try again, an xrun
// that was recovered, or a device that is gone for good.
//
// Threads: called by a worker thread on its own PCM.
#pragma once

#include <alsa/asoundlib.h>

namespace moravel::alsa {

enum class StreamFault {
    Retry,  // nothing happened: wait and try again
    Xrun,   // an underrun, overrun or suspend, recovered: the stream goes on
    Lost,   // the device or the sound server went away, or recovery failed
};

/// Classifies the negative result `err` of a call on `pcm`, recovering the
/// stream (snd_pcm_recover) from an xrun or a suspend.
StreamFault RecoverFrom(snd_pcm_t* pcm, int err);

}  // namespace moravel::alsa
