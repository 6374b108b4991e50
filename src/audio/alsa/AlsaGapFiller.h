// How the playback worker bridges the short gaps between blocks with
// silence. The input runs 50 samples per second slower than the output, so
// the device plays each block out a little before the next one comes. Left
// to run dry, the device underruns and the sound server sets its stream up
// again for every block. Instead, while no block is queued and the device
// holds less than kTopUpBelowMs, a chunk of kSilenceChunkMs of silence is
// written, so that the device plays silence through the gap and the next
// block follows right behind it.
//
// The threshold is what the device holds (its delay), not its free room:
// the sound server's plugin updates the room only when the server asks for
// more, and the server takes a stream's data up to about 12 ms before it is
// played, so a stream topped up below 10 ms still underran now and then
// (9 times in 20 s at 10 ms, none at 15 ms).
//
// Why this adds no lasting delay: silence is written only while the device
// holds less than kTopUpBelowMs, so when a block comes the device holds at
// most kTopUpBelowMs + kSilenceChunkMs (20 ms) ahead of it, whatever came
// before; the block's delay is bounded and cannot build up from block to
// block. The output still drains faster than the input fills it, so the
// queue of real blocks does not build up either. The gap the user hears is
// the rate difference's, rounded up to whole chunks.
//
// A stream that starts (its first block, or the first after a real
// underrun) plays kTopUpBelowMs of silence ahead of the block: on a sound
// server whose sink serves no other low-latency stream, a stream started
// with nothing but its block underran at once, every time; with the lead
// it mostly keeps running and the topping-up takes over.
//
// The silence is bounded: after kSilenceLimitMs with no block (much longer
// than any gap the rate difference makes), nothing more is written, so a
// stream that really stops still runs dry and counts an underrun.
//
// Threads: the playback worker's only. GUI-free and device-free: the
// worker asks it and does the writing.
#pragma once

#include <chrono>
#include <cstdint>

namespace moravel::alsa {

class GapFiller {
public:
    static constexpr int kTopUpBelowMs = 15;
    static constexpr int kSilenceChunkMs = 5;
    static constexpr int kSilenceLimitMs = 100;
    /// How long after the device should have run dry it is looked at, to
    /// see the underrun (the server reports it a little after).
    static constexpr std::chrono::milliseconds kDryGrace{10};

    /// `rate`: the stream's samples per second (> 0).
    explicit GapFiller(std::int64_t rate);

    /// Frames of silence to write now, while no block is queued and the
    /// device holds `queued` frames: a chunk (whole frames, at least one)
    /// when `queued` is under the threshold, cut to what is left of the
    /// limit; 0 otherwise.
    std::int64_t due(std::int64_t queued) const;
    /// Frames of silence a stream that starts (or starts again after an
    /// underrun) plays ahead of its first block: the threshold.
    std::int64_t lead() const { return threshold_; }
    /// Notes `frames` of silence handed to the device.
    void wrote(std::int64_t frames) { silence_ += frames; }
    /// Notes a real block handed to the device: the limit starts afresh.
    void blockWritten() { silence_ = 0; }
    /// Whether the silence since the last block reached the limit.
    bool spent() const { return silence_ >= limit_; }

    /// How long until the device, holding `queued` frames and playing, next
    /// needs a look: until it falls to the threshold while silence may
    /// still be written (at least 1 ms, so that the worker never spins);
    /// once the limit is spent, until it should have run dry plus
    /// kDryGrace. `idle` (the worker's ordinary idle look) when `queued` is
    /// 0 and nothing more will be written, and as an upper bound.
    std::chrono::microseconds nextLook(std::int64_t queued, std::chrono::microseconds idle) const;

private:
    std::chrono::microseconds timeOf(std::int64_t frames) const;

    const std::int64_t rate_;
    const std::int64_t threshold_, chunk_, limit_;  // frames
    std::int64_t silence_ = 0;                      // frames written since the last block
};

}  // namespace moravel::alsa
