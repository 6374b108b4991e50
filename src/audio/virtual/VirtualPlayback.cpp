#include "audio/virtual/VirtualPlayback.h"

#include "audio/virtual/BlockTiming.h"
#include "audio/virtual/PcmCodec.h"

namespace moravel::vcard {

VirtualPlayback::VirtualPlayback(std::shared_ptr<CardState> card)
    : session_(std::move(card), {[this] { return nextDeadline(); }, [this](auto now) { tick(now); }}) {}

std::int32_t VirtualPlayback::open(TEWDev device, const PcmFormat& format, QObject* target, std::uint64_t session) {
    if (const std::int32_t refusal = session_.Check(device, format); refusal != kWaveOk) return refusal;
    std::unique_ptr<PlaybackRecorder> recorder;
    if (!session_.Card().playbackFile.empty()) {
        try {
            recorder = std::make_unique<PlaybackRecorder>(session_.Card().playbackFile, format.samplesPerSec);
        } catch (const WaveStreamError&) {
            return kWaveError;
        }
    }
    {
        std::lock_guard lock(session_.Mutex());
        recorder_ = std::move(recorder);
        queue_.clear();
        anchor_ = session_.Now();
        anchorFrames_ = 0;
        playing_ = false;
        xruns_ = 0;
    }
    session_.Begin(format, target, session);
    return kWaveOk;
}

// A vanished device still takes blocks (it plays none of them); reset
// hands them back.
std::int32_t VirtualPlayback::write(WaveHeader* header) {
    if (!header || (!header->data && header->bufferLength > 0)) return kWaveError;
    std::lock_guard lock(session_.Mutex());
    if (!session_.IsOpen()) return kWaveNotOpen;
    const std::int64_t frames = header->bufferLength / static_cast<std::uint32_t>(session_.Format().blockAlign());
    MarkQueued(*header);
    queue_.push_back({header, {header->data, header->data + header->bufferLength}, schedule(frames)});
    session_.Wake();
    return kWaveOk;
}

// The finish time of a block of `frames` written now: right after the
// blocks before it, or, when those have all finished, from now on (an
// underrun, unless nothing has played since open or reset).
std::chrono::nanoseconds VirtualPlayback::schedule(std::int64_t frames) {
    const std::int32_t rate = session_.Format().samplesPerSec;
    const std::chrono::nanoseconds now = session_.Now();
    if (now > anchor_ + FramesDuration(anchorFrames_, rate)) {
        if (playing_) ++xruns_;
        anchor_ = now;
        anchorFrames_ = 0;
    }
    playing_ = true;
    anchorFrames_ += frames;
    return anchor_ + FramesDuration(anchorFrames_, rate);
}

std::int32_t VirtualPlayback::reset() {
    std::lock_guard lock(session_.Mutex());
    if (!session_.IsOpen()) return kWaveNotOpen;
    for (const Block& block : queue_) giveBack(block.header);
    queue_.clear();
    anchor_ = session_.Now();
    anchorFrames_ = 0;
    playing_ = false;
    session_.Wake();
    return kWaveOk;
}

std::int32_t VirtualPlayback::close() {
    {
        std::lock_guard lock(session_.Mutex());
        if (!session_.IsOpen()) return kWaveNotOpen;
        if (!queue_.empty()) return kWaveStillPlaying;
    }
    session_.End();
    finishRecording();
    session_.Post(WaveNotification::Close);
    return kWaveOk;
}

std::optional<std::chrono::nanoseconds> VirtualPlayback::nextDeadline() const {
    if (queue_.empty()) return std::nullopt;
    return queue_.front().finish;
}

void VirtualPlayback::tick(std::chrono::nanoseconds now) {
    while (!queue_.empty() && queue_.front().finish <= now) {
        play(queue_.front());
        WaveHeader* header = queue_.front().header;
        queue_.pop_front();
        giveBack(header);
    }
}

void VirtualPlayback::giveBack(WaveHeader* header) {
    MarkDone(*header);
    session_.Post(WaveNotification::Done, header);
}

void VirtualPlayback::play(const Block& block) {
    const PcmFormat& format = session_.Format();
    const std::size_t frames = block.bytes.size() / static_cast<std::size_t>(format.blockAlign());
    samples_.resize(frames);
    DecodeFrames(block.bytes.data(), frames, format, samples_.data());
    session_.Card().played.Append(samples_.data(), frames);
    record(samples_.data(), frames);
}

// A recording that fails (a full disk, say) stops; playback goes on.
void VirtualPlayback::record(const std::int16_t* samples, std::size_t count) {
    if (!recorder_) return;
    try {
        recorder_->Append(samples, count);
    } catch (const WaveStreamError&) {
        recorder_.reset();
    }
}

void VirtualPlayback::finishRecording() {
    std::lock_guard lock(session_.Mutex());
    if (!recorder_) return;
    try {
        recorder_->Finish();
    } catch (const WaveStreamError&) {
        // Nothing more to be done about a file that cannot be completed.
    }
    recorder_.reset();
}

}  // namespace moravel::vcard
