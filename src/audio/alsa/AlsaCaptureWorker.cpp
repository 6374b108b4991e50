#include "AlsaCaptureWorker.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace moravel::alsa {

namespace {

class CaptureLoop {
public:
    explicit CaptureLoop(CaptureState& state)
        : s_(state), staging_(state.blockBytes + state.bufferFrames * state.frameBytes()) {}

    void run() {
        while (awaitRun() && pump()) {
        }
    }

private:
    snd_pcm_t* pcm() const { return s_.pcm.get(); }

    // Blocks while the component does not want data; false when quitting.
    bool awaitRun() {
        std::unique_lock lock(s_.mutex);
        for (;;) {
            if (s_.quit) return false;
            if (s_.generation != generation_) {
                generation_ = s_.generation;
                lock.unlock();
                halt();
                lock.lock();
                continue;
            }
            if (s_.started) break;
            s_.wake.wait(lock);
        }
        lock.unlock();
        return running_ || startDevice();
    }

    bool startDevice() {
        int err = snd_pcm_state(pcm()) == SND_PCM_STATE_PREPARED ? 0 : snd_pcm_prepare(pcm());
        if (err == 0) err = snd_pcm_start(pcm());
        if (err < 0) return survive(err);
        running_ = true;
        filled_ = 0;
        return true;
    }

    void halt() {
        if (running_) snd_pcm_drop(pcm());
        running_ = false;
        filled_ = 0;
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
        const snd_pcm_sframes_t ready = WaitForFrames(s_, wanted);
        NoteWorkerCpu(s_);
        if (ready <= 0) return ready == 0 || survive(static_cast<int>(ready));
        const auto room = static_cast<snd_pcm_uframes_t>((staging_.size() - filled_) / frameBytes);
        const snd_pcm_sframes_t frames =
            snd_pcm_readi(pcm(), staging_.data() + filled_, std::min(room, static_cast<snd_pcm_uframes_t>(ready)));
        if (frames < 0) return survive(static_cast<int>(frames));
        if (frames == 0) std::this_thread::sleep_for(kIdlePause);  // "ready" yet nothing to read
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
        if (s_.generation != generation_) return;  // stopped or reset while reading
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

    // Deals with a failed call; false when the device is lost.
    bool survive(int err) {
        const StreamFault fault = HandleFault(s_, err);
        if (fault == StreamFault::Xrun) {
            running_ = false;  // recovered means prepared: start again
            filled_ = 0;
        }
        return fault != StreamFault::Lost;
    }

    CaptureState& s_;
    std::vector<std::uint8_t> staging_;  // whole blocks and the start of the next
    std::size_t filled_ = 0;             // bytes in staging_
    bool running_ = false;
    std::uint64_t generation_ = 0;
};

}  // namespace

void RunCaptureWorker(const std::shared_ptr<CaptureState>& state) {
    CaptureLoop(*state).run();
    NoteWorkerCpu(*state);
    state->pcm.reset();
}

}  // namespace moravel::alsa
