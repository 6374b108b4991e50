// The arithmetic of the spectrum plot and the spectrogram that does not need
// a chart: the visible frequency window, the filter band's points, the
// spectrogram's colour index and auto-scroll position, the time labels and
// the double click's target. Plain C++; any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace moravel {

/// Width in Hz of the spectrum plot's window for resolution 0..2 ("Low",
/// "Medium", "High") and audio range 0..3; indices outside give "Medium" /
/// the first range.
std::int32_t SpectrumWindowWidth(std::int32_t resolutionIndex, std::int32_t audioRangeIndex);

struct BandPoint {
    double x;  // Hz
    double y;  // on the right axis
    bool operator==(const BandPoint&) const = default;
};

/// The filter band's outline for filter type 0..3 (low pass, band pass, high
/// pass, stop band), in ascending x, with `top` as the band's height and
/// `right` (the plot's highest frequency) as its right end where it has none.
/// An unknown type gives no points.
std::vector<BandPoint> FilterBandPoints(std::int32_t type, std::int32_t center, std::int32_t halfWidth,
                                        std::int32_t right, double top = 200);

/// The palette index of one spectrogram pixel: v := offset + round(value),
/// limited to 0..range with range := gainMaximum − gainPosition + 1, then
/// round(v / range × gainMaximum). Ties to even.
std::int32_t SpectrogramColourIndex(float value, std::int32_t offset, std::int32_t gainPosition,
                                    std::int32_t gainMaximum);

/// The time scroll position that puts column `column` at the plot's right
/// edge: round((column − plotWidth) / ((timePixelsPer1000 + 1) / 1000)).
std::int64_t AutoScrollPosition(std::int64_t column, std::int32_t plotWidth, std::int32_t timePixelsPer1000);

/// `seconds` as minutes and seconds of the hour, two digits each ("nn:ss"):
/// 75 → "01:15", 3675 → "01:15". Negative values get a leading '-'.
std::string MinutesSeconds(std::int64_t seconds);

/// Where a double click at `valueHz` moves the spectrum window of `spanHz`
/// so that the value sits in its middle; near the top of the range the
/// window is centred on `scrollMaximum` instead.
std::int32_t CentredScrollPosition(double valueHz, double spanHz, std::int32_t scrollMaximum);

}  // namespace moravel
