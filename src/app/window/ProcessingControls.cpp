#include "app/window/ProcessingControls.h"

#include <utility>

namespace moravel {

ProcessingControls::ProcessingControls(Parts parts)
    : context_{parts.engine, receiver_, std::move(parts.reportError), parts.tabs},
      filter_(parts.filter, parts.spectrum, context_),
      shift_(parts.shift, context_),
      agc_(parts.audio, context_),
      compressor_(parts.compress, context_),
      expander_(parts.expand, context_),
      equalizer_(parts.equalizer, std::move(parts.inputRate), context_) {}

}  // namespace moravel
