// Rate conversion by linear interpolation between neighbouring input
// samples. Output sample j lies at input position j x inRate / outRate; the
// position is kept as an exact fraction, so the two streams never drift
// apart and equal rates copy the input unchanged.
//
// Plain C++; one object per stream, used by one thread at a time.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace moravel::vcard {

class LinearResampler {
public:
    /// Both rates in samples per second, at least 1.
    LinearResampler(std::int32_t inRate, std::int32_t outRate) : inRate_(inRate), outRate_(outRate) {
        if (inRate < 1 || outRate < 1) throw std::invalid_argument("resampler rates must be at least 1");
    }

    /// The next output sample; `pull()` returns the next input sample and
    /// is called as often as the output position moves on.
    template <typename Pull>
    std::int16_t Next(Pull&& pull) {
        if (!primed_) {
            current_ = pull();
            next_ = pull();
            primed_ = true;
        }
        const double t = static_cast<double>(phase_) / outRate_;
        const auto out = static_cast<std::int16_t>(std::nearbyint(current_ + (next_ - current_) * t));
        for (phase_ += inRate_; phase_ >= outRate_; phase_ -= outRate_) {
            current_ = next_;
            next_ = pull();
        }
        return out;
    }

private:
    std::int64_t inRate_;
    std::int64_t outRate_;
    std::int64_t phase_ = 0;  // position past current_, in units of 1/outRate_ input samples
    double current_ = 0;
    double next_ = 0;
    bool primed_ = false;
};

}  // namespace moravel::vcard
