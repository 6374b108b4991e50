#include "audio/transmission/SampleHistory.h"

#include <algorithm>

namespace moravel {

void SampleHistory::Push(const std::int16_t* samples, std::int32_t count) {
    const auto size = static_cast<std::int64_t>(ring_.size());
    for (std::int32_t i = 0; i < count; ++i) ring_[static_cast<std::size_t>((end_ + i) % size)] = samples[i];
    end_ += count;
}

std::int64_t SampleHistory::Begin() const { return std::max<std::int64_t>(0, end_ - static_cast<std::int64_t>(ring_.size())); }

void SampleHistory::CopySince(std::int64_t from, std::vector<std::int16_t>& out) const {
    const auto size = static_cast<std::int64_t>(ring_.size());
    out.clear();
    for (std::int64_t n = std::max(from, Begin()); n < end_; ++n) out.push_back(ring_[static_cast<std::size_t>(n % size)]);
}

}  // namespace moravel
