// The player's time read-outs ("Time" and "Total") for a frame position.
#pragma once

#include "audio/waveio.h"

#include <cstdint>

namespace moravel {

/// Seconds of playing from frame 0 to frame `frame` (≥ 0) of a file in
/// `format` when its samples are taken at `inputRate` Hz (> 0; the wave
/// input's rate while playing, the file's rate − 50):
///     frame × block alignment ÷ (channels × bytes per sample × inputRate).
/// For this program's own recordings (16-bit mono, block alignment 1, a
/// frame is a byte) that is bytes ÷ 2 ÷ inputRate; for every other file it
/// is frames ÷ inputRate. The format must be playable (UnplayableReason "").
/// Any thread.
double PlaySeconds(std::int64_t frame, const WaveFormatEx& format, std::int32_t inputRate);

}  // namespace moravel
