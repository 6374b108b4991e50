// The playback worker's loop: take the oldest queued block, set the device
// up for its size the first time, write it as the device makes room,
// recover underruns, post Done, and end (posting a lost Close once) when
// the device goes away.
//
// Threads: PlaybackState is shared between the service (component's thread)
// and the worker; guarded members need the core's mutex.
#pragma once

#include "audio/alsa/AlsaStreamCore.h"
#include "audio/WaveDevice.h"

#include <deque>
#include <memory>
#include <vector>

namespace moravel::alsa {

struct PendingBlock {
    WaveHeader* header;               // the component's token, never dereferenced
    std::vector<std::uint8_t> bytes;  // the copy taken at write()
};

class PlaybackState : public StreamCore {
public:
    using StreamCore::StreamCore;
    std::deque<PendingBlock> queue;  // guarded: oldest first
    bool frontTaken = false;         // guarded: the worker holds the front block's bytes
};

/// Runs the worker loop until the service quits or the device is lost;
/// closes the PCM before returning.
void RunPlaybackWorker(const std::shared_ptr<PlaybackState>& state);

}  // namespace moravel::alsa
