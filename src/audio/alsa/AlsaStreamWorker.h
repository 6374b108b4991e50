// The frame both worker loops share: waiting for work while following the
// service's stop, reset and quit, serving one piece of work at a time, the
// bounded wait and blocking transfer of frames with xrun recovery, and the
// end (CPU time noted, PCM closed). The capture and the playback loop derive
// from it and say what work is, how it is taken, what a stop or a reset
// drops, and how an idle device is watched.
//
// Threads: a worker object is made, run and destroyed on its worker thread.
// The core's guarded members are read only with the core's mutex held.
#pragma once

#include "audio/alsa/AlsaStreamCore.h"

#include <chrono>
#include <cstdint>
#include <mutex>

namespace moravel::alsa {

class StreamWorker {
public:
    StreamWorker(const StreamWorker&) = delete;
    StreamWorker& operator=(const StreamWorker&) = delete;

    /// Takes and serves work until the service quits or the device is lost;
    /// then notes the worker's CPU time and closes the PCM.
    void run();

protected:
    /// `idleCheck`: how often idle() runs while there is no work; zero: only
    /// when the service wakes the worker.
    StreamWorker(StreamCore& core, std::chrono::milliseconds idleCheck);
    ~StreamWorker() = default;

    snd_pcm_t* pcm() const { return core_.pcm.get(); }
    /// Whether the service stopped or reset since the work was taken. Call
    /// with the core's mutex held.
    bool staleLocked() const { return core_.generation != generation_; }
    /// Whether the service quit, stopped or reset since the work was taken.
    /// Takes the core's mutex.
    bool interrupted();

    /// Waits at most kWaitMs for `wanted` frames (to read, or room to write)
    /// and moves up to `most` of those there between `buffer` and the device
    /// (snd_pcm_readi or snd_pcm_writei, as the stream's direction says).
    /// Returns the frames moved: 0 when none were (the wait ran out, a call
    /// to retry, an xrun recovered), -1 when the device is lost.
    snd_pcm_sframes_t transfer(snd_pcm_uframes_t wanted, snd_pcm_uframes_t most, void* buffer);
    /// Deals with the negative result `err` of a call on the PCM
    /// (HandleFault); a recovered xrun calls onXrun(). Returns false when
    /// the device is lost.
    bool survive(int err);

private:
    /// Whether there is work to take. Called with the mutex held.
    virtual bool hasWorkLocked() const = 0;
    /// Takes the work hasWorkLocked() found. Called with the mutex held.
    virtual void takeLocked() {}
    /// Serves the work taken, without the mutex; false when the device is lost.
    virtual bool serve() = 0;
    /// Lets go of what the device holds after a stop or a reset, without the mutex.
    virtual void drop() = 0;
    /// Looks at the device while there is no work, without the mutex; false
    /// when it is lost.
    virtual bool idle() { return true; }
    /// Hears of an xrun survive() recovered: the stream stands prepared.
    virtual void onXrun() {}
    /// How long to wait for work before idle() runs again, after idle()
    /// ran; zero: until the service wakes the worker. Called with the mutex
    /// held; reads only the worker's own state. By default `idleCheck`.
    virtual std::chrono::microseconds idleWait() const { return idleCheck_; }

    bool awaitWork(std::unique_lock<std::mutex>& lock);
    bool mustLookAgainLocked() const;

    StreamCore& core_;
    const std::chrono::milliseconds idleCheck_;
    std::uint64_t generation_ = 0;  // the service's generation the worker follows
};

}  // namespace moravel::alsa
