#include "audio/alsa/AlsaCapture.h"

#include "audio/alsa/AlsaCaptureWorker.h"
#include "audio/alsa/AlsaStreamSetup.h"

#include <algorithm>

namespace moravel {

using namespace alsa;

namespace {

// Device buffer in blocks: room for the worker to be late by a few blocks
// before the device overruns.
constexpr unsigned kCaptureBlocks = 4;
// The device period is an eighth of a block. A sound server hands a
// capture stream its audio a period at a time (PulseAudio sets the source's
// latency to it), so with a period of a whole block the end of a block
// could wait up to another block in the server: 25-40 ms more delay on
// average at the 8 KHz range than with eighths. The worker still reads only
// whole blocks, and is woken for a whole block.
constexpr unsigned kPeriodsPerBlock = 8;

// Whole frames of the component's buffer make a block.
std::int32_t SetUpCapture(CaptureState& state, std::uint32_t bufferBytes) {
    const snd_pcm_uframes_t blockFrames = bufferBytes / state.frameBytes();
    if (blockFrames == 0) return kWaveBadFormat;
    const snd_pcm_uframes_t period = std::max<snd_pcm_uframes_t>(blockFrames / kPeriodsPerBlock, 1);
    PcmLayout layout;
    if (const std::int32_t result =
            ConfigurePcm(state.pcm.get(), state.format, period, kCaptureBlocks * kPeriodsPerBlock, layout, blockFrames);
        result != kWaveOk)
        return result;
    state.blockBytes = static_cast<std::uint32_t>(blockFrames) * state.frameBytes();
    state.bufferFrames = layout.buffer;
    return kWaveOk;
}

// With the state's lock held: the worker stops filling, drops the block it
// is reading (a new generation) and leaves any wait it is in.
void HaltLocked(CaptureState& state) {
    state.started = false;
    ++state.generation;
    state.interruptLocked();
}

}  // namespace

AlsaCapture::AlsaCapture(std::shared_ptr<const Devices> devices) : devices_(std::move(devices)) {}

AlsaCapture::~AlsaCapture() {
    reset();
    close();
}

std::int32_t AlsaCapture::open(TEWDev device, const PcmFormat& format, std::uint32_t bufferBytes, QObject* target,
                               std::uint64_t session) {
    return OpenService(state_, run_, *devices_, {device, SND_PCM_STREAM_CAPTURE, format, target, session},
                       RunCaptureWorker,
                       [bufferBytes](CaptureState& state) { return SetUpCapture(state, bufferBytes); });
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
    HaltLocked(*state_);
    return kWaveOk;
}

std::int32_t AlsaCapture::reset() {
    if (!state_) return kWaveNotOpen;
    std::lock_guard lock(state_->mutex);
    for (WaveHeader* header : state_->queue) {
        header->bytesRecorded = 0;
        header->flags = (header->flags & ~kHeaderInQueue) | kHeaderDone;
        state_->postLocked(WaveNotification::Data, header);
    }
    state_->queue.clear();
    HaltLocked(*state_);
    return kWaveOk;
}

std::int32_t AlsaCapture::close() { return CloseService(state_, run_); }

std::int64_t AlsaCapture::xruns() const { return run_.xruns(); }

std::chrono::nanoseconds AlsaCapture::workerCpuTime() const { return run_.workerCpuTime(); }

std::int64_t AlsaCapture::lastDelayFrames() const { return run_.lastDelayFrames(); }

std::int64_t AlsaCapture::deviceWaits() const { return run_.deviceWaits(); }

}  // namespace moravel
