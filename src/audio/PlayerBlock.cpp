#include "audio/PlayerBlock.h"

#include "audio/ByteOrder.h"

#include <algorithm>
#include <stdexcept>

namespace moravel {

PlayerBlockReader::PlayerBlockReader() : scratch_(2 * kMaxBlockBytes) {}

// A stereo 16-bit frame must be at least one sample wide for its left
// sample to be taken; mono 16-bit is read as bytes whatever the alignment
// (the recorder writes it with an alignment of 1).
bool PlayerBlockReader::CanPlay(const WaveFormatEx& format) {
    const bool tag = format.wFormatTag == kWaveFormatPcm || format.wFormatTag == kWaveFormatExtensible;
    const bool channels = format.nChannels == 1 || format.nChannels == 2;
    const bool bits = format.wBitsPerSample == 8 || format.wBitsPerSample == 16;
    const bool stereo16 = format.nChannels == 2 && format.wBitsPerSample == 16;
    const bool frame = format.nBlockAlign >= (stereo16 ? 2 : 1);
    return tag && channels && bits && frame;
}

std::int32_t PlayerBlockReader::ReadBlock(WaveStream& stream, std::int16_t* dest, std::int32_t size) {
    if (size < 0 || size > kMaxBlockBytes) throw std::invalid_argument("player block size out of range");
    const std::int64_t position = stream.Position();
    if (position % 2 != 0) stream.SetPosition(position + 1);
    const WaveFormatEx& format = stream.Format();
    if (!CanPlay(format)) return 0;
    blockAlign_ = format.nBlockAlign;
    const std::int32_t n = size / 2;
    if (format.wBitsPerSample == 8) return readFirstBytes(stream, dest, n);
    if (format.nChannels == 2) return readStereo16(stream, dest, n);
    return readMono16(stream, dest, size);
}

// Never more frames than the scratch buffer holds, whatever the file claims
// its frame size to be.
std::int32_t PlayerBlockReader::readFrames(WaveStream& stream, std::int32_t frames) {
    const auto fit = static_cast<std::int32_t>(scratch_.size()) / blockAlign_;
    return stream.Read(scratch_.data(), std::min(frames, fit));
}

std::int32_t PlayerBlockReader::readStereo16(WaveStream& stream, std::int16_t* dest, std::int32_t n) {
    const std::int32_t got = readFrames(stream, n);
    for (std::int32_t k = 0; k < got; ++k)
        dest[k] = LoadLeSample16(&scratch_[static_cast<std::size_t>(k) * blockAlign_]);
    return got;
}

// 8-bit samples become (128 - u) * 100: inverted against the usual
// unsigned-to-signed mapping and scaled by 100, which is how this program
// has always played them. Only the first channel is taken.
std::int32_t PlayerBlockReader::readFirstBytes(WaveStream& stream, std::int16_t* dest, std::int32_t n) {
    const std::int32_t got = readFrames(stream, n);
    for (std::int32_t k = 0; k < got; ++k) {
        const int u = scratch_[static_cast<std::size_t>(k) * blockAlign_];
        dest[k] = static_cast<std::int16_t>((128 - u) * 100);
    }
    return got;
}

// Mono 16-bit reads `size` bytes' worth of frames, so that a file with an
// alignment of 1 (frames are bytes) and one with 2 fill the block alike.
std::int32_t PlayerBlockReader::readMono16(WaveStream& stream, std::int16_t* dest, std::int32_t size) {
    const std::int32_t got = readFrames(stream, size / blockAlign_);
    const std::int32_t samples = std::min(got * blockAlign_, size) / 2;
    for (std::int32_t k = 0; k < samples; ++k) dest[k] = LoadLeSample16(&scratch_[static_cast<std::size_t>(k) * 2]);
    return samples;
}

}  // namespace moravel
