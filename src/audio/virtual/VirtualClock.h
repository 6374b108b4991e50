// The virtual card's clock: card time is nanoseconds since the card was
// made, running with the steady clock (real time) or moved only by a test
// (stepping). Both modes share the same deadlines, so a stepping test sees
// exactly the blocks a real-time run would produce.
//
// Threads: Now() from any thread; Set() from the component's thread.
#pragma once

#include <atomic>
#include <chrono>

namespace moravel {

enum class ClockMode {
    RealTime,  // worker threads sleep until each deadline
    Stepping,  // no threads; VirtualCard::Advance produces what came due
};

namespace vcard {

class VirtualClock {
public:
    explicit VirtualClock(ClockMode mode);

    ClockMode Mode() const { return mode_; }
    std::chrono::nanoseconds Now() const;
    /// The steady-clock instant at which card time `t` arrives (real time).
    std::chrono::steady_clock::time_point WallTime(std::chrono::nanoseconds t) const { return epoch_ + t; }
    /// Stepping: moves card time to `t`; it never goes back.
    void Set(std::chrono::nanoseconds t);

private:
    ClockMode mode_;
    std::chrono::steady_clock::time_point epoch_;
    std::atomic<std::chrono::nanoseconds::rep> stepped_{0};
};

}  // namespace vcard
}  // namespace moravel
