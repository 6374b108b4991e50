#include "LoopbackRig.h"

namespace moravel::testing {

namespace {

constexpr std::uint64_t kCaptureSession = 1, kPlaybackSession = 2;

PcmFormat Mono16(std::int32_t rate) { return PcmFormat{1, rate, 16}; }

}  // namespace

LoopbackRig::LoopbackRig(AlsaBackend& backend, const AudioRange& range, double toneHz, double amplitude)
    : range_(range),
      capture_(backend.newCapture()),
      playback_(backend.newPlayback()),
      tone_(toneHz, range.outputRate, amplitude) {
    captureNotes_.onReceived = [this](const Received& r) { OnCaptured(r); };
    playbackNotes_.onReceived = [this](const Received& r) { OnPlayed(r); };
}

LoopbackRig::~LoopbackRig() { Close(); }

std::int32_t LoopbackRig::Open() {
    std::int32_t result = playback_->open(wvMapper, Mono16(range_.outputRate), &playbackNotes_, kPlaybackSession);
    if (result != kWaveOk) return result;
    result = capture_->open(wvMapper, Mono16(range_.captureRate), range_.blockBytes, &captureNotes_, kCaptureSession);
    if (result != kWaveOk) return result;
    open_ = true;
    for (int i = 0; i < kRing; ++i) {
        captureBuffers_[i].assign(range_.blockBytes, 0);
        captureHeaders_[i].data = captureBuffers_[i].data();
        captureHeaders_[i].bufferLength = range_.blockBytes;
        capture_->addBuffer(&captureHeaders_[i]);
    }
    capture_->start();
    for (WaveHeader& header : playHeaders_) WriteNext(header);
    return kWaveOk;
}

void LoopbackRig::Close() {
    if (!open_) return;
    open_ = false;
    capture_->stop();
    capture_->reset();
    capture_->close();
    playback_->reset();
    playback_->close();
}

void LoopbackRig::OnCaptured(const Received& r) {
    if (r.kind != WaveNotification::Data || !open_) return;
    if (r.bytesRecorded > 0) captured_.push_back({r.at, AsSamples(r.header->data, r.bytesRecorded)});
    r.header->bytesRecorded = 0;
    capture_->addBuffer(r.header);
}

void LoopbackRig::OnPlayed(const Received& r) {
    if (r.kind != WaveNotification::Done || !open_) return;
    ++played_;
    WriteNext(*r.header);
}

void LoopbackRig::WriteNext(WaveHeader& header) {
    playBytes_ = tone_.NextBlock(range_.blockBytes / 2);
    header.data = playBytes_.data();  // the service copies it at once
    header.bufferLength = static_cast<std::uint32_t>(playBytes_.size());
    playback_->write(&header);
}

}  // namespace moravel::testing
