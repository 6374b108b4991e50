#include "audio/virtual/PlaybackRecorder.h"

#include "audio/ByteOrder.h"

namespace moravel::vcard {

PlaybackRecorder::PlaybackRecorder(const std::string& fileName, std::int32_t rate) {
    const WaveFormatEx format = MonoPcm16Format(rate);
    stream_ = std::make_unique<FileWaveStream>(fileName, &format);
}

void PlaybackRecorder::Append(const std::int16_t* samples, std::size_t count) {
    bytes_.resize(count * 2);
    for (std::size_t i = 0; i < count; ++i) StoreLe16(&bytes_[i * 2], static_cast<std::uint16_t>(samples[i]));
    if (stream_->Write(bytes_.data(), static_cast<std::int32_t>(count)) != static_cast<std::int32_t>(count))
        throw WaveStreamError("Error writing to file.");
}

void PlaybackRecorder::Finish() { stream_->Finish(); }

}  // namespace moravel::vcard
