#include "audio/transmission/PeakFrequencyTally.h"

#include <algorithm>

namespace moravel {

void PeakFrequencyTally::Add(const BlockSpectrum& spectrum) {
    if (spectrum.count <= 0 || spectrum.points == nullptr) return;
    if (sums_.size() < static_cast<std::size_t>(spectrum.count)) sums_.resize(static_cast<std::size_t>(spectrum.count));
    for (std::int32_t p = 0; p < spectrum.count; ++p) sums_[static_cast<std::size_t>(p)] += spectrum.points[p];
    hzPerPoint_ = spectrum.hzPerPoint;
}

double PeakFrequencyTally::PeakHz() const {
    const auto peak = std::max_element(sums_.begin(), sums_.end());
    if (peak == sums_.end() || *peak <= 0) return 0;
    return static_cast<double>(peak - sums_.begin()) * hzPerPoint_;
}

void PeakFrequencyTally::Clear() {
    sums_.clear();
    hzPerPoint_ = 0;
}

}  // namespace moravel
