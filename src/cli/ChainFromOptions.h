// Turns the command line's stage options into the chain's control positions.
#pragma once

#include "dsp/ChainSettings.h"
#include "cli/ProcessOptions.h"

#include <cstdint>
#include <functional>
#include <string>

namespace moravel {

/// `base` (the settings file's chain, or the window's start values) with
/// every stage option of `options` applied over it, each switching its stage
/// on. Values outside a control's range are clamped like its track bar does,
/// and `warn` gets one message per clamped value. The filter centre is also
/// limited to sampleRate div 2 (Hz), the centre track bar's maximum.
ChainSettings ApplyStageOptions(const ProcessOptions& options, ChainSettings base, std::int32_t sampleRate,
                                const std::function<void(const std::string&)>& warn);

}  // namespace moravel
