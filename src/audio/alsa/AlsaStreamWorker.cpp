#include "audio/alsa/AlsaStreamWorker.h"

#include <algorithm>
#include <thread>

namespace moravel::alsa {

StreamWorker::StreamWorker(StreamCore& core, std::chrono::milliseconds idleCheck)
    : core_(core), idleCheck_(idleCheck) {}

void StreamWorker::run() {
    for (;;) {
        {
            std::unique_lock lock(core_.mutex);
            if (!awaitWork(lock)) break;
            takeLocked();
        }
        if (!serve()) break;
    }
    NoteWorkerCpu(core_);
    core_.pcm.reset();
}

bool StreamWorker::interrupted() {
    std::lock_guard lock(core_.mutex);
    return core_.quit || staleLocked();
}

snd_pcm_sframes_t StreamWorker::transfer(snd_pcm_uframes_t wanted, snd_pcm_uframes_t most, void* buffer) {
    const snd_pcm_sframes_t ready = WaitForFrames(core_, wanted);
    NoteWorkerCpu(core_);
    if (ready <= 0) return ready == 0 || survive(static_cast<int>(ready)) ? 0 : -1;
    const auto frames = std::min(most, static_cast<snd_pcm_uframes_t>(ready));
    const snd_pcm_sframes_t moved = snd_pcm_stream(pcm()) == SND_PCM_STREAM_CAPTURE
                                        ? snd_pcm_readi(pcm(), buffer, frames)
                                        : snd_pcm_writei(pcm(), buffer, frames);
    if (moved < 0) return survive(static_cast<int>(moved)) ? 0 : -1;
    if (moved == 0) std::this_thread::sleep_for(kIdlePause);  // "ready", yet nothing moved
    return moved;
}

bool StreamWorker::survive(int err) {
    const StreamFault fault = HandleFault(core_, err);
    if (fault == StreamFault::Xrun) onXrun();
    return fault != StreamFault::Lost;
}

// With `lock` held on entry and return: true once there is work, false when
// the service quits or idle() finds the device gone. A stop or a reset is
// followed (and what the device holds dropped) before anything else.
bool StreamWorker::awaitWork(std::unique_lock<std::mutex>& lock) {
    for (;;) {
        if (core_.quit) return false;
        if (staleLocked()) {
            generation_ = core_.generation;
            lock.unlock();
            drop();
            lock.lock();
            continue;
        }
        if (hasWorkLocked()) return true;
        lock.unlock();
        const bool present = idle();
        lock.lock();
        if (!present) return false;
        if (mustLookAgainLocked()) continue;
        if (const std::chrono::microseconds wait = idleWait(); wait > std::chrono::microseconds::zero())
            core_.wake.wait_for(lock, wait);
        else
            core_.wake.wait(lock);
    }
}

// What the service did while the mutex was free for idle(): its wake-up
// found no waiter, so the worker must not wait for it now.
bool StreamWorker::mustLookAgainLocked() const { return core_.quit || staleLocked() || hasWorkLocked(); }

}  // namespace moravel::alsa
