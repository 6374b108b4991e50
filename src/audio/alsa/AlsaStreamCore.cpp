#include "AlsaStreamCore.h"

#include "AlsaWorkerThread.h"

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

// One poll of the device's descriptors, at most `ms` long: true when the
// device says it is ready. Unlike snd_pcm_wait, which polls again and again
// while a descriptor is readable but the plugin reports nothing ready (a
// busy loop, for as long as the sound server takes to deliver), this polls
// once and leaves the decision to the frame count.
int PollOnce(snd_pcm_t* pcm, int ms) {
    std::array<pollfd, 8> fds{};
    const int count = std::min<int>(snd_pcm_poll_descriptors_count(pcm), static_cast<int>(fds.size()));
    if (count <= 0) return count;
    snd_pcm_poll_descriptors(pcm, fds.data(), static_cast<unsigned>(count));
    const int polled = poll(fds.data(), static_cast<nfds_t>(count), ms);
    if (polled <= 0) return polled < 0 && errno != EINTR ? -errno : 0;
    unsigned short revents = 0;
    const int err = snd_pcm_poll_descriptors_revents(pcm, fds.data(), static_cast<unsigned>(count), &revents);
    if (err < 0) return err;
    return (revents & (POLLIN | POLLOUT)) != 0;
}

}  // namespace

snd_pcm_sframes_t WaitForFrames(StreamCore& core, snd_pcm_uframes_t wanted) {
    snd_pcm_t* pcm = core.pcm.get();
    const snd_pcm_sframes_t avail = snd_pcm_avail(pcm);
    if (avail < 0 || static_cast<snd_pcm_uframes_t>(avail) >= wanted) return avail;
    const auto missing = static_cast<long long>(wanted - static_cast<snd_pcm_uframes_t>(avail));
    const auto ms = std::clamp<long long>(missing * 1000 / core.format.samplesPerSec + 1, 1, kWaitMs);
    const auto start = std::chrono::steady_clock::now();
    const int polled = PollOnce(pcm, static_cast<int>(ms));
    if (polled < 0) return polled;
    // A device that wakes the poll before its frames are there must not
    // make the worker spin.
    if (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(ms) &&
        snd_pcm_avail(pcm) < static_cast<snd_pcm_sframes_t>(wanted))
        std::this_thread::sleep_for(kIdlePause);
    return 0;
}

void NoteWorkerCpu(StreamCore& core) { core.workerCpuNanos.store(ThreadCpuNanos(), std::memory_order_relaxed); }

void NoteDelay(StreamCore& core, snd_pcm_t* pcm, snd_pcm_sframes_t frames) {
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(pcm, &delay) == 0) core.delayFrames.store(delay - frames, std::memory_order_relaxed);
}

}  // namespace moravel::alsa
