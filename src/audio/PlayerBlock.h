// The player's per-block read: takes one block of mono 16-bit samples for
// the processing chain from a WAV stream of whatever playable format.
#pragma once

#include "audio/waveio.h"

#include <cstdint>
#include <vector>

namespace moravel {

class PlayerBlockReader {
public:
    /// The largest block the audio ranges use, in bytes.
    static constexpr std::int32_t kMaxBlockBytes = 8192;

    /// Allocates the scratch buffer once (twice the largest block: a stereo
    /// 16-bit block needs four bytes per output sample).
    PlayerBlockReader();

    /// 1 or 2 channels of 8 or 16 bits, PCM or extensible.
    static bool CanPlay(const WaveFormatEx& format);

    /// Fills `dest` (size bytes, size div 2 samples, already zeroed) from the
    /// stream's current position and returns how many samples came from the
    /// file; the rest of `dest` is left untouched, i.e. silent. An odd
    /// position first moves to the next even frame, so that files whose
    /// frames are single bytes stay on sample boundaries. Unplayable formats
    /// read nothing. Throws std::invalid_argument for a size outside
    /// 0..kMaxBlockBytes, and whatever the stream throws.
    std::int32_t ReadBlock(WaveStream& stream, std::int16_t* dest, std::int32_t size);

private:
    std::int32_t readFrames(WaveStream& stream, std::int32_t frames);
    std::int32_t readStereo16(WaveStream& stream, std::int16_t* dest, std::int32_t n);
    std::int32_t readFirstBytes(WaveStream& stream, std::int16_t* dest, std::int32_t n);
    std::int32_t readMono16(WaveStream& stream, std::int16_t* dest, std::int32_t size);

    std::vector<std::uint8_t> scratch_;
    std::int32_t blockAlign_ = 1;
};

}  // namespace moravel
