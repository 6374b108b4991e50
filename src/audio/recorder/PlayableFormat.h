// Which WAV files the player accepts. A format the block reader cannot
// decode (float, A-law, 24-bit, more than two channels, …) would play
// silence forever and never reach its end, and a rate at or below the
// capture offset leaves no rate for the wave input; such files are refused
// when Play is pressed, with a message that says what the file holds.
#pragma once

#include "audio/waveio.h"

#include <string>

namespace moravel {

/// Thrown by WavePlayer for a file it refuses; a WaveStreamError, so the
/// window shows it like the stream's own messages.
class UnplayableFormatError : public WaveStreamError {
public:
    using WaveStreamError::WaveStreamError;
};

/// The format in words: its tag's name (or "format tag N"), bits, channels,
/// block alignment and rate, e.g. "IEEE float, 32 bits, 1 channel, block
/// alignment 4, 8000 Hz". Any thread.
std::string DescribeWaveFormat(const WaveFormatEx& format);

/// "" when the player can play `format`: PCM (or extensible) with 1 or 2
/// channels of 8 or 16 bits (PlayerBlockReader::CanPlay) at more than 50 Hz.
/// Otherwise the message for the user, naming the format. Any thread.
std::string UnplayableReason(const WaveFormatEx& format);

}  // namespace moravel
