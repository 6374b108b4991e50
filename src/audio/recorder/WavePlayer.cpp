#include "audio/recorder/WavePlayer.h"

#include "common/AudioRange.h"
#include "audio/recorder/ClockText.h"
#include "audio/recorder/PlayTime.h"
#include "audio/recorder/PlayableFormat.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace moravel {

bool WavePlayer::FileExists(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

WavePlayer::WavePlayer(const std::string& path) : stream_(std::make_unique<FileWaveStream>(path, nullptr)) {
    const std::string reason = UnplayableReason(stream_->Format());
    if (!reason.empty()) throw UnplayableFormatError(reason);
}

PlayerDeviceSettings WavePlayer::DeviceSettings() const {
    const std::int32_t rate = Rate();
    return {rate - kCaptureRateOffset, rate, PlayerBufferBytes(rate), rate / 2};
}

std::int32_t WavePlayer::ReadBlock(std::int16_t* dest, std::int32_t bytes, const PlayerControls& controls) {
    if (controls.paused) return 0;
    const std::int32_t samples = reader_.ReadBlock(*stream_, dest, bytes);
    // The track bar cannot stand beyond its maximum, and where it stands is
    // where playing goes on (the even-position rule may step past the end).
    Seek(stream_->Position());
    if (position_ == FrameCount()) {
        if (controls.loop)
            Seek(0);
        else
            finished_ = true;
    }
    return samples;
}

void WavePlayer::Seek(std::int64_t frame) {
    position_ = std::clamp<std::int64_t>(frame, 0, FrameCount());
    stream_->SetPosition(position_);
}

bool WavePlayer::TakeFinished() { return std::exchange(finished_, false); }

std::string WavePlayer::TimeText(std::int64_t frame) const {
    return FormatClock(PlaySeconds(frame, Format(), Rate() - kCaptureRateOffset));
}

}  // namespace moravel
