#include "app/window/ProcessingControls.h"

#include "app/window/pages/CompressPage.h"
#include "app/window/pages/ExpandPage.h"

#include <utility>

namespace moravel {

ProcessingControls::ProcessingControls(Parts parts)
    : context_{parts.engine, receiver_, std::move(parts.reportError), parts.tabs},
      filter_(parts.filter, parts.spectrum, context_),
      shift_(parts.shift, context_),
      agc_(parts.audio, context_),
      compressor_({parts.compress.sheet, parts.compress.compressorSwitch, parts.compress.compressorThresholdSlider,
                   controls::kTrackCompressorThreshold, parts.compress.compressorGainSlider,
                   controls::kTrackCompressorGain, parts.compress.compressorDefaultsButton},
                  context_),
      expander_({parts.expand.sheet, parts.expand.expanderSwitch, parts.expand.expanderThresholdSlider,
                 controls::kTrackExpanderThreshold, parts.expand.expanderGainSlider, controls::kTrackExpanderGain,
                 parts.expand.expanderDefaultsButton},
                context_),
      equalizer_(parts.equalizer, std::move(parts.inputRate), context_) {}

}  // namespace moravel
