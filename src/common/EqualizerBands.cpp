#include "common/EqualizerBands.h"

#include "common/NumberFormat.h"

#include <cmath>

namespace moravel {

float EqualizerBandGain(std::int32_t position) { return static_cast<float>((kEqualizerMaximum - position) / 5.0L); }

std::array<float, kEqualizerBands> EqualizerGains(const std::array<std::int32_t, kEqualizerBands>& positions) {
    std::array<float, kEqualizerBands> gains{};
    for (std::size_t k = 0; k < gains.size(); ++k) gains[k] = EqualizerBandGain(positions[k]);
    return gains;
}

std::string EqualizerPercentLabel(std::int32_t position, const std::string& thousands) {
    return FormatNumber((kEqualizerMaximum - position) / 5.0L * 100, 3, 0, thousands) + " %";
}

std::string EqualizerBandLabel(std::int32_t band, std::int32_t halfBlock, std::int32_t inputRate,
                               std::int32_t blockSamples, const std::string& thousands) {
    if (blockSamples == 0) return "0";
    const std::int32_t a = halfBlock / 7;
    const auto f = static_cast<std::int64_t>(std::nearbyint(a * (band + 0.5L) * inputRate / blockSamples));
    // Shown rounded down to a multiple of 100 Hz.
    return FormatNumber(static_cast<long double>(f / 100 * 100), 1, 0, thousands);
}

}  // namespace moravel
