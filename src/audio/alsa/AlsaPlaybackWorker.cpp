#include "audio/alsa/AlsaPlaybackWorker.h"

#include "audio/alsa/AlsaGapFiller.h"
#include "audio/alsa/AlsaStreamWorker.h"

#include <algorithm>
#include <chrono>

namespace moravel::alsa {

namespace {

// The device buffer holds two blocks (Done runs that far ahead of the
// sound), in periods of a quarter block. A sound server renders a stream about
// a period ahead of playing it (it sets its own latency from the period),
// taking that much from the stream at once. With a whole block as the
// period it took up to a block at a time from a stream that the gap filler
// keeps only some 20 ms ahead: on a server whose capture also came in
// bursts the stream ran dry about once a second, each time set up anew by
// the recovery, and the timing queries that follow every restart made the
// server's client thread the program's busiest but one. With half a block
// none of that happened in 30 s, while the server's messages per block stay
// few (it asks for more data once per period). Since the live output holds
// a steady lead of 40 ms ahead of each block (LiveOutput), a quarter of a
// block serves better still: with half a block PulseAudio rendered far
// enough ahead to underrun 14-19 times in the first seconds at the 2 and
// 4 KHz ranges, with a quarter none (scripts/measure-live.sh).
constexpr unsigned kBlocksBuffered = 2;
constexpr unsigned kPeriodsPerBlock = 4;
// The shortest period asked for, as a fraction of a second, so that tiny
// blocks do not make the worker wake thousands of times a second.
constexpr unsigned kMinPeriodsPerSecond = 100;
// How often an idle worker looks at a device that is not playing, to
// notice it went away. A playing one is looked at when the gap filler
// needs it (just before it would run dry).
constexpr std::chrono::milliseconds kIdleCheck{250};

class PlaybackLoop : public StreamWorker {
public:
    explicit PlaybackLoop(PlaybackState& state)
        : StreamWorker(state, kIdleCheck), s_(state), gaps_(state.format.samplesPerSec) {}

private:
    // Work is the oldest queued block, unless the worker holds it already.
    bool hasWorkLocked() const override { return !s_.queue.empty() && !s_.frontTaken; }

    void takeLocked() override {
        current_.clear();
        current_.swap(s_.queue.front().bytes);
        header_ = s_.queue.front().header;
        s_.frontTaken = true;
    }

    // Writes the current block as the device makes room; false when the
    // device is lost.
    bool serve() override {
        if (!configured_ && !configure()) return false;
        const std::uint32_t frameBytes = s_.frameBytes();
        const std::size_t end = current_.size() / frameBytes * frameBytes;
        std::size_t offset = 0;
        while (offset < end && !interrupted()) {
            // A stream that starts plays a short lead of silence first
            // (GapFiller), also one that an underrun found while waiting for
            // room has just prepared again: the sound server's stream
            // started with nothing but the block ran dry at once, and the
            // recovery dropped the block.
            if (offset == 0 && snd_pcm_state(pcm()) == SND_PCM_STATE_PREPARED && !writeSilence(gaps_.lead()))
                return false;
            const auto left = static_cast<snd_pcm_uframes_t>((end - offset) / frameBytes);
            const snd_pcm_sframes_t written = transfer(std::min(left, layout_.period), left, current_.data() + offset);
            if (written < 0) return false;
            if (written > 0 && offset == 0) NoteDelay(s_, pcm(), written);  // until the block's first frame
            offset += static_cast<std::size_t>(written) * frameBytes;
        }
        if (offset > 0) gaps_.blockWritten();
        if (offset == end) finishBlock();
        return true;
    }

    // The device's period follows the first block's size.
    bool configure() {
        const auto blockFrames = static_cast<snd_pcm_uframes_t>(current_.size() / s_.frameBytes());
        const auto minFrames = static_cast<snd_pcm_uframes_t>(s_.format.samplesPerSec) / kMinPeriodsPerSecond;
        const snd_pcm_uframes_t period = std::max<snd_pcm_uframes_t>({blockFrames / kPeriodsPerBlock, minFrames, 1});
        if (ConfigurePcm(pcm(), s_.format, period, kBlocksBuffered * kPeriodsPerBlock, layout_) != kWaveOk) {
            s_.reportLost();
            return false;
        }
        configured_ = true;
        return true;
    }

    void finishBlock() {
        std::lock_guard lock(s_.mutex);
        if (staleLocked() || s_.queue.empty() || s_.queue.front().header != header_) return;
        s_.queue.pop_front();
        s_.frontTaken = false;
        s_.postLocked(WaveNotification::Done, header_);
    }

    // While no block comes: a stream that holds less than its start
    // threshold would keep it, so it is started; a running one about to run
    // dry is topped up with silence (GapFiller), and watched (running dry
    // is an underrun; an error may be the device going away). Returns false
    // when the device is lost.
    bool idle() override {
        queued_ = -1;
        if (!configured_) return true;
        snd_pcm_sframes_t avail = snd_pcm_avail(pcm());
        if (avail < 0) return survive(static_cast<int>(avail));
        const snd_pcm_state_t state = snd_pcm_state(pcm());
        if (state == SND_PCM_STATE_PREPARED && static_cast<snd_pcm_uframes_t>(avail) < layout_.buffer)
            snd_pcm_start(pcm());
        if (state != SND_PCM_STATE_RUNNING) return true;
        snd_pcm_sframes_t delay = 0;  // frames still to play before a frame written now
        if (const int err = snd_pcm_delay(pcm(), &delay); err < 0) return survive(err);
        if (const std::int64_t silence = gaps_.due(delay); silence > 0) {
            if (!writeSilence(std::min<std::int64_t>(silence, avail))) return false;
            s_.bridgedGaps.fetch_add(1, std::memory_order_relaxed);
            if (const int err = snd_pcm_delay(pcm(), &delay); err < 0) return survive(err);
        }
        queued_ = std::max<std::int64_t>(delay, 0);
        return true;
    }

    // Hands `frames` of silence to the device (no Done: it is no block);
    // false when the device is lost.
    bool writeSilence(std::int64_t frames) {
        if (frames <= 0) return true;
        const std::size_t bytes = static_cast<std::size_t>(frames) * s_.frameBytes();
        if (silence_.size() < bytes) {
            silence_.resize(bytes);
            snd_pcm_format_set_silence(SampleFormat(s_.format), silence_.data(),
                                       static_cast<unsigned>(silence_.size() / (s_.format.bitsPerSample / 8)));
        }
        const snd_pcm_sframes_t written =
            snd_pcm_writei(pcm(), silence_.data(), static_cast<snd_pcm_uframes_t>(frames));
        if (written < 0) return survive(static_cast<int>(written));
        gaps_.wrote(written);
        return true;
    }

    // A playing device is looked at again when the gap filler needs it.
    std::chrono::microseconds idleWait() const override {
        if (queued_ < 0) return kIdleCheck;
        return gaps_.nextLook(queued_, kIdleCheck);
    }

    // After a reset: what the device holds is not played.
    void drop() override {
        gaps_.blockWritten();
        if (!configured_) return;
        snd_pcm_drop(pcm());
        snd_pcm_prepare(pcm());
    }

    PlaybackState& s_;
    std::vector<std::uint8_t> current_;
    WaveHeader* header_ = nullptr;
    bool configured_ = false;
    PcmLayout layout_;  // once configured
    GapFiller gaps_;
    std::vector<std::uint8_t> silence_;  // a chunk of silence in the stream's format
    std::int64_t queued_ = -1;           // frames a playing device held at the last idle(); -1: not playing
};

}  // namespace

void RunPlaybackWorker(const std::shared_ptr<PlaybackState>& state) { PlaybackLoop(*state).run(); }

}  // namespace moravel::alsa
