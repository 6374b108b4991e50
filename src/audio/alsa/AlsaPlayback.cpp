#include "audio/alsa/AlsaPlayback.h"

#include "audio/alsa/AlsaPlaybackWorker.h"
#include "audio/alsa/AlsaStreamSetup.h"

namespace moravel {

using namespace alsa;

AlsaPlayback::AlsaPlayback(std::shared_ptr<const Devices> devices) : devices_(std::move(devices)) {}

AlsaPlayback::~AlsaPlayback() {
    reset();
    close();
}

std::int32_t AlsaPlayback::open(TEWDev device, const PcmFormat& format, QObject* target, std::uint64_t session) {
    return OpenService(state_, run_, *devices_, {device, SND_PCM_STREAM_PLAYBACK, format, target, session},
                       RunPlaybackWorker);
}

std::int32_t AlsaPlayback::write(WaveHeader* header) {
    if (!state_) return kWaveNotOpen;
    if (!header || (!header->data && header->bufferLength > 0)) return kWaveError;
    PendingBlock block{header, std::vector<std::uint8_t>(header->data, header->data + header->bufferLength)};
    std::lock_guard lock(state_->mutex);
    state_->queue.push_back(std::move(block));
    state_->wake.notify_all();
    return kWaveOk;
}

std::int32_t AlsaPlayback::reset() {
    if (!state_) return kWaveNotOpen;
    std::lock_guard lock(state_->mutex);
    ++state_->generation;
    for (const PendingBlock& block : state_->queue) state_->postLocked(WaveNotification::Done, block.header);
    state_->queue.clear();
    state_->frontTaken = false;
    state_->interruptLocked();
    return kWaveOk;
}

std::int32_t AlsaPlayback::close() { return CloseService(state_, run_); }

std::int64_t AlsaPlayback::xruns() const { return run_.xruns(); }

std::chrono::nanoseconds AlsaPlayback::workerCpuTime() const { return run_.workerCpuTime(); }

std::int64_t AlsaPlayback::lastDelayFrames() const { return run_.lastDelayFrames(); }

std::int64_t AlsaPlayback::leadFrames() const { return run_.delayNoted() ? run_.lastDelayFrames() : -1; }

std::int64_t AlsaPlayback::bridgedGaps() const { return run_.bridgedGaps(); }

std::int64_t AlsaPlayback::deviceWaits() const { return run_.deviceWaits(); }

}  // namespace moravel
