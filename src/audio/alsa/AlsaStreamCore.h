// What a service shares with its worker thread: the open PCM, the lock that
// guards the buffer queue, the way to the component (posted notifications)
// and the counters the service reports.
//
// Threads: the service's calls (component's thread) and the worker read and
// write the guarded members only with `mutex` held. The PCM belongs to the
// worker once it runs. The counters are atomics, readable anywhere.
#pragma once

#include "audio/alsa/AlsaConfig.h"
#include "audio/alsa/AlsaPcm.h"
#include "audio/alsa/AlsaRecovery.h"
#include "audio/alsa/AlsaWakeFd.h"
#include "audio/WaveDevice.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace moravel::alsa {

/// How long one wait on the device may last (ms): longer than the longest
/// block (about 130 ms), so that a capture block costs one wake-up. A stop,
/// reset or close cuts a wait short through the core's WakeFd.
constexpr int kWaitMs = 250;
/// A pause after a wake-up that brought nothing, so that a device that
/// keeps saying "ready" without data cannot make a worker spin.
constexpr std::chrono::milliseconds kIdlePause{5};

class StreamCore {
public:
    StreamCore(PcmHandle pcm, std::shared_ptr<const AlsaConfig> config, const PcmFormat& format, QObject* target,
               std::uint64_t session);

    std::mutex mutex;
    std::condition_variable wake;  // the worker waits here while it has nothing to do
    WakeFd interruption;           // polled beside the device: cuts a wait on it short
    bool quit = false;             // guarded: the worker ends its loop
    std::uint64_t generation = 0;  // guarded: bumped by stop/reset, the worker drops what it holds

    PcmHandle pcm;  // the worker's once it runs; it closes the PCM when it ends
    const PcmFormat format;
    std::uint32_t frameBytes() const { return static_cast<std::uint32_t>(format.blockAlign()); }

    std::atomic<std::int64_t> xruns{0};
    std::atomic<std::int64_t> workerCpuNanos{0};  // CPU time of the worker thread so far
    std::atomic<bool> delayNoted{false};          // delayFrames holds a noted delay
    std::atomic<std::int64_t> delayFrames{0};     // the delay the worker noted last
    std::atomic<std::int64_t> bridgedGaps{0};     // playback: silence chunks written for want of a block
    std::atomic<std::int64_t> deviceWaits{0};     // waits for frames so far (each one wake-up)

    // The worker's own: the frames available when its last wait ran out
    // (-1: it did not), and how many waits in a row ran out with nothing new.
    snd_pcm_sframes_t timedOutAvail = -1;
    int fruitlessWaits = 0;

    /// Wakes the worker wherever it waits, for a stop, a reset or the quit
    /// the caller has just noted. Call with `mutex` held.
    void interruptLocked();
    /// Posts a notification of this session to the component, unless the
    /// service was closed. Call with `mutex` held.
    void postLocked(WaveNotification::Kind kind, WaveHeader* header = nullptr, bool lost = false);
    /// Posts Close(lost) once, from the worker: the device went away.
    void reportLost();
    /// Posts Close and, from then on, nothing more. Call with `mutex` held.
    void closeLocked();

private:
    std::shared_ptr<const AlsaConfig> config_;  // kept while the PCM lives
    QObject* target_;                           // guarded; null once closed
    const std::uint64_t session_;
    bool lostReported_ = false;  // guarded
};

/// What a worker does with a failed call on its PCM: recovers an xrun and
/// counts it, pauses briefly before a retry (so that nothing spins), or
/// posts the lost Close once. Returns what it was.
StreamFault HandleFault(StreamCore& core, int err);

/// Waits, at most kWaitMs, for `wanted` frames to read (capture) or room
/// for them (playback); interruptLocked() ends the wait at once. Returns the
/// frames available once there are enough, 0 when there are not yet (or
/// the wait was interrupted), or a negative ALSA error. The wait is
/// timed from the frames missing at the stream's rate as well as by the
/// device's poll, since some plugins (the sound server's) wake the poll
/// late or never. A device that delivered nothing in a whole timed wait
/// delivers in larger pieces than its rate suggests (a sound server's
/// fragments), so each such wait in a row doubles the next one, up to
/// kWaitMs: its poll, or the doubled time, ends it. Never busy-waits.
snd_pcm_sframes_t WaitForFrames(StreamCore& core, snd_pcm_uframes_t wanted);

/// How long one wait on the device may last (ms): `dueMs` (when the
/// missing frames are due, with some grace) doubled for each of the
/// `fruitlessWaits` waits in a row that brought nothing (0..6), at most
/// kWaitMs.
int WaitLimitMs(int dueMs, int fruitlessWaits);

/// Notes the calling worker's CPU time in `core`.
void NoteWorkerCpu(StreamCore& core);
/// Notes the device delay of `pcm` less `frames` (frames) in `core`.
void NoteDelay(StreamCore& core, snd_pcm_t* pcm, snd_pcm_sframes_t frames = 0);

}  // namespace moravel::alsa
