// The spectrum's peak frequency over a whole transmission: the display
// spectra of its blocks are summed point by point, and the point with the
// largest sum wins, so a steady carrier or the voice's strongest band is
// found rather than one block's chance peak.
#pragma once

#include <cstdint>
#include <vector>

namespace moravel {

/// One block's display spectrum: `count` points, point p at p·hzPerPoint.
struct BlockSpectrum {
    const float* points = nullptr;
    std::int32_t count = 0;
    double hzPerPoint = 0;
};

class PeakFrequencyTally {
public:
    void Add(const BlockSpectrum& spectrum);
    /// Hz of the largest summed point (0 before any block, or all zero).
    double PeakHz() const;
    void Clear();

private:
    std::vector<double> sums_;
    double hzPerPoint_ = 0;
};

}  // namespace moravel
