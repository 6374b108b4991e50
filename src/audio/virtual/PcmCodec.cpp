#include "audio/virtual/PcmCodec.h"

#include "audio/ByteOrder.h"

namespace moravel::vcard {

namespace {

void encodeSample(std::int16_t sample, std::int32_t bits, std::uint8_t* out) {
    if (bits == 8) {
        *out = static_cast<std::uint8_t>((sample >> 8) + 128);
    } else {
        StoreLe16(out, static_cast<std::uint16_t>(sample));
    }
}

std::int32_t decodeSample(const std::uint8_t* in, std::int32_t bits) {
    return bits == 8 ? (std::int32_t{*in} - 128) * 256 : LoadLeSample16(in);
}

}  // namespace

void EncodeFrames(const std::int16_t* mono, std::size_t frames, const PcmFormat& format, std::uint8_t* out) {
    const std::size_t sampleBytes = static_cast<std::size_t>(format.bitsPerSample / 8);
    for (std::size_t f = 0; f < frames; ++f) {
        for (std::int32_t c = 0; c < format.channels; ++c) {
            encodeSample(mono[f], format.bitsPerSample, out);
            out += sampleBytes;
        }
    }
}

void DecodeFrames(const std::uint8_t* bytes, std::size_t frames, const PcmFormat& format, std::int16_t* mono) {
    const std::size_t sampleBytes = static_cast<std::size_t>(format.bitsPerSample / 8);
    for (std::size_t f = 0; f < frames; ++f) {
        std::int32_t sum = 0;
        for (std::int32_t c = 0; c < format.channels; ++c) {
            sum += decodeSample(bytes, format.bitsPerSample);
            bytes += sampleBytes;
        }
        // Floor division, so that equal channels give back their value exactly.
        mono[f] = static_cast<std::int16_t>(sum >= 0 ? sum / format.channels
                                                     : -((-sum + format.channels - 1) / format.channels));
    }
}

}  // namespace moravel::vcard
