#include "AlsaCapture.h"

#include "AlsaCaptureWorker.h"
#include "AlsaStreamSetup.h"

namespace moravel {

using namespace alsa;

namespace {

// Device buffer in periods (of one block each): room for the worker to be
// late by a few blocks before the device overruns.
constexpr unsigned kCapturePeriods = 4;

}  // namespace

AlsaCapture::AlsaCapture(std::shared_ptr<const Devices> devices) : devices_(std::move(devices)) {}

AlsaCapture::~AlsaCapture() {
    reset();
    close();
}

std::int32_t AlsaCapture::open(TEWDev device, const PcmFormat& format, std::uint32_t bufferBytes, QObject* target,
                               std::uint64_t session) {
    if (state_) return kWaveError;
    PcmHandle pcm;
    if (const std::int32_t result = OpenStream(*devices_, device, SND_PCM_STREAM_CAPTURE, format, pcm);
        result != kWaveOk)
        return result;
    const std::uint32_t frameBytes = static_cast<std::uint32_t>(format.blockAlign());
    const snd_pcm_uframes_t blockFrames = bufferBytes / frameBytes;
    if (blockFrames == 0) return kWaveBadFormat;
    PcmLayout layout;
    if (const std::int32_t result = ConfigurePcm(pcm.get(), format, blockFrames, kCapturePeriods, layout);
        result != kWaveOk)
        return result;
    state_ = std::make_shared<CaptureState>(std::move(pcm), devices_->config(), format, target, session);
    state_->blockBytes = static_cast<std::uint32_t>(blockFrames) * frameBytes;
    state_->bufferFrames = layout.buffer;
    run_.begin(state_, [state = state_] { RunCaptureWorker(state); });
    return kWaveOk;
}

std::int32_t AlsaCapture::start() {
    if (!state_) return kWaveNotOpen;
    std::lock_guard lock(state_->mutex);
    state_->started = true;
    state_->wake.notify_all();
    return kWaveOk;
}

std::int32_t AlsaCapture::addBuffer(WaveHeader* header) {
    if (!state_) return kWaveNotOpen;
    if (!header || !header->data) return kWaveError;
    std::lock_guard lock(state_->mutex);
    header->bytesRecorded = 0;
    header->flags = (header->flags & ~kHeaderDone) | kHeaderInQueue;
    state_->queue.push_back(header);
    return kWaveOk;
}

std::int32_t AlsaCapture::stop() {
    if (!state_) return kWaveNotOpen;
    std::lock_guard lock(state_->mutex);
    state_->started = false;
    ++state_->generation;
    state_->wake.notify_all();
    return kWaveOk;
}

std::int32_t AlsaCapture::reset() {
    if (!state_) return kWaveNotOpen;
    std::lock_guard lock(state_->mutex);
    state_->started = false;
    ++state_->generation;
    for (WaveHeader* header : state_->queue) {
        header->bytesRecorded = 0;
        header->flags = (header->flags & ~kHeaderInQueue) | kHeaderDone;
        state_->postLocked(WaveNotification::Data, header);
    }
    state_->queue.clear();
    state_->wake.notify_all();
    return kWaveOk;
}

std::int32_t AlsaCapture::close() {
    if (!state_) return kWaveNotOpen;
    if (std::lock_guard lock(state_->mutex); !state_->queue.empty()) return kWaveStillPlaying;
    run_.end();
    state_.reset();
    return kWaveOk;
}

std::int64_t AlsaCapture::xruns() const { return run_.xruns(); }

std::chrono::nanoseconds AlsaCapture::workerCpuTime() const { return run_.workerCpuTime(); }

std::int64_t AlsaCapture::lastDelayFrames() const { return run_.lastDelayFrames(); }

}  // namespace moravel
