// Guards the chain's output bits: a fixed, integer-generated input through
// several stage combinations at every audio range must keep hashing to the
// recorded digest. Any change of arithmetic (an optimisation, a compiler
// flag such as fused multiply-add) shows here first; a deliberate change of
// behaviour records a new digest.
#include "common/AudioRange.h"
#include "dsp/BlockChain.h"
#include "dsp/ChainSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace moravel {
namespace {

struct Fnv1a {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    void add(const void* data, std::size_t bytes) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < bytes; ++i) hash = (hash ^ p[i]) * 0x100000001b3ULL;
    }
};

// Noise from a linear congruential generator plus a triangle wave whose
// period changes from block to block, all in integers.
std::vector<std::int16_t> testBlock(int n, int block, std::uint32_t& seed) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(n));
    const int period = 20 + block * 3;
    const int amplitude = block % 5 == 2 ? 30000 : 6000;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int phase = (i + block * n) % period;
        const int triangle = (phase < period / 2 ? phase : period - phase) * 4 * amplitude / period - amplitude;
        const int noise = static_cast<int>(seed >> 21) - 1024;
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::clamp(triangle + noise, -32768, 32767));
    }
    return samples;
}

ChainSettings settingsFor(int variant) {
    ChainSettings s;
    s.dynamics.agcOn = variant != 1;
    s.dynamics.agcLevel = 2000 + variant * 5000;
    s.dynamics.agcDecay = 2 + variant * 50;
    s.dynamics.noiseBlankerOn = variant % 2 == 0;
    s.dynamics.noiseBlankerLevel = 1 + variant * 3;
    s.dynamics.compressorOn = variant < 3;
    s.dynamics.compressorThreshold = variant * 10 - 25;
    s.dynamics.compressorGain = variant - 5;
    s.dynamics.expanderOn = variant >= 2;
    s.dynamics.expanderThreshold = -variant * 5;
    s.dynamics.expanderGain = variant * 2 - 5;
    s.filterOn = true;
    s.filterType = variant % 4;
    s.filterCenter = 300 + variant * 400;
    s.filterWidth = 20 + variant * 300;
    s.shiftOn = variant != 3;
    s.shiftPosition = variant * 7 - 20;
    s.shiftRange = variant % 4;
    s.equalizerOn = true;
    s.equalizer = {-5, -3, 0, 2, 5, 1, -1};
    s.resolutionIndex = variant % 3;
    s.decay = variant * 4;
    return s;
}

TEST(ChainGolden, OutputBitsAreUnchanged) {
    Fnv1a digest;
    for (int variant = 0; variant < 5; ++variant) {
        for (const AudioRange& range : kAudioRanges) {
            auto engine = std::make_unique<Engine>();
            const ChainSettings settings = settingsFor(variant);
            ConfigureChain(*engine, settings, range.outputRate, range.bufferBytes);
            const StageSwitches stages = SwitchesFor(settings);
            const int n = range.bufferBytes / 2;
            std::uint32_t seed = static_cast<std::uint32_t>(variant * 7919 + n);
            for (int block = 0; block < 12; ++block) {
                if (block == 5) engine->NormalizeRequest = true;
                if (block == 9) engine->NormalizeReset = true;
                const auto samples = testBlock(n, block, seed);
                const std::int32_t peak = ProcessBlock(*engine, stages, samples.data(), range.bufferBytes);
                digest.add(engine->OutputBlock, static_cast<std::size_t>(n) * 2);
                digest.add(engine->DisplaySpectrum, static_cast<std::size_t>(engine->DisplayCount + 1) * 4);
                digest.add(&peak, sizeof peak);
                digest.add(&engine->PeakValue, sizeof engine->PeakValue);
                digest.add(&engine->PeakFrequency, sizeof engine->PeakFrequency);
                digest.add(&engine->AgcGain, sizeof engine->AgcGain);
            }
        }
    }
    EXPECT_EQ(digest.hash, 0x6665bbaa62d2f30eULL) << std::hex << "digest 0x" << digest.hash;
}

}  // namespace
}  // namespace moravel
