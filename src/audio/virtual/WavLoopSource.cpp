#include "audio/virtual/WavLoopSource.h"

#include <algorithm>
#include <stdexcept>

namespace moravel {

namespace {

// One player block of samples per file read.
constexpr std::size_t kBlockSamples = PlayerBlockReader::kMaxBlockBytes / 2;

std::runtime_error loopError(const std::string& fileName, const std::string& reason) {
    return std::runtime_error("Cannot loop WAV file \"" + fileName + "\": " + reason);
}

std::unique_ptr<FileWaveStream> openStream(const std::string& fileName) {
    try {
        return std::make_unique<FileWaveStream>(fileName, nullptr);
    } catch (const WaveStreamError& e) {
        throw loopError(fileName, e.what());
    }
}

// The file's rate, checked before the resampler needs it.
std::int32_t playableRate(const std::string& fileName, const WaveStream& stream) {
    const WaveFormatEx& format = stream.Format();
    std::string reason;
    if (!PlayerBlockReader::CanPlay(format))
        reason = "not 1 or 2 channels of 8- or 16-bit PCM";
    else if (format.nSamplesPerSec < 1 || format.nSamplesPerSec > 384000)
        reason = "sample rate out of range";
    else if (stream.FrameCount() == 0)
        reason = "no samples";
    if (!reason.empty()) throw loopError(fileName, reason);
    return static_cast<std::int32_t>(format.nSamplesPerSec);
}

}  // namespace

WavLoopSource::WavLoopSource(const std::string& fileName, std::int32_t rate)
    : fileName_(fileName),
      stream_(openStream(fileName)),
      fileRate_(playableRate(fileName, *stream_)),
      block_(kBlockSamples),
      resampler_(fileRate_, rate) {}

void WavLoopSource::Fill(std::int16_t* dest, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) dest[i] = resampler_.Next([this] { return nextFileSample(); });
}

std::int16_t WavLoopSource::nextFileSample() {
    if (blockPos_ == blockFill_) readBlock();
    return block_[blockPos_++];
}

// At the end of the data the file starts over.
void WavLoopSource::readBlock() {
    try {
        for (int attempt = 0; attempt < 2; ++attempt) {
            std::fill(block_.begin(), block_.end(), 0);
            const std::int32_t got =
                reader_.ReadBlock(*stream_, block_.data(), static_cast<std::int32_t>(block_.size() * 2));
            if (got > 0) {
                blockFill_ = static_cast<std::size_t>(got);
                blockPos_ = 0;
                return;
            }
            stream_->SetPosition(0);
        }
    } catch (const WaveStreamError& e) {
        fail(e.what());
    }
    fail("no samples");
}

void WavLoopSource::fail(const std::string& reason) const { throw loopError(fileName_, reason); }

SourceFactory WavLoopSource::Factory(const std::string& fileName) {
    WavLoopSource check(fileName, 8000);
    return [fileName](std::int32_t rate) { return std::make_unique<WavLoopSource>(fileName, rate); };
}

}  // namespace moravel
