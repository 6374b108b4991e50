// The virtual card's playback device. A written block (copied at once)
// lasts bufferLength / blockAlign frames at the device rate and finishes
// when that time has elapsed after the previous block finished or after it
// was written, whichever is later; it is then "played" (handed to the
// card's played-samples log and the optional recording file) and Done is
// posted. Blocks finish in write order.
//
// An underrun is counted when a block is written after everything written
// before it had finished playing, once playing has started (after open or
// reset). Reset discards queued blocks, posting Done for each in write
// order. Close with blocks still queued is refused with kWaveStillPlaying;
// otherwise it completes the recording file, then posts Close.
//
// Threads: see VirtualCard.h.
#pragma once

#include "audio/virtual/CardState.h"
#include "audio/virtual/DeviceSession.h"
#include "audio/virtual/PlaybackRecorder.h"
#include "audio/WaveDevice.h"

#include <atomic>
#include <deque>
#include <memory>
#include <vector>

namespace moravel::vcard {

class VirtualPlayback final : public PlaybackService {
public:
    explicit VirtualPlayback(std::shared_ptr<CardState> card);

    std::int32_t open(TEWDev device, const PcmFormat& format, QObject* target, std::uint64_t session) override;
    std::int32_t write(WaveHeader* header) override;
    std::int32_t reset() override;
    std::int32_t close() override;
    std::int64_t xruns() const override { return xruns_.load(); }

private:
    struct Block {
        WaveHeader* header;
        std::vector<std::uint8_t> bytes;
        std::chrono::nanoseconds finish;
    };

    std::chrono::nanoseconds schedule(std::int64_t frames);
    std::optional<std::chrono::nanoseconds> nextDeadline() const;
    void tick(std::chrono::nanoseconds now);
    void play(const Block& block);
    void giveBack(WaveHeader* header);
    void record(const std::int16_t* samples, std::size_t count);
    void finishRecording();

    // Guarded by session_.Mutex(). The play timeline: blocks written since
    // `anchor_` (when the device last started from idle) add up to
    // `anchorFrames_`, and the last of them finishes that many frames
    // after the anchor.
    std::deque<Block> queue_;
    std::chrono::nanoseconds anchor_{0};
    std::int64_t anchorFrames_ = 0;
    bool playing_ = false;
    std::unique_ptr<PlaybackRecorder> recorder_;
    std::vector<std::int16_t> samples_;
    std::atomic<std::int64_t> xruns_{0};

    DeviceSession session_;  // last: stops the pacing thread before the state above goes
};

}  // namespace moravel::vcard
