#include "audio/virtual/CardState.h"

#include "audio/virtual/ReceiverSignal.h"

namespace moravel::vcard {

namespace {

SourceFactory orReceiverSignal(SourceFactory source) {
    if (source) return source;
    return [](std::int32_t rate) { return std::make_unique<ReceiverSignal>(rate); };
}

}  // namespace

CardState::CardState(VirtualCardOptions options)
    : source(orReceiverSignal(std::move(options.source))),
      playbackFile(std::move(options.playbackFile)),
      clock(options.clock),
      played(options.keepPlayedSamples) {}

}  // namespace moravel::vcard
