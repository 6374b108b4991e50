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
      compressor_({parts.compress.sheet, parts.compress.sb_compressor_on, parts.compress.TrackCompressorThreshold,
                   controls::kTrackCompressorThreshold, parts.compress.TrackCompressorGain,
                   controls::kTrackCompressorGain, parts.compress.SpeedButton1},
                  context_),
      expander_({parts.expand.sheet, parts.expand.sb_expander_on, parts.expand.TrackExpanderThreshold,
                 controls::kTrackExpanderThreshold, parts.expand.TrackExpanderGain, controls::kTrackExpanderGain,
                 parts.expand.SpeedButton2},
                context_),
      equalizer_(parts.equalizer, std::move(parts.inputRate), context_) {}

}  // namespace moravel
