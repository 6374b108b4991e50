// The capture worker's loop: start and stop the device as the service asks,
// read whole blocks, deliver them to queued headers, recover xruns, and end
// (posting a lost Close once) when the device goes away.
//
// Threads: CaptureState is shared between the service (component's thread)
// and the worker; guarded members need the core's mutex.
#pragma once

#include "audio/alsa/AlsaStreamCore.h"
#include "audio/WaveDevice.h"

#include <deque>
#include <memory>
#include <vector>

namespace moravel::alsa {

class CaptureState : public StreamCore {
public:
    using StreamCore::StreamCore;
    std::deque<WaveHeader*> queue;       // guarded: oldest first
    bool started = false;                // guarded: the component wants data
    std::uint32_t blockBytes = 0;        // whole frames of the component's buffer size
    snd_pcm_uframes_t bufferFrames = 0;  // the device buffer
};

/// Runs the worker loop until the service quits or the device is lost;
/// closes the PCM before returning.
void RunCaptureWorker(const std::shared_ptr<CaptureState>& state);

}  // namespace moravel::alsa
