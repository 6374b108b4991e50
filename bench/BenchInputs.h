// What the benchmarks feed the chain: a realistic receiver signal and a
// chain with every stage switched on.
#pragma once

#include "dsp/ChainSettings.h"
#include "common/FilterPresets.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

namespace moravel::bench {

/// A 1 kHz tone at about −15 dBFS plus white noise about 12 dB below it,
/// so that every stage has real work (the AGC moves, the noise blanker and
/// the expander find weak bins, the compressor strong ones).
inline std::vector<std::int16_t> ToneAndNoise(std::size_t samples, std::int32_t rate) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> noise(-1500.0, 1500.0);
    std::vector<std::int16_t> signal(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        const double tone = 6000.0 * std::sin(2 * std::numbers::pi * 1000.0 * static_cast<double>(i) / rate);
        signal[i] = static_cast<std::int16_t>(std::lround(tone + noise(random)));
    }
    return signal;
}

/// AGC, noise blanker, compressor, expander, band-pass filter, shift and
/// equalizer all on, at typical positions.
inline ChainSettings EveryStageOn() {
    ChainSettings s;
    s.dynamics.agcOn = true;
    s.dynamics.agcLevel = 10000;
    s.dynamics.agcDecay = 40;
    s.dynamics.noiseBlankerOn = true;
    s.dynamics.noiseBlankerLevel = 10;
    s.dynamics.compressorOn = true;
    s.dynamics.compressorThreshold = 0;
    s.dynamics.compressorGain = -5;
    s.dynamics.expanderOn = true;
    s.filterOn = true;
    s.filterType = kBandPass;
    s.filterCenter = 1000;
    s.filterWidth = 500;
    s.shiftOn = true;
    s.shiftPosition = 25;
    s.shiftRange = 0;
    s.equalizerOn = true;
    s.equalizer = {-2, -1, 0, 1, 2, 3, 4};
    s.decay = 10;
    return s;
}

}  // namespace moravel::bench
