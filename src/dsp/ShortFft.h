// A small complex radix-2 transform for the noise reduction's short frames
// (up to kMaxPoints points), with its twiddle table kept inside the object.
// Not the engine's transform: its arithmetic need not match any earlier
// output, so it runs in plain single precision.
//
// All zero is the fresh state (the engine's memset); Prepare builds the
// table for a size. No allocation.
#pragma once

#include <cstdint>

namespace moravel {

class ShortFft {
public:
    static constexpr std::int32_t kMaxPoints = 1024;

    /// Makes the table for `points` (a power of two, 2..kMaxPoints); a no-op
    /// when it is already made for that size.
    void Prepare(std::int32_t points);
    std::int32_t Points() const { return points_; }

    /// In place, re[0..points−1] and im[0..points−1]: X(k) = Σ x(n)·e^(∓2πikn/N),
    /// the minus sign forward; the inverse is not divided by N.
    void Transform(float* re, float* im, bool inverse) const;

private:
    std::int32_t points_;
    float cos_[kMaxPoints / 2];
    float sin_[kMaxPoints / 2];
};

}  // namespace moravel
