#include "audio/recorder/PlayableFormat.h"

#include "common/AudioRange.h"
#include "audio/PlayerBlock.h"

#include <cstdint>
#include <limits>

namespace moravel {

namespace {

std::string tagName(std::uint16_t tag) {
    switch (tag) {
        case kWaveFormatPcm:
            return "PCM";
        case 2:
            return "ADPCM";
        case 3:
            return "IEEE float";
        case 6:
            return "A-law";
        case 7:
            return "mu-law";
        case 0x11:
            return "IMA ADPCM";
        case kWaveFormatExtensible:
            return "extensible";
        default:
            return "format tag " + std::to_string(tag);
    }
}

std::string counted(unsigned count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

bool rateUsable(std::uint32_t rate) {
    return rate > static_cast<std::uint32_t>(kCaptureRateOffset) &&
           rate <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
}

}  // namespace

std::string DescribeWaveFormat(const WaveFormatEx& format) {
    return tagName(format.wFormatTag) + ", " + counted(format.wBitsPerSample, "bit", "bits") + ", " +
           counted(format.nChannels, "channel", "channels") + ", block alignment " +
           std::to_string(format.nBlockAlign) + ", " + std::to_string(format.nSamplesPerSec) + " Hz";
}

std::string UnplayableReason(const WaveFormatEx& format) {
    if (PlayerBlockReader::CanPlay(format) && rateUsable(format.nSamplesPerSec)) return "";
    return "This audio file cannot be played: it holds " + DescribeWaveFormat(format) +
           ". The player plays PCM files of 1 or 2 channels with 8 or 16 bits per sample at more than " +
           std::to_string(kCaptureRateOffset) + " Hz.";
}

}  // namespace moravel
