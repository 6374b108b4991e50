// A capture source that plays a WAV file over and over, resampled to the
// capture rate by linear interpolation when the file's rate differs. The
// file is read as the player reads it (PlayerBlockReader): 1 or 2 channels
// of 8 or 16 bits, the first channel taken, 8-bit samples as (128 - u) x 100.
// The last sample of the file is followed by the first, without a gap.
//
// Plain C++; one object per capture session, used by one thread at a time.
#pragma once

#include "audio/virtual/LinearResampler.h"
#include "audio/PlayerBlock.h"
#include "audio/virtual/SampleSource.h"

#include <memory>
#include <string>
#include <vector>

namespace moravel {

class WavLoopSource final : public SampleSource {
public:
    /// Opens `fileName` for a capture at `rate` samples per second. Throws
    /// std::runtime_error naming the file and the reason: the stream's own
    /// message, a format the player cannot play, or a file without samples.
    WavLoopSource(const std::string& fileName, std::int32_t rate);

    void Fill(std::int16_t* dest, std::size_t count) override;

    /// The file's own rate, samples per second.
    std::int32_t FileRate() const { return fileRate_; }

    /// A source factory for the virtual card that checks the file at once
    /// (throwing as the constructor does) and opens it anew for every
    /// capture session.
    static SourceFactory Factory(const std::string& fileName);

private:
    std::int16_t nextFileSample();
    void readBlock();
    [[noreturn]] void fail(const std::string& reason) const;

    std::string fileName_;
    std::unique_ptr<FileWaveStream> stream_;
    PlayerBlockReader reader_;
    std::int32_t fileRate_ = 0;
    std::vector<std::int16_t> block_;
    std::size_t blockFill_ = 0;
    std::size_t blockPos_ = 0;
    vcard::LinearResampler resampler_;
};

}  // namespace moravel
