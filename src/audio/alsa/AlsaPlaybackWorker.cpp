#include "AlsaPlaybackWorker.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace moravel::alsa {

namespace {

// Device buffer in periods of one block: Done runs that far ahead of the sound.
constexpr unsigned kPlaybackPeriods = 2;
// The shortest period asked for, as a fraction of a second, so that tiny
// blocks do not make the worker wake thousands of times a second.
constexpr unsigned kMinPeriodsPerSecond = 100;
// How often an idle worker looks at its device, to notice it went away.
constexpr std::chrono::milliseconds kIdleCheck{100};

class PlaybackLoop {
public:
    explicit PlaybackLoop(PlaybackState& state) : s_(state) {}

    void run() {
        while (nextBlock() && playBlock()) {
        }
    }

private:
    snd_pcm_t* pcm() const { return s_.pcm.get(); }

    // Takes the oldest queued block; false when quitting or the device is lost.
    bool nextBlock() {
        std::unique_lock lock(s_.mutex);
        for (;;) {
            if (s_.quit) return false;
            if (s_.generation != generation_) {
                generation_ = s_.generation;
                lock.unlock();
                discardDevice();
                lock.lock();
                continue;
            }
            if (!s_.queue.empty() && !s_.frontTaken) break;
            lock.unlock();
            const bool present = idle();
            lock.lock();
            if (!present) return false;
            if (s_.quit || s_.generation != generation_ || (!s_.queue.empty() && !s_.frontTaken)) continue;
            s_.wake.wait_for(lock, kIdleCheck);
        }
        current_.clear();
        current_.swap(s_.queue.front().bytes);
        header_ = s_.queue.front().header;
        s_.frontTaken = true;
        return true;
    }

    // Writes the current block as the device makes room; false when the
    // device is lost.
    bool playBlock() {
        if (!configured_ && !configure()) return false;
        const std::uint32_t frameBytes = s_.frameBytes();
        const std::size_t end = current_.size() / frameBytes * frameBytes;
        std::size_t offset = 0;
        while (offset < end && !interrupted()) {
            const auto left = static_cast<snd_pcm_uframes_t>((end - offset) / frameBytes);
            const snd_pcm_sframes_t room = WaitForFrames(s_, std::min(left, layout_.period));
            NoteWorkerCpu(s_);
            if (room < 0 && HandleFault(s_, static_cast<int>(room)) == StreamFault::Lost) return false;
            if (room <= 0) continue;
            const auto frames = std::min(left, static_cast<snd_pcm_uframes_t>(room));
            const snd_pcm_sframes_t written = snd_pcm_writei(pcm(), current_.data() + offset, frames);
            if (written < 0 && HandleFault(s_, static_cast<int>(written)) == StreamFault::Lost) return false;
            if (written == 0) std::this_thread::sleep_for(kIdlePause);      // room, yet nothing taken
            if (written > 0 && offset == 0) NoteDelay(s_, pcm(), written);  // until the block's first frame
            if (written > 0) offset += static_cast<std::size_t>(written) * frameBytes;
        }
        if (offset == end) finishBlock();
        return true;
    }

    // The device's period follows the first block's size.
    bool configure() {
        const auto blockFrames = static_cast<snd_pcm_uframes_t>(current_.size() / s_.frameBytes());
        const auto minFrames = static_cast<snd_pcm_uframes_t>(s_.format.samplesPerSec) / kMinPeriodsPerSecond;
        if (ConfigurePcm(pcm(), s_.format, std::max<snd_pcm_uframes_t>({blockFrames, minFrames, 1}), kPlaybackPeriods,
                         layout_) != kWaveOk) {
            s_.reportLost();
            return false;
        }
        configured_ = true;
        return true;
    }

    bool interrupted() {
        std::lock_guard lock(s_.mutex);
        return s_.quit || s_.generation != generation_;
    }

    void finishBlock() {
        std::lock_guard lock(s_.mutex);
        if (s_.generation != generation_ || s_.queue.empty() || s_.queue.front().header != header_) return;
        s_.queue.pop_front();
        s_.frontTaken = false;
        s_.postLocked(WaveNotification::Done, header_);
    }

    // While no block comes: a stream that holds less than its start
    // threshold would keep it, so it is started; a running one is watched
    // (running dry is an underrun; an error may be the device going away).
    // Returns false when the device is lost.
    bool idle() {
        if (!configured_) return true;
        const snd_pcm_sframes_t avail = snd_pcm_avail(pcm());
        if (avail < 0) return HandleFault(s_, static_cast<int>(avail)) != StreamFault::Lost;
        if (snd_pcm_state(pcm()) == SND_PCM_STATE_PREPARED && static_cast<snd_pcm_uframes_t>(avail) < layout_.buffer)
            snd_pcm_start(pcm());
        return true;
    }

    // After a reset: what the device holds is not played.
    void discardDevice() {
        if (!configured_) return;
        snd_pcm_drop(pcm());
        snd_pcm_prepare(pcm());
    }

    PlaybackState& s_;
    std::vector<std::uint8_t> current_;
    WaveHeader* header_ = nullptr;
    bool configured_ = false;
    PcmLayout layout_;  // once configured
    std::uint64_t generation_ = 0;
};

}  // namespace

void RunPlaybackWorker(const std::shared_ptr<PlaybackState>& state) {
    PlaybackLoop(*state).run();
    NoteWorkerCpu(*state);
    state->pcm.reset();
}

}  // namespace moravel::alsa
