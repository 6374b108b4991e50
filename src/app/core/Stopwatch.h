// The stopwatch behind the Debug page's timing read-outs: five slots, each
// started and read on its own, on the steady clock.
//
// Slots: 1 buffer cycle, 2 process time, 3 plot time, 4 copy time,
// 5 time available between cycles. Not thread-safe (GUI thread only).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

namespace moravel {

class Stopwatch {
public:
    /// Reads a monotonic count of nanoseconds.
    using Counter = std::function<std::int64_t()>;

    /// Counts on the steady clock.
    Stopwatch() = default;
    /// Counts on `counter` (nanoseconds): tests run the stopwatch on the
    /// virtual soundcard's card time.
    explicit Stopwatch(Counter counter) : counter_(std::move(counter)) {}

    /// Stores the current count in slot 1..5 (std::range_error otherwise).
    void Start(int slot);
    /// Seconds since the slot was started; a slot never started measures
    /// from count zero. Keeps the count it read as the slot's last reading.
    long double Elapsed(int slot);

private:
    static std::size_t index(int slot);
    std::int64_t now() const;

    Counter counter_;
    std::array<std::int64_t, 5> start_{};
    std::array<std::int64_t, 5> lastRead_{};
    std::int64_t frequency_ = 0;
};

}  // namespace moravel
