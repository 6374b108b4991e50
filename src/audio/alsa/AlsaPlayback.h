// ALSA playback service: write() copies each block under the service's lock
// into a queue of its own; one worker thread per open device writes the
// blocks to the device in order and posts Done for each once all of its
// bytes are in the device's buffer. "Played" thus means handed to the
// device: the buffer holds about two blocks (eight periods of a quarter of
// the first block written), so Done runs at most that far ahead of the
// sound.
//
// Threads: every call comes from the component's thread. The worker never
// touches a WaveHeader: it is only the token the Done notification carries.
#pragma once

#include "audio/alsa/AlsaStreamRun.h"
#include "audio/WaveDevice.h"

#include <chrono>
#include <cstdint>
#include <memory>

namespace moravel {

namespace alsa {
class Devices;
class PlaybackState;
}  // namespace alsa

class AlsaPlayback : public PlaybackService {
public:
    explicit AlsaPlayback(std::shared_ptr<const alsa::Devices> devices);
    ~AlsaPlayback() override;

    /// kWaveBadDevice: no such device, or it does not open (no server);
    /// kWaveBadFormat: format, channel count or exact rate refused;
    /// kWaveError: already open. The device period is set when the first
    /// block comes (its size).
    std::int32_t open(TEWDev device, const PcmFormat& format, QObject* target, std::uint64_t session) override;
    /// Bytes past the last whole frame of a block are not played.
    std::int32_t write(WaveHeader* header) override;
    /// Posts Done for every queued block, in order, and drops what the
    /// device still holds.
    std::int32_t reset() override;
    /// kWaveStillPlaying, and nothing done, while blocks are queued (not
    /// yet Done): reset() first.
    std::int32_t close() override;
    /// Underruns the device reported (a sound server may hide them).
    std::int64_t xruns() const override;
    /// lastDelayFrames() once a block has gone in, else -1.
    std::int64_t leadFrames() const override;
    /// Chunks of silence the worker wrote because no block had come.
    std::int64_t bridgedGaps() const override;

    /// CPU time the worker thread has used (diagnostics).
    std::chrono::nanoseconds workerCpuTime() const;
    /// Frames the device held ahead of the last block once its first frames
    /// were written (the device delay less what was written): how long that
    /// block waited to be heard.
    std::int64_t lastDelayFrames() const;
    /// How often the worker has waited on the device (polls): its wake-ups
    /// for data, apart from those the service causes (diagnostics).
    std::int64_t deviceWaits() const;

private:
    std::shared_ptr<const alsa::Devices> devices_;
    std::shared_ptr<alsa::PlaybackState> state_;
    alsa::StreamRun run_;
};

}  // namespace moravel
