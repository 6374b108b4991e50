// Arithmetic of the seven equalizer sliders (positions −5..5, minimum at the
// top): band gains, the percent labels under the sliders and the band centre
// labels.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace moravel {

constexpr std::int32_t kEqualizerBands = 7;
constexpr std::int32_t kEqualizerMaximum = 5;

/// Gain of one band: (5 − position) / 5 as single; 2.0 at −5, 1.0 at 0, 0 at 5.
float EqualizerBandGain(std::int32_t position);

/// The seven gains for SetEqualizerCurve.
std::array<float, kEqualizerBands> EqualizerGains(const std::array<std::int32_t, kEqualizerBands>& positions);

/// The percent label: (5 − position) / 5 × 100 formatted "%3.0n %", e.g. "200 %".
std::string EqualizerPercentLabel(std::int32_t position, const std::string& thousands = ",");

/// The centre label of band k (0..6): f := Round(a·(k + 0.5)·inputRate / blockSamples)
/// with a = halfBlock div 7, shown as Trunc(f / 100) × 100 formatted "%1.0n",
/// e.g. "1,500". inputRate is the wave input's rate (output rate − 50).
std::string EqualizerBandLabel(std::int32_t band, std::int32_t halfBlock, std::int32_t inputRate,
                               std::int32_t blockSamples, const std::string& thousands = ",");

}  // namespace moravel
