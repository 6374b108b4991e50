// The switches and controls of the three cleanup stages (impulse blanker,
// noise reduction, automatic and manual notches), each off by default, as
// the chain's cycle reads them for a block. Ranges: ControlTable.h.
#pragma once

#include "common/ControlTable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace moravel {

struct CleanupSettings {
    bool impulseBlankerOn = false;
    std::int32_t impulseThreshold = controls::kTrackImpulseBlanker.position;
    bool noiseReductionOn = false;
    std::int32_t noiseReductionDb = controls::kTrackNoiseReduction.position;
    bool autoNotchOn = false;
    std::array<std::int32_t, controls::kMaxManualNotches> notchHz{};  // the first notchCount are used
    std::int32_t notchCount = 0;

    std::span<const std::int32_t> ManualNotches() const {
        return {notchHz.data(), static_cast<std::size_t>(std::clamp(notchCount, 0, controls::kMaxManualNotches))};
    }
    bool AnyNotch() const { return autoNotchOn || notchCount > 0; }
};

/// The settings recommended for speech (moravel-process --clean-speech): the
/// three stages on, the manual notches as in `base`.
inline CleanupSettings CleanSpeech(CleanupSettings base) {
    base.impulseBlankerOn = true;
    base.impulseThreshold = 6;
    base.noiseReductionOn = true;
    base.noiseReductionDb = 30;
    base.autoNotchOn = true;
    return base;
}

}  // namespace moravel
