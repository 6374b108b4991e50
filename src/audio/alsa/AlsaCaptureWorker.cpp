#include "audio/alsa/AlsaCaptureWorker.h"

#include "audio/alsa/AlsaStreamWorker.h"

#include <algorithm>
#include <cstring>

namespace moravel::alsa {

namespace {

class CaptureLoop : public StreamWorker {
public:
    explicit CaptureLoop(CaptureState& state)
        : StreamWorker(state, std::chrono::milliseconds::zero()),
          s_(state),
          staging_(state.blockBytes + state.bufferFrames * state.frameBytes()) {}

private:
    // Work is there while the component wants data.
    bool hasWorkLocked() const override { return s_.started; }

    bool serve() override { return (running_ || startDevice()) && pump(); }

    // After a stop or a reset: a block half read is discarded.
    void drop() override {
        if (running_) snd_pcm_drop(pcm());
        running_ = false;
        filled_ = 0;
    }

    bool startDevice() {
        int err = snd_pcm_state(pcm()) == SND_PCM_STATE_PREPARED ? 0 : snd_pcm_prepare(pcm());
        if (err == 0) err = snd_pcm_start(pcm());
        if (err < 0) return survive(err);
        running_ = true;
        filled_ = 0;
        return true;
    }

    // One bounded wait and, once a whole block is there, a read of all the
    // device holds: a sound-server plugin keeps a partly read fragment
    // locked, and a server dying then deadlocks the plugin's own threads.
    // Returns false when the device is lost.
    bool pump() {
        const std::uint32_t frameBytes = s_.frameBytes();
        // A device whose buffer is shorter than a block is read at half full.
        const auto wanted = std::min(static_cast<snd_pcm_uframes_t>((s_.blockBytes - filled_) / frameBytes),
                                     std::max<snd_pcm_uframes_t>(s_.bufferFrames / 2, 1));
        const auto room = static_cast<snd_pcm_uframes_t>((staging_.size() - filled_) / frameBytes);
        const snd_pcm_sframes_t frames = transfer(wanted, room, staging_.data() + filled_);
        if (frames < 0) return false;
        filled_ += static_cast<std::size_t>(frames) * frameBytes;
        if (filled_ >= s_.blockBytes) NoteDelay(s_, pcm());
        while (filled_ >= s_.blockBytes) deliverBlock();
        return true;
    }

    // Hands the oldest whole block on and keeps what follows it.
    void deliverBlock() {
        deliver();
        std::memmove(staging_.data(), staging_.data() + s_.blockBytes, filled_ - s_.blockBytes);
        filled_ -= s_.blockBytes;
    }

    // Hands the first block of staging_ to the oldest queued header, or drops it.
    void deliver() {
        std::lock_guard lock(s_.mutex);
        if (staleLocked()) return;  // stopped or reset while reading
        if (s_.queue.empty()) {
            s_.xruns.fetch_add(1, std::memory_order_relaxed);
            return;
        }
        WaveHeader* header = s_.queue.front();
        s_.queue.pop_front();
        const auto bytes = std::min<std::size_t>(header->bufferLength, s_.blockBytes);
        std::memcpy(header->data, staging_.data(), bytes);
        header->bytesRecorded = static_cast<std::uint32_t>(bytes);
        header->flags = (header->flags & ~kHeaderInQueue) | kHeaderDone;
        s_.postLocked(WaveNotification::Data, header);
    }

    // Recovered means prepared: start again.
    void onXrun() override {
        running_ = false;
        filled_ = 0;
    }

    CaptureState& s_;
    std::vector<std::uint8_t> staging_;  // whole blocks and the start of the next
    std::size_t filled_ = 0;             // bytes in staging_
    bool running_ = false;
};

}  // namespace

void RunCaptureWorker(const std::shared_ptr<CaptureState>& state) { CaptureLoop(*state).run(); }

}  // namespace moravel::alsa
