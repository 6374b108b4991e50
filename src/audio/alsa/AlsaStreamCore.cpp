#include "audio/alsa/AlsaStreamCore.h"

#include "audio/alsa/AlsaWorkerThread.h"

#include <QCoreApplication>

#include <poll.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <thread>

namespace moravel::alsa {

StreamCore::StreamCore(PcmHandle pcmHandle, std::shared_ptr<const AlsaConfig> config, const PcmFormat& pcmFormat,
                       QObject* target, std::uint64_t session)
    : pcm(std::move(pcmHandle)), format(pcmFormat), config_(std::move(config)), target_(target), session_(session) {}

void StreamCore::interruptLocked() {
    wake.notify_all();
    interruption.post();
}

void StreamCore::postLocked(WaveNotification::Kind kind, WaveHeader* header, bool lost) {
    if (target_) QCoreApplication::postEvent(target_, new WaveNotification(kind, session_, header, lost));
}

void StreamCore::reportLost() {
    std::lock_guard lock(mutex);
    if (lostReported_) return;
    lostReported_ = true;
    postLocked(WaveNotification::Close, nullptr, true);
}

void StreamCore::closeLocked() {
    postLocked(WaveNotification::Close);
    target_ = nullptr;
}

StreamFault HandleFault(StreamCore& core, int err) {
    const StreamFault fault = RecoverFrom(core.pcm.get(), err);
    switch (fault) {
        case StreamFault::Retry:
            std::this_thread::sleep_for(kIdlePause);
            break;
        case StreamFault::Xrun:
            core.xruns.fetch_add(1, std::memory_order_relaxed);
            break;
        case StreamFault::Lost:
            core.reportLost();
            break;
    }
    return fault;
}

namespace {

// What one poll found.
enum class Polled { TimedOut, Woken, Interrupted };

// One poll of the device's descriptors and `interruption`, at most `ms`
// long. Unlike snd_pcm_wait, which polls again and again while a descriptor
// is readable but the plugin reports nothing ready (a busy loop, for as long
// as the sound server takes to deliver), this polls once and leaves the
// decision to the frame count. Returns 0 or a negative errno.
int PollOnce(snd_pcm_t* pcm, WakeFd& interruption, int ms, Polled& polled) {
    polled = Polled::TimedOut;
    std::array<pollfd, 8> fds{};
    const int count = std::min<int>(snd_pcm_poll_descriptors_count(pcm), static_cast<int>(fds.size()) - 1);
    if (count <= 0) return count;
    snd_pcm_poll_descriptors(pcm, fds.data(), static_cast<unsigned>(count));
    fds[static_cast<std::size_t>(count)] = {interruption.fd(), POLLIN, 0};  // a negative fd is skipped
    const int woken = poll(fds.data(), static_cast<nfds_t>(count + 1), ms);
    if (woken < 0) return errno == EINTR ? 0 : -errno;
    if (woken == 0) return 0;
    polled =
        fds[static_cast<std::size_t>(count)].revents != 0 && interruption.take() ? Polled::Interrupted : Polled::Woken;
    return 0;
}

// Waits `ms` unless interrupted first.
void Rest(StreamCore& core, int ms) {
    pollfd fd{core.interruption.fd(), POLLIN, 0};
    if (fd.fd < 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    if (poll(&fd, 1, ms) > 0) core.interruption.take();
}

// How long a wait for frames lasts past their time (ms).
constexpr int kFragmentGrace = 6;
// Fruitless waits in a row beyond which the wait stops doubling (it is
// bounded by kWaitMs long before).
constexpr int kMostDoublings = 6;

// How long `missing` frames take at the stream's rate (ms, rounded up,
// 1..kWaitMs).
int MsFor(const StreamCore& core, snd_pcm_uframes_t missing) {
    const auto ms = static_cast<long long>(missing) * 1000 / core.format.samplesPerSec + 1;
    return static_cast<int>(std::clamp<long long>(ms, 1, kWaitMs));
}

}  // namespace

snd_pcm_sframes_t WaitForFrames(StreamCore& core, snd_pcm_uframes_t wanted) {
    snd_pcm_t* pcm = core.pcm.get();
    const snd_pcm_sframes_t avail = snd_pcm_avail(pcm);
    const bool fruitless = avail >= 0 && avail == core.timedOutAvail;
    core.fruitlessWaits = fruitless ? std::min(core.fruitlessWaits + 1, kMostDoublings) : 0;
    core.timedOutAvail = -1;
    if (avail < 0 || static_cast<snd_pcm_uframes_t>(avail) >= wanted) return avail;
    Polled polled = Polled::TimedOut;
    core.deviceWaits.fetch_add(1, std::memory_order_relaxed);
    // The wait lasts a little past the frames' time: a server delivers in
    // fragments, so the last one comes a few ms after that time and wakes
    // the poll, where a wait that ended on time would find the frames
    // missing and wait again, 1 ms at a time.
    const int ms =
        WaitLimitMs(MsFor(core, wanted - static_cast<snd_pcm_uframes_t>(avail)) + kFragmentGrace, core.fruitlessWaits);
    const int err = PollOnce(pcm, core.interruption, ms, polled);
    if (err < 0) return err;
    if (polled == Polled::TimedOut) core.timedOutAvail = avail;
    if (polled != Polled::Woken) return 0;  // the frames are due, or a stop, reset or close came
    // A device that wakes the poll before its frames are there (the sound
    // server's plugin wakes it for every fragment it receives) would be
    // ready again at once: the worker rests until the missing frames are
    // due instead, which also keeps it from spinning.
    const snd_pcm_sframes_t now = snd_pcm_avail(pcm);
    if (now < 0 || static_cast<snd_pcm_uframes_t>(now) >= wanted) return 0;
    core.deviceWaits.fetch_add(1, std::memory_order_relaxed);
    Rest(core, std::max<int>(MsFor(core, wanted - static_cast<snd_pcm_uframes_t>(now)),
                             static_cast<int>(kIdlePause.count())));
    return 0;
}

int WaitLimitMs(int dueMs, int fruitlessWaits) {
    return std::min(dueMs << std::clamp(fruitlessWaits, 0, kMostDoublings), kWaitMs);
}

void NoteWorkerCpu(StreamCore& core) { core.workerCpuNanos.store(ThreadCpuNanos(), std::memory_order_relaxed); }

void NoteDelay(StreamCore& core, snd_pcm_t* pcm, snd_pcm_sframes_t frames) {
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(pcm, &delay) != 0) return;
    core.delayFrames.store(delay - frames, std::memory_order_relaxed);
    core.delayNoted.store(true, std::memory_order_relaxed);
}

}  // namespace moravel::alsa
