// The 44-byte header of a linear PCM WAVE file in its canonical layout: the
// RIFF chunk header, "WAVE", a 16-byte "fmt " chunk (the format record
// without its extra-size field) and the data chunk header. Written by
// components that stream raw PCM to a file of their own; WaveStream writes
// the full 18-byte record instead. The record's fields are laid out by the
// same code in both (WaveHeader.cpp).
//
// Pure functions; any thread.
#pragma once

#include "audio/waveio.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace moravel {

constexpr std::size_t kPcmWaveHeaderBytes = 44;
using PcmWaveHeaderBytes = std::array<std::uint8_t, kPcmWaveHeaderBytes>;

/// A PCM format record: `channels` (1..65535), `rate` (samples per second),
/// `bits` per sample; the block alignment is channels × bits / 8 and the
/// byte rate rate × alignment, both as the record's 16- and 32-bit fields
/// hold them.
WaveFormatEx PcmWaveFormat(std::int32_t channels, std::int32_t rate, std::int32_t bits);

/// The header for `format` (its cbSize is not stored), with the RIFF and
/// data sizes 0, as a file still being written has them.
PcmWaveHeaderBytes PcmWaveHeader(const WaveFormatEx& format);

/// The most data bytes the header can describe: the RIFF size, dataBytes +
/// 36, must fit its 32 bits.
constexpr std::uint32_t kMaxPcmWaveDataBytes = 0xFFFFFFFFu - 36u;

/// Bytes that may still follow `dataBytes` data bytes (at most
/// kMaxPcmWaveDataBytes) before the header could no longer describe them.
constexpr std::uint32_t PcmWaveRoom(std::uint32_t dataBytes) {
    return dataBytes < kMaxPcmWaveDataBytes ? kMaxPcmWaveDataBytes - dataBytes : 0;
}

/// Puts the sizes of a finished file into `header`: the data chunk holds
/// `dataBytes` bytes (at most kMaxPcmWaveDataBytes), the RIFF chunk
/// dataBytes + 36. No pad byte is counted for an odd data size.
void SetPcmWaveSizes(PcmWaveHeaderBytes& header, std::uint32_t dataBytes);

}  // namespace moravel
