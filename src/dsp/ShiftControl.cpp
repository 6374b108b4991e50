#include "dsp/ShiftControl.h"

#include "common/NumberFormat.h"

#include <cmath>

namespace moravel {

float ShiftRangeMultiplier(std::int32_t rangeIndex) {
    switch (rangeIndex) {
        case 1:
            return 3;
        case 2:
            return 10;
        case 3:
            return 20;
        default:
            return 1;
    }
}

namespace {
// position × 4 × multiplier, stored as single at each step as the handler does.
float shiftInBins(std::int32_t position, std::int32_t rangeIndex) {
    const float p = static_cast<float>(position * 4);
    return p * ShiftRangeMultiplier(rangeIndex);
}
}  // namespace

std::int32_t ShiftBins(std::int32_t position, std::int32_t rangeIndex) {
    return static_cast<std::int32_t>(std::nearbyint(shiftInBins(position, rangeIndex)));
}

std::string ShiftLabel(std::int32_t position, std::int32_t rangeIndex, const std::string& thousands) {
    // The label counts 2 Hz per bin.
    return FormatNumber(static_cast<long double>(shiftInBins(position, rangeIndex)) * 2, 3, 0, thousands) + " Hz";
}

}  // namespace moravel
