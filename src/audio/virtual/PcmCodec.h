// Mono 16-bit samples to and from the device formats the virtual card
// accepts: 1 or 2 channels, 16-bit signed little-endian or 8-bit unsigned.
//
// Plain functions; any thread.
#pragma once

#include "audio/WaveDevice.h"

#include <cstddef>
#include <cstdint>

namespace moravel::vcard {

/// Writes `frames` frames of `format` to `out` (frames x blockAlign bytes):
/// each sample in every channel; 8-bit as the high byte offset by 128.
void EncodeFrames(const std::int16_t* mono, std::size_t frames, const PcmFormat& format, std::uint8_t* out);

/// Reads `frames` frames of `format` from `bytes` into `mono`: the mean of
/// the channels (rounded down); 8-bit as (u - 128) x 256.
void DecodeFrames(const std::uint8_t* bytes, std::size_t frames, const PcmFormat& format, std::int16_t* mono);

}  // namespace moravel::vcard
