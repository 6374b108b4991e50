#include "app/core/Stopwatch.h"

#include <chrono>
#include <stdexcept>
#include <string>

namespace moravel {

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t counterNow() { return Clock::now().time_since_epoch().count(); }

constexpr std::int64_t counterFrequency() { return Clock::period::den / Clock::period::num; }

}  // namespace

std::size_t Stopwatch::index(int slot) {
    if (slot < 1 || slot > 5) {
        throw std::range_error("Stopwatch slot " + std::to_string(slot) + " is out of range 1..5");
    }
    return static_cast<std::size_t>(slot - 1);
}

std::int64_t Stopwatch::now() const { return counter_ ? counter_() : counterNow(); }

void Stopwatch::Start(int slot) { start_[index(slot)] = now(); }

long double Stopwatch::Elapsed(int slot) {
    const std::size_t i = index(slot);
    lastRead_[i] = now();
    frequency_ = counter_ ? 1000000000 : counterFrequency();
    return static_cast<long double>(lastRead_[i] - start_[i]) / frequency_;
}

}  // namespace moravel
