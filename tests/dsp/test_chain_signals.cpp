// The whole chain (ConfigureChain + ProcessBlock) against hand-made signals.
// Tone levels are measured in the output with a Hann-weighted correlation
// over several blocks once the start-up blocks are past; the output is one
// block late and, with every stage off, at about half the input amplitude.

#include "common/AudioRange.h"
#include "dsp/BlockChain.h"
#include "dsp/ChainSettings.h"
#include "dsp/Engine.h"
#include "common/FilterPresets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <functional>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

namespace moravel {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRejected = 0.00316;               // −50 dB relative to the all-off level
using Signal = std::function<double(std::size_t)>;  // sample value at a global index

struct Rig {
    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    ChainSettings settings;
    std::int32_t rate = 8500;
    std::int32_t bytes = 2048;

    std::size_t N() const { return static_cast<std::size_t>(bytes / 2); }
    double SpectrumBinHz() const { return static_cast<double>(rate) / (4.0 * static_cast<double>(N())); }
    double DisplayPointHz() const { return static_cast<double>(engine->Resolution) * rate / static_cast<double>(N()); }

    // Configures the chain and feeds `blocks` blocks of `signal`; returns the
    // outputs of all blocks back to back.
    std::vector<std::int16_t> Run(int blocks, const Signal& signal) {
        ConfigureChain(*engine, settings, rate, bytes);
        const StageSwitches stages = SwitchesFor(settings);
        std::vector<std::int16_t> in(N());
        std::vector<std::int16_t> out;
        for (int b = 0; b < blocks; ++b) {
            for (std::size_t i = 0; i < N(); ++i) {
                const double v = std::nearbyint(signal(static_cast<std::size_t>(b) * N() + i));
                in[i] = static_cast<std::int16_t>(std::clamp(v, -32768.0, 32767.0));
            }
            ProcessBlock(*engine, stages, in.data(), bytes);
            out.insert(out.end(), engine->OutputBlock, engine->OutputBlock + N());
        }
        return out;
    }
};

Signal Tone(double amplitude, double hz, std::int32_t rate) {
    return [=](std::size_t n) { return amplitude * std::sin(2 * kPi * hz * static_cast<double>(n) / rate + 0.3); };
}

Signal Sum(Signal a, Signal b) {
    return [=](std::size_t n) { return a(n) + b(n); };
}

// Amplitude of the `hz` component of y[from..to), Hann-weighted.
double ToneAmplitude(const std::vector<std::int16_t>& y, std::size_t from, std::size_t to, double hz,
                     std::int32_t rate) {
    std::complex<double> sum = 0;
    double weights = 0;
    const double span = static_cast<double>(to - from);
    for (std::size_t n = from; n < to; ++n) {
        const double w = 0.5 - 0.5 * std::cos(2 * kPi * (static_cast<double>(n - from) + 0.5) / span);
        sum += w * y[n] * std::polar(1.0, -2 * kPi * hz * static_cast<double>(n) / rate);
        weights += w;
    }
    return 2 * std::abs(sum) / weights;
}

double ToneAmplitude(const std::vector<std::int16_t>& y, std::size_t from, double hz, std::int32_t rate) {
    return ToneAmplitude(y, from, y.size(), hz, rate);
}

// The frequency of the largest component within ±span Hz of `around`.
double PeakNear(const std::vector<std::int16_t>& y, std::size_t from, double around, double span, std::int32_t rate) {
    double best = around;
    double bestAmplitude = -1;
    for (double f = around - span; f <= around + span; f += 0.1) {
        const double a = ToneAmplitude(y, from, f, rate);
        if (a > bestAmplitude) {
            bestAmplitude = a;
            best = f;
        }
    }
    return best;
}

TEST(ChainSignals, EveryAudioRangePassesToneHalvedOneBlockLateAndReportsItsPeak) {
    for (const AudioRange& range : kAudioRanges) {
        SCOPED_TRACE(range.item);
        Rig rig;
        rig.rate = range.outputRate;
        rig.bytes = range.bufferBytes;
        const std::size_t n = rig.N();
        const double hz = 0.19 * rig.rate + 3.3;  // between bins, well inside the band
        const double amplitude = 12000;
        const Signal input = Tone(amplitude, hz, rig.rate);
        const auto y = rig.Run(10, input);

        // Output block b is half of input block b − 1; the small deviation comes
        // from the table-sine twiddles of the two transforms.
        double residual = 0;
        for (std::size_t i = 2 * n; i < y.size(); ++i) residual += std::pow(y[i] - 0.5 * input(i - n), 2);
        const double rms = std::sqrt(residual / static_cast<double>(y.size() - 2 * n));
        const double relativeRms = rms / (0.5 * amplitude / std::sqrt(2.0));
        EXPECT_LT(relativeRms, 0.04);
        EXPECT_NEAR(ToneAmplitude(y, 2 * n, hz, rig.rate) / (0.5 * amplitude), 1.0, 0.02);

        // The display peak is reported after six stable blocks, within one display point.
        const double pointHz = rig.DisplayPointHz();
        EXPECT_GE(rig.engine->PeakStableCount, 6);
        EXPECT_NE(rig.engine->PeakFrequency, 0.0f);
        EXPECT_LE(std::fabs(rig.engine->PeakFrequency - hz), pointHz);
    }
}

TEST(ChainSignals, FilterTypesKeepOneSideAndRejectTheOther) {
    struct Case {
        FilterKind type;
        std::vector<double> kept;
        std::vector<double> rejected;
    };
    // Centre 1000 Hz, width 400 Hz: the band spans about 800..1200 Hz.
    const std::vector<Case> cases = {
        {kLowPass, {800}, {1250}},
        {kBandPass, {1000}, {700, 1350}},
        {kHighPass, {1250}, {800}},
        {kStopBand, {700, 1350}, {1000}},
    };
    const double amplitude = 6000;
    for (const Case& c : cases) {
        SCOPED_TRACE(kFilterTypeNames[static_cast<std::size_t>(c.type)]);
        Rig rig;
        rig.settings.filterOn = true;
        rig.settings.filterType = c.type;
        rig.settings.filterCenter = 1000;
        rig.settings.filterWidth = 400;
        Signal input = [](std::size_t) { return 0.0; };
        for (const double hz : c.kept) input = Sum(input, Tone(amplitude, hz, rig.rate));
        for (const double hz : c.rejected) input = Sum(input, Tone(amplitude, hz, rig.rate));
        const auto y = rig.Run(10, input);
        for (const double hz : c.kept) {
            EXPECT_NEAR(ToneAmplitude(y, 2 * rig.N(), hz, rig.rate) / (0.5 * amplitude), 1.0, 0.05) << hz << " Hz";
        }
        for (const double hz : c.rejected) {
            EXPECT_LT(ToneAmplitude(y, 2 * rig.N(), hz, rig.rate) / (0.5 * amplitude), kRejected) << hz << " Hz";
        }
    }
}

TEST(ChainSignals, ConstantInputIsRemovedExactlyOnceTheFrameHoldsOnlyIt) {
    for (const double level : {5000.0, -32768.0, 32767.0}) {
        SCOPED_TRACE(level);
        Rig rig;
        const auto y = rig.Run(6, [=](std::size_t) { return level; });
        // Blocks 0 and 1 still see the step from the initial silence.
        EXPECT_TRUE(std::all_of(y.begin() + 2 * static_cast<std::ptrdiff_t>(rig.N()), y.end(),
                                [](std::int16_t v) { return v == 0; }));
    }
}

TEST(ChainSignals, FullScaleSquareWaveSaturatesWithoutWrapping) {
    Rig rig;
    rig.settings.equalizerOn = true;
    rig.settings.equalizer.fill(-5);  // gain 2 in every band
    rig.settings.dynamics.compressorOn = true;
    rig.settings.dynamics.compressorGain = -10;  // factor 1: only the 1.7 make-up gain
    constexpr std::size_t kHalfPeriod = 20;
    const Signal square = [](std::size_t n) { return (n / kHalfPeriod) % 2 == 0 ? 32767.0 : -32768.0; };
    const auto y = rig.Run(8, square);
    const std::size_t n = rig.N();
    std::size_t high = 0;
    std::size_t low = 0;
    for (std::size_t i = 2 * n; i < y.size(); ++i) {
        high += y[i] == 32767;
        low += y[i] == -32768;
        // Away from the edges every sample keeps the sign of the delayed input.
        const std::size_t phase = (i - n) % kHalfPeriod;
        if (phase >= 3 && phase + 3 < kHalfPeriod) {
            ASSERT_EQ(y[i] > 0, square(i - n) > 0) << "sample " << i << " = " << y[i];
        }
    }
    const std::size_t total = y.size() - 2 * n;
    EXPECT_GT(high, total / 4);
    EXPECT_GT(low, total / 4);
}

TEST(ChainSignals, StagesRunFilterThenShiftThenEqualizer) {
    const double amplitude = 8000;
    {
        SCOPED_TRACE("an 800 Hz tone passes the 1000 Hz low pass before moving up by ~500 Hz");
        Rig rig;
        rig.settings.filterOn = true;
        rig.settings.filterType = kLowPass;
        rig.settings.filterCenter = 1000;
        rig.settings.shiftOn = true;
        rig.settings.shiftPosition = 60;  // 240 bins
        const double shifted = 800 + 240 * rig.SpectrumBinHz();
        const auto y = rig.Run(10, Tone(amplitude, 800, rig.rate));
        EXPECT_GT(shifted, 1250);
        EXPECT_NEAR(ToneAmplitude(y, 2 * rig.N(), shifted, rig.rate) / (0.5 * amplitude), 1.0, 0.1);
        EXPECT_LT(ToneAmplitude(y, 2 * rig.N(), 800, rig.rate) / (0.5 * amplitude), kRejected);
    }
    for (const bool shiftOn : {false, true}) {
        SCOPED_TRACE(shiftOn ? "a 400 Hz tone shifted out of the muted lowest band survives"
                             : "a 400 Hz tone in the muted lowest band is silenced");
        Rig rig;
        rig.settings.equalizerOn = true;
        rig.settings.equalizer[0] = 5;  // gain 0 for 0 .. rate/14 (~607 Hz)
        rig.settings.shiftOn = shiftOn;
        rig.settings.shiftPosition = 48;  // 192 bins, ~398 Hz
        const double out = shiftOn ? 400 + 192 * rig.SpectrumBinHz() : 400;
        const auto y = rig.Run(10, Tone(amplitude, 400, rig.rate));
        const double level = ToneAmplitude(y, 2 * rig.N(), out, rig.rate) / (0.5 * amplitude);
        if (shiftOn) {
            EXPECT_NEAR(level, 1.0, 0.1);
        } else {
            EXPECT_LT(level, kRejected);
        }
    }
}

TEST(ChainSignals, ShiftMovesToneByBinsTimesRateOverFourN) {
    struct Case {
        std::int32_t position;
        std::int32_t range;
        std::int32_t bins;
    };
    for (const Case c : {Case{100, 1, 1200}, Case{-50, 0, -200}, Case{-7, 2, -280}}) {
        SCOPED_TRACE(testing::Message() << c.bins << " bins");
        Rig rig;
        rig.rate = 16000;
        rig.bytes = 4096;  // N = 2048: a Spectrum bin is 16000/8192 Hz
        rig.settings.shiftOn = true;
        rig.settings.shiftPosition = c.position;
        rig.settings.shiftRange = c.range;
        const double amplitude = 8000;
        const double expected = 2000 + c.bins * rig.SpectrumBinHz();
        const auto y = rig.Run(10, Tone(amplitude, 2000, rig.rate));
        EXPECT_NEAR(PeakNear(y, 2 * rig.N(), expected, 5, rig.rate), expected, 0.3);
        EXPECT_NEAR(ToneAmplitude(y, 2 * rig.N(), expected, rig.rate) / (0.5 * amplitude), 1.0, 0.1);
        EXPECT_LT(ToneAmplitude(y, 2 * rig.N(), 2000, rig.rate) / (0.5 * amplitude), kRejected);
        // The display shows the processed block, so its peak moves too.
        EXPECT_LE(std::fabs(rig.engine->PeakFrequency - expected), rig.DisplayPointHz());
    }
}

TEST(ChainSignals, AgcBringsQuietToneUpToItsLevelAndLeavesSilenceSilent) {
    const std::int32_t level = 10000;
    {
        Rig rig;
        rig.settings.dynamics.agcOn = true;
        rig.settings.dynamics.agcLevel = level;
        rig.settings.dynamics.agcDecay = 10;
        const double amplitude = 400;
        const double hz = 1234.5;
        const auto y = rig.Run(30, Tone(amplitude, hz, rig.rate));
        const std::size_t n = rig.N();
        std::vector<double> perBlock;
        for (std::size_t b = 2; b < 30; ++b) perBlock.push_back(ToneAmplitude(y, b * n, (b + 1) * n, hz, rig.rate));
        for (std::size_t b = 1; b < perBlock.size(); ++b) EXPECT_GE(perBlock[b], 0.97 * perBlock[b - 1]) << b;
        EXPECT_LT(perBlock.front(), 0.6 * perBlock.back());
        // Peak target level/(peak + 1), output at half the processed level.
        EXPECT_NEAR(perBlock.back() / (0.5 * level), 1.0, 0.06);
        EXPECT_NEAR(rig.engine->AgcGain, level / (amplitude + 1), 0.02 * level / (amplitude + 1));
    }
    {
        Rig rig;
        rig.settings.dynamics.agcOn = true;
        rig.settings.dynamics.agcLevel = level;
        const auto silent = rig.Run(10, [](std::size_t) { return 0.0; });
        EXPECT_TRUE(std::all_of(silent.begin(), silent.end(), [](std::int16_t v) { return v == 0; }));
        EXPECT_GT(rig.engine->AgcGain, 1000.0f);  // moving toward `level` on silence
        // A tone after the silence drops the gain to its target at once: no clipping.
        const auto y = rig.Run(8, Tone(3000, 1234.5, rig.rate));
        EXPECT_LT(*std::max_element(y.begin(), y.end()), 0.6 * level);
        EXPECT_NEAR(ToneAmplitude(y, 2 * rig.N(), 1234.5, rig.rate) / (0.5 * level), 1.0, 0.06);
    }
}

TEST(ChainSignals, NoiseBlankerAtLevel20ReducesLowNoiseButKeepsStrongTone) {
    constexpr std::size_t kSettled = 2 * 1024;  // past the two start-up blocks
    std::mt19937 gen(7);
    std::vector<double> samples(10 * 1024);
    for (double& v : samples) v = static_cast<double>(gen() % 401) - 200;  // white, ±200
    const Signal noise = [&samples](std::size_t n) { return samples[n]; };
    const Signal tone = Tone(10000, 1000, 8500);
    auto run = [](bool blanker, const Signal& input) {
        Rig rig;
        rig.settings.dynamics.noiseBlankerOn = blanker;
        rig.settings.dynamics.noiseBlankerLevel = 20;
        return rig.Run(10, input);
    };
    auto rms = [](const std::vector<std::int16_t>& y) {
        double sum = 0;
        for (std::size_t i = kSettled; i < y.size(); ++i) sum += static_cast<double>(y[i]) * y[i];
        return std::sqrt(sum / static_cast<double>(y.size() - kSettled));
    };
    EXPECT_LT(rms(run(true, noise)), 0.5 * rms(run(false, noise)));
    const Signal noisyTone = Sum(tone, noise);
    const double plain = ToneAmplitude(run(false, noisyTone), kSettled, 1000, 8500);
    EXPECT_NEAR(ToneAmplitude(run(true, noisyTone), kSettled, 1000, 8500) / plain, 1.0, 0.1);
}

}  // namespace
}  // namespace moravel
