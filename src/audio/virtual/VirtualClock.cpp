#include "audio/virtual/VirtualClock.h"

#include <algorithm>

namespace moravel::vcard {

VirtualClock::VirtualClock(ClockMode mode) : mode_(mode), epoch_(std::chrono::steady_clock::now()) {}

std::chrono::nanoseconds VirtualClock::Now() const {
    if (mode_ == ClockMode::Stepping) return std::chrono::nanoseconds(stepped_.load());
    return std::chrono::steady_clock::now() - epoch_;
}

void VirtualClock::Set(std::chrono::nanoseconds t) { stepped_.store(std::max(stepped_.load(), t.count())); }

}  // namespace moravel::vcard
