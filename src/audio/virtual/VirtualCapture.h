// The virtual card's capture device. Each block of `bufferBytes` bytes
// (rounded down to whole frames) comes due on the card's clock; the oldest
// queued buffer then receives the source's next samples in the device
// format (as many as fit its bufferLength) and goes back with a Data
// notification. A block due while no buffer is queued is lost: it counts as
// an overrun and its samples are skipped, as real hardware would.
//
// Close with buffers still queued is refused with kWaveStillPlaying (reset
// first). Opening an open device fails with kWaveError, as does a source
// that cannot be made; calls on a closed device return kWaveNotOpen.
//
// Threads: see VirtualCard.h.
#pragma once

#include "audio/virtual/CardState.h"
#include "audio/virtual/DeviceSession.h"
#include "audio/virtual/SampleSource.h"
#include "audio/WaveDevice.h"

#include <atomic>
#include <deque>
#include <memory>
#include <vector>

namespace moravel::vcard {

class VirtualCapture final : public CaptureService {
public:
    explicit VirtualCapture(std::shared_ptr<CardState> card);

    std::int32_t open(TEWDev device, const PcmFormat& format, std::uint32_t bufferBytes, QObject* target,
                      std::uint64_t session) override;
    std::int32_t start() override;
    std::int32_t addBuffer(WaveHeader* header) override;
    std::int32_t stop() override;
    std::int32_t reset() override;
    std::int32_t close() override;
    std::int64_t xruns() const override { return xruns_.load(); }

private:
    std::optional<std::chrono::nanoseconds> nextDeadline() const;
    void tick(std::chrono::nanoseconds now);
    void produceBlock();
    void giveBack(WaveHeader* header, std::uint32_t bytes);

    // Guarded by session_.Mutex().
    std::unique_ptr<SampleSource> source_;
    std::int64_t blockFrames_ = 0;
    bool started_ = false;
    std::chrono::nanoseconds startTime_{0};
    std::int64_t blocksDone_ = 0;  // blocks produced or lost since start()
    std::deque<WaveHeader*> queue_;
    std::vector<std::int16_t> samples_;
    std::atomic<std::int64_t> xruns_{0};

    DeviceSession session_;  // last: stops the pacing thread before the state above goes
};

}  // namespace moravel::vcard
