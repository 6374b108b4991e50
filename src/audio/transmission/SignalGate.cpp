#include "audio/transmission/SignalGate.h"

namespace moravel {

SignalGate::Event SignalGate::Step(bool above, std::int64_t start, std::int64_t end) {
    if (open_) {
        if (above) {
            lastAbove_ = end;
            return Event::kNone;
        }
        if (end - lastAbove_ < hang_) return Event::kNone;
        open_ = false;
        return Event::kClosed;
    }
    if (!above) {
        pending_ = false;
        return Event::kNone;
    }
    if (!pending_) {
        pending_ = true;
        onset_ = start;
    }
    if (end - onset_ < attack_) return Event::kNone;
    pending_ = false;
    open_ = true;
    lastAbove_ = end;
    return Event::kOpened;
}

}  // namespace moravel
