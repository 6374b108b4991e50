#include "views/core/PlotMath.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace moravel {

namespace {

constexpr std::int32_t kWindowWidths[3][4] = {
    {2000, 4000, 4000, 4000},
    {1000, 3000, 3000, 3000},
    {1000, 1000, 1000, 1000},
};

// Nearest integer, ties to even, saturated to 64 bits (a display value of a
// damaged spectrum may be enormous or not a number).
std::int64_t roundSaturated(long double value) {
    if (std::isnan(value)) return 0;
    constexpr long double kLimit = 9.2e18L;
    return static_cast<std::int64_t>(std::rint(std::clamp(value, -kLimit, kLimit)));
}

}  // namespace

std::int32_t SpectrumWindowWidth(std::int32_t resolutionIndex, std::int32_t audioRangeIndex) {
    const std::int32_t r = resolutionIndex >= 0 && resolutionIndex <= 2 ? resolutionIndex : 1;
    const std::int32_t a = audioRangeIndex >= 0 && audioRangeIndex <= 3 ? audioRangeIndex : 0;
    return kWindowWidths[r][a];
}

std::vector<BandPoint> FilterBandPoints(std::int32_t type, std::int32_t center, std::int32_t halfWidth,
                                        std::int32_t right, double top) {
    const double c = center;
    const double h = halfWidth;
    switch (type) {
        case 0:
            return {{0, top}, {c, top}};
        case 1:
            return {{c - h, top}, {c + h, top}};
        case 2:
            return {{c, top}, {double(right), top}};
        case 3:
            return {{0, top}, {c - h, top}, {c - h + 1, 0}, {c + h - 1, 0}, {c + h, top}, {double(right), top}};
        default:
            return {};
    }
}

std::int32_t SpectrogramColourIndex(float value, std::int32_t offset, std::int32_t gainPosition,
                                     std::int32_t gainMaximum) {
    const std::int64_t range = std::int64_t{gainMaximum} - gainPosition + 1;
    if (range <= 0) return gainMaximum;
    const std::int64_t v = std::clamp<std::int64_t>(offset + roundSaturated(value), 0, range);
    return static_cast<std::int32_t>(
        std::rint(static_cast<long double>(v) / static_cast<long double>(range) * gainMaximum));
}

std::int64_t AutoScrollPosition(std::int64_t column, std::int32_t plotWidth, std::int32_t timePixelsPer1000) {
    const long double pixelsPerSecond = (static_cast<long double>(timePixelsPer1000) + 1) / 1000;
    return roundSaturated(static_cast<long double>(column - plotWidth) / pixelsPerSecond);
}

std::string MinutesSeconds(std::int64_t seconds) {
    const bool negative = seconds < 0;
    const std::int64_t s = negative ? -seconds : seconds;
    char text[16];
    std::snprintf(text, sizeof text, "%s%02d:%02d", negative ? "-" : "", static_cast<int>(s / 60 % 60),
                  static_cast<int>(s % 60));
    return text;
}

std::int32_t CentredScrollPosition(double valueHz, double spanHz, std::int32_t scrollMaximum) {
    const std::int64_t span = roundSaturated(spanHz);
    std::int64_t v = roundSaturated(static_cast<long double>(valueHz) - static_cast<long double>(span) / 2);
    if (v > scrollMaximum) v = scrollMaximum - span / 2;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace moravel
