#include "dsp/ShortFft.h"

#include <bit>
#include <cmath>
#include <numbers>
#include <utility>

namespace moravel {
namespace {

std::uint32_t ReverseBits(std::uint32_t value, int bits) {
    std::uint32_t reversed = 0;
    for (int b = 0; b < bits; ++b, value >>= 1) reversed = (reversed << 1) | (value & 1);
    return reversed;
}

}  // namespace

void ShortFft::Prepare(std::int32_t points) {
    if (points == points_) return;
    points_ = points;
    for (std::int32_t k = 0; k < points / 2; ++k) {
        const double angle = 2 * std::numbers::pi * k / points;
        cos_[k] = static_cast<float>(std::cos(angle));
        sin_[k] = static_cast<float>(std::sin(angle));
    }
}

void ShortFft::Transform(float* re, float* im, bool inverse) const {
    const std::int32_t n = points_;
    const int bits = std::countr_zero(static_cast<std::uint32_t>(n));
    for (std::int32_t i = 0; i < n; ++i) {
        const auto j = static_cast<std::int32_t>(ReverseBits(static_cast<std::uint32_t>(i), bits));
        if (i < j) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
    }
    const float sign = inverse ? 1.0f : -1.0f;
    for (std::int32_t half = 1; half < n; half *= 2) {
        const std::int32_t step = n / (2 * half);
        for (std::int32_t start = 0; start < n; start += 2 * half) {
            for (std::int32_t k = 0; k < half; ++k) {
                const float wr = cos_[k * step];
                const float wi = sign * sin_[k * step];
                const std::int32_t a = start + k;
                const std::int32_t b = a + half;
                const float tr = re[b] * wr - im[b] * wi;
                const float ti = re[b] * wi + im[b] * wr;
                re[b] = re[a] - tr;
                im[b] = im[a] - ti;
                re[a] += tr;
                im[a] += ti;
            }
        }
    }
}

}  // namespace moravel
