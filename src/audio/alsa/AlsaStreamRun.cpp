#include "audio/alsa/AlsaStreamRun.h"

#include "audio/alsa/AlsaStreamCore.h"
#include "audio/alsa/AlsaWorkerThread.h"

namespace moravel::alsa {

StreamRun::StreamRun() = default;

StreamRun::~StreamRun() = default;

void StreamRun::begin(std::shared_ptr<StreamCore> core, std::function<void()> loop) {
    core_ = std::move(core);
    {
        std::lock_guard lock(core_->mutex);
        core_->postLocked(WaveNotification::Open);
    }
    worker_ = std::make_unique<WorkerThread>(std::move(loop));
}

void StreamRun::end() {
    {
        std::lock_guard lock(core_->mutex);
        core_->quit = true;
        ++core_->generation;
        core_->interruptLocked();
    }
    worker_->finish();
    {
        std::lock_guard lock(core_->mutex);
        core_->closeLocked();
    }
    xruns_ = core_->xruns.load();
    cpuNanos_ = core_->workerCpuNanos.load();
    delayFrames_ = core_->delayFrames.load();
    deviceWaits_ = core_->deviceWaits.load();
    worker_.reset();
    core_.reset();
}

std::int64_t StreamRun::xruns() const { return core_ ? core_->xruns.load() : xruns_; }

std::chrono::nanoseconds StreamRun::workerCpuTime() const {
    return std::chrono::nanoseconds(core_ ? core_->workerCpuNanos.load() : cpuNanos_);
}

bool StreamRun::delayNoted() const { return core_ && core_->delayNoted.load(std::memory_order_relaxed); }

std::int64_t StreamRun::bridgedGaps() const { return core_ ? core_->bridgedGaps.load(std::memory_order_relaxed) : 0; }

std::int64_t StreamRun::lastDelayFrames() const { return core_ ? core_->delayFrames.load() : delayFrames_; }

std::int64_t StreamRun::deviceWaits() const { return core_ ? core_->deviceWaits.load() : deviceWaits_; }

}  // namespace moravel::alsa
