#include "audio/virtual/VirtualCapture.h"

#include "audio/virtual/BlockTiming.h"
#include "audio/virtual/PcmCodec.h"

#include <algorithm>

namespace moravel::vcard {

VirtualCapture::VirtualCapture(std::shared_ptr<CardState> card)
    : session_(std::move(card), {[this] { return nextDeadline(); }, [this](auto now) { tick(now); }}) {}

std::int32_t VirtualCapture::open(TEWDev device, const PcmFormat& format, std::uint32_t bufferBytes, QObject* target,
                                  std::uint64_t session) {
    if (const std::int32_t refusal = session_.Check(device, format); refusal != kWaveOk) return refusal;
    const std::int64_t frames = bufferBytes / static_cast<std::uint32_t>(format.blockAlign());
    if (frames == 0) return kWaveBadFormat;  // a period must hold a frame
    std::unique_ptr<SampleSource> source;
    try {
        source = session_.Card().source(format.samplesPerSec);
    } catch (...) {
        return kWaveError;
    }
    {
        std::lock_guard lock(session_.Mutex());
        source_ = std::move(source);
        blockFrames_ = frames;
        samples_.assign(static_cast<std::size_t>(frames), 0);
        started_ = false;
        queue_.clear();
        xruns_ = 0;
    }
    session_.Begin(format, target, session);
    return kWaveOk;
}

// Block n is due n blocks after start, from start's card time: no drift.
std::int32_t VirtualCapture::start() {
    std::lock_guard lock(session_.Mutex());
    if (!session_.IsOpen()) return kWaveNotOpen;
    if (session_.Vanished()) return kWaveBadDevice;
    if (!started_) {
        started_ = true;
        startTime_ = session_.Now();
        blocksDone_ = 0;
        session_.Wake();
    }
    return kWaveOk;
}

std::int32_t VirtualCapture::addBuffer(WaveHeader* header) {
    if (!header || !header->data) return kWaveError;
    std::lock_guard lock(session_.Mutex());
    if (!session_.IsOpen()) return kWaveNotOpen;
    MarkQueued(*header);
    queue_.push_back(header);
    return kWaveOk;
}

std::int32_t VirtualCapture::stop() {
    std::lock_guard lock(session_.Mutex());
    if (!session_.IsOpen()) return kWaveNotOpen;
    started_ = false;
    session_.Wake();
    return kWaveOk;
}

// Blocks are filled whole when they come due, so a returned buffer holds nothing.
std::int32_t VirtualCapture::reset() {
    std::lock_guard lock(session_.Mutex());
    if (!session_.IsOpen()) return kWaveNotOpen;
    started_ = false;
    for (WaveHeader* header : queue_) giveBack(header, 0);
    queue_.clear();
    session_.Wake();
    return kWaveOk;
}

std::int32_t VirtualCapture::close() {
    {
        std::lock_guard lock(session_.Mutex());
        if (!session_.IsOpen()) return kWaveNotOpen;
        if (!queue_.empty()) return kWaveStillPlaying;
        started_ = false;
    }
    session_.End();
    session_.Post(WaveNotification::Close);
    return kWaveOk;
}

std::optional<std::chrono::nanoseconds> VirtualCapture::nextDeadline() const {
    if (!started_) return std::nullopt;
    const std::int32_t rate = session_.Format().samplesPerSec;
    return startTime_ + FramesDuration((blocksDone_ + 1) * blockFrames_, rate);
}

void VirtualCapture::tick(std::chrono::nanoseconds now) {
    if (!started_ || now < startTime_) return;
    const std::int64_t due = FramesWithin(now - startTime_, session_.Format().samplesPerSec) / blockFrames_;
    for (; blocksDone_ < due; ++blocksDone_) produceBlock();
}

void VirtualCapture::produceBlock() {
    const auto frames = static_cast<std::size_t>(blockFrames_);
    if (queue_.empty()) {
        ++xruns_;
        source_->Skip(frames);
        return;
    }
    WaveHeader* header = queue_.front();
    queue_.pop_front();
    source_->Fill(samples_.data(), frames);
    const PcmFormat& format = session_.Format();
    const std::size_t fit = std::min<std::size_t>(frames, header->bufferLength / format.blockAlign());
    EncodeFrames(samples_.data(), fit, format, header->data);
    giveBack(header, static_cast<std::uint32_t>(fit) * static_cast<std::uint32_t>(format.blockAlign()));
}

void VirtualCapture::giveBack(WaveHeader* header, std::uint32_t bytes) {
    header->bytesRecorded = bytes;
    MarkDone(*header);
    session_.Post(WaveNotification::Data, header);
}

}  // namespace moravel::vcard
