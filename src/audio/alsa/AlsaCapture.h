// ALSA capture service: one worker thread per open device reads whole
// blocks of bufferBytes (the device period) into a buffer of its own, and
// copies each into the oldest queued WaveHeader under the service's lock,
// then posts Data. A block that finds no header queued is dropped and
// counted in xruns(), as are the device's own overruns.
//
// Threads: every call comes from the component's thread. The worker touches
// a header only under the lock and only while it is queued; after reset()
// or close() returns it touches none.
#pragma once

#include "audio/alsa/AlsaStreamRun.h"
#include "audio/WaveDevice.h"

#include <chrono>
#include <cstdint>
#include <memory>

namespace moravel {

namespace alsa {
class Devices;
class CaptureState;
}  // namespace alsa

class AlsaCapture : public CaptureService {
public:
    explicit AlsaCapture(std::shared_ptr<const alsa::Devices> devices);
    ~AlsaCapture() override;

    /// kWaveBadDevice: no such device, or it does not open (no server);
    /// kWaveBadFormat: format, channel count or exact rate refused, or
    /// bufferBytes holds no whole frame; kWaveError: already open, or the
    /// device refused a period of that size.
    std::int32_t open(TEWDev device, const PcmFormat& format, std::uint32_t bufferBytes, QObject* target,
                      std::uint64_t session) override;
    std::int32_t start() override;
    std::int32_t addBuffer(WaveHeader* header) override;
    /// Stops the device; a block half read is discarded.
    std::int32_t stop() override;
    /// Returns the queued headers in order with bytesRecorded = 0.
    std::int32_t reset() override;
    /// kWaveStillPlaying, and nothing done, while headers are queued:
    /// reset() first.
    std::int32_t close() override;
    std::int64_t xruns() const override;

    /// CPU time the worker thread has used (diagnostics).
    std::chrono::nanoseconds workerCpuTime() const;
    /// Frames the device held, not yet read, when the last block was read.
    std::int64_t lastDelayFrames() const;
    /// How often the worker has waited on the device (polls): its wake-ups
    /// for data, apart from those the service causes (diagnostics).
    std::int64_t deviceWaits() const;

private:
    std::shared_ptr<const alsa::Devices> devices_;
    std::shared_ptr<alsa::CaptureState> state_;
    alsa::StreamRun run_;
};

}  // namespace moravel
