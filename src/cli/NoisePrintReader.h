// --noise-profile: the noise print learnt from a stretch of the input file,
// before the file is processed, so that the whole file (its start too) is
// reduced with it.
#pragma once

#include "dsp/ChainSettings.h"
#include "cli/ProcessOptions.h"
#include "audio/waveio.h"

#include <vector>

namespace moravel {

/// Runs `input` (positioned at its first sample) through the front of the
/// chain as `settings` set it (impulse blanker and AGC, so the print is of
/// the noise as the noise reduction sees it) and returns the mean bin powers
/// of the noise reduction's frames over the blocks that lie within
/// profile.start..profile.end seconds. Throws std::runtime_error when that
/// stretch holds no whole block.
std::vector<float> ReadNoisePrint(WaveStream& input, const ChainSettings& settings, const NoiseProfileOption& profile);

}  // namespace moravel
