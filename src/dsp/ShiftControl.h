// Arithmetic of the frequency-shift controls: the track bar position
// (controls::kTbFreqShift) and the range list's index
// (controls::kShiftRangeItems) give the shift in Spectrum bins and the label
// text.
#pragma once

#include <cstdint>
#include <string>

namespace moravel {

/// Bins per track-bar step ÷ 4 for range index 0..3: 1, 3, 10, 20. An index
/// outside 0..3 (a combo with no selection) multiplies by 1.
float ShiftRangeMultiplier(std::int32_t rangeIndex);

/// The shift in bins: Round(position × 4 × multiplier), ties to even.
std::int32_t ShiftBins(std::int32_t position, std::int32_t rangeIndex);

/// The label: position × 4 × multiplier × 2 formatted "%3.0n Hz", e.g.
/// "1,000 Hz", "-160 Hz", "  0 Hz". `thousands` is the user's separator.
std::string ShiftLabel(std::int32_t position, std::int32_t rangeIndex, const std::string& thousands = ",");

}  // namespace moravel
