// The stages that edit samples or spectrum: AGC, noise blanker, compressor,
// expander, filter, shift and equalizer, on values worked out by hand.
#include "common/EqualizerBands.h"
#include "dsp/Engine.h"
#include "dsp/FastTrig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numbers>
#include <random>
#include <stdexcept>
#include <vector>

namespace moravel {
namespace {

// An engine after the first analysis of a silent block of `bytes` bytes, so
// FrameSamples (L) is set; Spectrum[0..L−1] is then filled with `value`.
std::unique_ptr<Engine> withSpectrum(int rate, int bytes, float value) {
    auto engine = std::make_unique<Engine>();
    engine->Resolution = 5;
    engine->Configure(rate, bytes);
    engine->BlockSamples = bytes / 2;
    engine->AnalyseBlock();
    std::fill(engine->Spectrum, engine->Spectrum + engine->FrameSamples, value);
    return engine;
}

void fillInput(Engine& engine, int from, int to, std::int16_t value) {
    std::fill(engine.InputBlock + from, engine.InputBlock + to, value);
}

// ---- AGC ----------------------------------------------------------------------

TEST(Agc, SilenceMovesTheGainTowardTheLevelAndStaysSilent) {
    auto engine = withSpectrum(4000, 1024, 0);
    engine->ApplyAgc(10000, 10);  // target 10000/1; from 0 a tenth of the gap
    EXPECT_EQ(engine->AgcGain, 1000.0f);
    engine->ApplyAgc(10000, 10);
    EXPECT_EQ(engine->AgcGain, 1900.0f);
    EXPECT_TRUE(std::all_of(engine->InputBlock, engine->InputBlock + 512, [](std::int16_t s) { return s == 0; }));
}

TEST(Agc, GainFarAboveTheTargetDropsAtOnce) {
    auto engine = withSpectrum(4000, 1024, 0);
    engine->AgcGain = 1900;
    fillInput(*engine, 0, 512, 32767);
    engine->ApplyAgc(10000, 10);  // target 10000/32768 = 0.30517578125
    EXPECT_EQ(engine->AgcGain, 0.30517578125f);
    EXPECT_EQ(engine->InputBlock[0], 10000);  // 32767 · 0.30518 = 9999.69
    EXPECT_EQ(engine->InputBlock[511], 10000);

    // Within 10 of the target the gain only closes 1/decay of the gap.
    engine->AgcGain = 10.0f;
    fillInput(*engine, 0, 512, 32767);
    engine->ApplyAgc(10000, 10);
    EXPECT_EQ(engine->AgcGain, static_cast<float>(10.0L + (0.30517578125L - 10.0L) / 10));
}

// Windows of 401 samples, restarted at each block: at N = 1024 the first
// window (samples 0..400) gets the gain of its own peak, and the second
// (401..801) carries its gain through the end of the block.
TEST(Agc, EachWindowGetsTheGainOfItsOwnPeak) {
    auto engine = withSpectrum(8500, 2048, 0);
    fillInput(*engine, 0, 401, 1000);
    fillInput(*engine, 401, 1024, 100);
    engine->ApplyAgc(10000, 2);
    const float first = static_cast<float>(10000.0 / 1001 / 2);                     // 4.995005
    const float second = static_cast<float>(first + (10000.0L / 101 - first) / 2);  // 52.00245
    EXPECT_EQ(engine->AgcGain, second);
    EXPECT_EQ(engine->InputBlock[0], 4995);
    EXPECT_EQ(engine->InputBlock[400], 4995);
    EXPECT_EQ(engine->InputBlock[401], 5200);
    EXPECT_EQ(engine->InputBlock[1023], 5200);
}

TEST(Agc, ScaledSamplesClampAtFullScale) {
    auto engine = withSpectrum(4000, 1024, 0);
    engine->AgcGain = 5;
    fillInput(*engine, 0, 256, 1000);
    fillInput(*engine, 256, 512, -1000);
    engine->ApplyAgc(30000, 300);  // gain stays near 5 + (29.97 − 5)/300 ≈ 5.08
    EXPECT_EQ(engine->InputBlock[0], 5083);
    fillInput(*engine, 0, 256, 30000);
    fillInput(*engine, 256, 512, -30000);
    engine->AgcGain = 5;
    engine->ApplyAgc(30000, 300);
    EXPECT_EQ(engine->InputBlock[0], 32767);
    EXPECT_EQ(engine->InputBlock[511], -32768);
}

// ---- Noise blanker --------------------------------------------------------------

// Level 1 (T = 10000) on 0, 5000, 100, 0, 0 …: bin 1 is pulled halfway to the
// average 50 of its neighbours; bin 2 nearly all the way to Round(2525/2) =
// 1262 (half to even), using the already updated bin 1; bin 3 to 625.
TEST(NoiseBlanker, PullsWeakBinsTowardTheirNeighboursInOnePass) {
    auto engine = withSpectrum(4000, 1024, 0);
    engine->Spectrum[1] = 5000;
    engine->Spectrum[2] = 100;
    engine->ApplyNoiseBlanker(1);
    EXPECT_EQ(engine->Spectrum[0], 0.0f);
    EXPECT_EQ(engine->Spectrum[1], 2525.0f);
    EXPECT_EQ(engine->Spectrum[2], static_cast<float>(100 + (1262 - 100) * static_cast<long double>(0.99f)));
    EXPECT_EQ(engine->Spectrum[3], 625.0f);
}

TEST(NoiseBlanker, StrongBinsAreKeptAndTheLastBinSeesZeroBeyond) {
    auto engine = withSpectrum(4000, 1024, 0);
    engine->Spectrum[500] = 20000;  // |x| ≥ T: g = 0
    engine->Spectrum[1023] = 1000;  // right neighbour Spectrum[L] is 0
    engine->Spectrum[1022] = 3000;
    engine->ApplyNoiseBlanker(1);
    EXPECT_EQ(engine->Spectrum[500], 20000.0f);
    const float left = engine->Spectrum[1022];
    const long double average = std::nearbyint(left / 2.0L);
    EXPECT_EQ(engine->Spectrum[1023], static_cast<float>(1000 + (average - 1000) * static_cast<long double>(0.9f)));
    EXPECT_EQ(engine->Spectrum[1024], 0.0f);
}

// A zero bin between neighbours averaging −0.05 (rounded: −0): the bin comes
// out +0 whether it came in +0 or −0, as when the average went through an
// integer (which has no −0).
TEST(NoiseBlanker, ZeroBinBesideANegativeZeroAverageStaysPositiveZero) {
    for (const float zero : {0.0f, -0.0f}) {
        auto engine = withSpectrum(4000, 1024, 0);
        engine->Spectrum[0] = -0.3f;
        engine->Spectrum[1] = zero;
        engine->Spectrum[2] = 0.2f;
        engine->Spectrum[3] = 20000;  // strong: keeps bin 2's right neighbour out of the way
        engine->ApplyNoiseBlanker(1);
        EXPECT_EQ(engine->Spectrum[1], 0.0f);
        EXPECT_FALSE(std::signbit(engine->Spectrum[1])) << "bin 1 came in as " << zero;
    }
}

// Bin 1 (x = 3046.99, g = 0.6953, average of 34 and 100 = 67) comes to
// 974.99998 in long double and is stored as 975.0f. Bin 2 must average the
// stored 975 with its right neighbour 0: Round(487.5) = 488 (half to even),
// not the 487 the unrounded 974.99998 would give. The zeros beyond are then
// pulled to half their left neighbour each, rounding halves to even.
TEST(NoiseBlanker, AveragesTheStoredFloatOfTheLeftBinNotItsLongDouble) {
    auto engine = withSpectrum(4000, 1024, 0);
    float* s = engine->Spectrum;
    s[0] = 34;
    s[1] = 0x1.7cdfaep+11f;  // 3046.98999
    s[2] = 100;
    const float g1 = static_cast<float>(1 - s[1] / 10000.0L);
    ASSERT_EQ(std::nearbyint((s[1] + (67 - static_cast<long double>(s[1])) * g1) / 2), 487.0L);  // the trap
    engine->ApplyNoiseBlanker(1);
    EXPECT_EQ(s[1], 975.0f);
    EXPECT_EQ(s[2], static_cast<float>(100 + (488 - 100) * static_cast<long double>(0.99f)));  // 484.12
    const float rest[] = {242, 121, 60, 30, 15, 8, 4, 2, 1, 0, 0};
    for (int k = 0; k < 11; ++k) EXPECT_EQ(s[3 + k], rest[k]) << "bin " << 3 + k;
}

// The blanker as plainly written (each bin stored as float before the next
// reads it), against the engine's on spectra of every scale, many of their
// values near half-integers, zeros of both signs and NaNs among them.
TEST(NoiseBlanker, MatchesThePlainBinByBinLoopOnRandomSpectra) {
    const auto plain = [](float* s, int frame, int level) {
        const long double threshold = level * 10000;
        for (int i = 1; i < frame; ++i) {
            const float x = s[i];
            const float g = static_cast<float>(std::clamp(1 - std::fabs(x / threshold), 0.0L, 1.0L));
            const long double average = std::nearbyint((static_cast<long double>(s[i - 1]) + s[i + 1]) / 2);
            // A strong bin keeps its value, also beside a NaN neighbour
            // (where the expression would give NaN).
            if (g == 0.0f && std::isfinite(x)) continue;
            s[i] = static_cast<float>(x + (average - static_cast<long double>(x)) * g);
        }
    };
    std::mt19937 random(2024);
    for (int round = 0; round < 60; ++round) {
        const int level = 1 + round % 20;
        const float scale = std::ldexp(1.0f, round % 24);  // 1 .. 2^23
        std::uniform_real_distribution<float> value(-scale, scale);
        auto engine = withSpectrum(48000, 8192, 0);
        const int frame = engine->FrameSamples;
        std::vector<float> expected(static_cast<std::size_t>(frame) + 1, 0.0f);
        for (int i = 0; i < frame; ++i) {
            float v = value(random);
            if (i % 7 == 0) v = std::round(v) + 0.5f;  // halves: ties for the average
            if (i % 11 == 0) v = (i % 22 == 0) ? 0.0f : -0.0f;
            if (i % 389 == 0) v = std::bit_cast<float>(i % 778 == 0 ? 0x7fc01234u : 0xffc04321u);  // NaNs
            expected[static_cast<std::size_t>(i)] = engine->Spectrum[i] = v;
        }
        plain(expected.data(), frame, level);
        engine->ApplyNoiseBlanker(level);
        for (int i = 0; i <= frame; ++i) {
            ASSERT_EQ(std::memcmp(&engine->Spectrum[i], &expected[static_cast<std::size_t>(i)], sizeof(float)), 0)
                << "round " << round << ", bin " << i << ": " << engine->Spectrum[i] << " vs "
                << expected[static_cast<std::size_t>(i)];
        }
    }
}

// An infinite neighbour makes an average no 32-bit integer holds: the
// blanker stops there with a range error, every bin before it done as by
// the plain loop.
TEST(NoiseBlanker, AnInfiniteBinStopsItWithARangeErrorAfterTheBinsBefore) {
    auto engine = withSpectrum(4000, 1024, 0);
    float* s = engine->Spectrum;
    for (int i = 0; i < 8; ++i) s[i] = 1000.5f * static_cast<float>(i % 3);
    s[8] = std::numeric_limits<float>::infinity();
    try {
        engine->ApplyNoiseBlanker(1);
        FAIL();
    } catch (const std::range_error& e) {
        EXPECT_STREQ(e.what(), "Noise blanker bin 7: the average of its neighbours, inf, is outside the 32-bit integer range");
    }
    // Bins 0..7 start as 0, 1000.5, 2001, 0, 1000.5, 2001, 0, 1000.5:
    // bin 1 (g = 0.89995) is pulled to Round(1000.5) = 1000 (half to even).
    EXPECT_EQ(s[1], static_cast<float>(1000.5L + (1000 - 1000.5L) * static_cast<long double>(0.89995f)));
    EXPECT_EQ(s[7], 1000.5f);  // its average with the infinite bin 8 throws before it changes
}

// ---- Compressor and expander ----------------------------------------------------

TEST(Compressor, DividesBinsAboveTheThresholdThenRaisesAll) {
    auto engine = withSpectrum(4000, 1024, 0);
    engine->Spectrum[0] = 60000;
    engine->Spectrum[1] = -60000;
    engine->Spectrum[2] = 40000;
    engine->Spectrum[3] = 50000;     // not above
    engine->ApplyCompressor(0, -5);  // T 50000, f 2
    EXPECT_EQ(engine->Spectrum[0], 51000.0f);
    EXPECT_EQ(engine->Spectrum[1], -51000.0f);
    EXPECT_EQ(engine->Spectrum[2], 68000.0f);
    EXPECT_EQ(engine->Spectrum[3], 85000.0f);

    engine->Spectrum[0] = 100000;
    engine->ApplyCompressor(-50, -3);  // T 0, f 2.4
    EXPECT_EQ(engine->Spectrum[0], static_cast<float>(static_cast<float>(100000 / 2.4L) * 1.7L));
    engine->Spectrum[0] = 100000;
    engine->ApplyCompressor(50, -10);  // f 1: nothing reduced
    EXPECT_EQ(engine->Spectrum[0], 170000.0f);
}

TEST(Expander, MultipliesBinsBelowTheThresholdThenRaisesAll) {
    auto engine = withSpectrum(4000, 1024, 0);
    engine->Spectrum[0] = 40000;
    engine->Spectrum[1] = -40000;
    engine->Spectrum[2] = 60000;
    engine->ApplyExpander(0, 0);  // T 50000, f 3
    EXPECT_EQ(engine->Spectrum[0], 144000.0f);
    EXPECT_EQ(engine->Spectrum[1], -144000.0f);
    EXPECT_EQ(engine->Spectrum[2], 72000.0f);
    engine->Spectrum[0] = 3;
    engine->ApplyExpander(-50, 10);  // T 0: nothing is below
    EXPECT_EQ(engine->Spectrum[0], static_cast<float>(3 * 1.2L));
}

// ---- Filter ---------------------------------------------------------------------

int countNonZero(const Engine& engine, int from, int to) {
    return static_cast<int>(
        std::count_if(engine.Spectrum + from, engine.Spectrum + to, [](float v) { return v != 0; }));
}

TEST(Filter, LowPassKeepsUpToTheCentreBin) {
    auto engine = withSpectrum(8500, 2048, 1);  // bins of 8.30078125/4 Hz, L = 2048
    engine->SetFilter(3000, 500, 0);
    engine->ApplyFilter();
    const int c = 1446 - 4;  // Round(12000 / 8.30078125) − 4
    EXPECT_EQ(engine->Spectrum[c], 1.0f);
    EXPECT_EQ(engine->Spectrum[c + 1], 0.0f);
    EXPECT_EQ(countNonZero(*engine, 0, 2048), c + 1);
}

TEST(Filter, HighPassClearsBelowTheCentreBinIncludingDc) {
    auto engine = withSpectrum(4000, 1024, 1);
    engine->SetFilter(100, 500, 2);
    engine->ApplyFilter();
    const int c = 51 - 4;  // Round(400 / 7.8125 = 51.2) − 4
    EXPECT_EQ(engine->Spectrum[0], 0.0f);
    EXPECT_EQ(engine->Spectrum[c - 1], 0.0f);
    EXPECT_EQ(engine->Spectrum[c], 1.0f);
    EXPECT_EQ(countNonZero(*engine, 0, 1024), 1024 - c);
}

// 20 Hz wide: w = 5, nine bins c−4..c+4 under a raised cosine of period 8.
TEST(Filter, BandPassTapersItsNineBins) {
    auto engine = withSpectrum(4000, 1024, 1);
    engine->SetFilter(1000, 20, 1);
    engine->ApplyFilter();
    const int c = 512 - 4;
    EXPECT_EQ(countNonZero(*engine, 0, 1024), 9);
    EXPECT_EQ(engine->Spectrum[c - 5], 0.0f);
    EXPECT_EQ(engine->Spectrum[c + 5], 0.0f);
    for (int t = 0; t < 9; ++t) {
        const float angle = static_cast<float>(t * (2 * std::numbers::pi_v<long double>) / 8);
        EXPECT_EQ(engine->Spectrum[c - 4 + t], static_cast<float>(0.5L - 0.5L * FastCos(angle))) << t;
    }
    EXPECT_NEAR(engine->Spectrum[c], 1.0f, 1e-4);
    EXPECT_LT(engine->Spectrum[c - 4], 1e-4f);
    EXPECT_NEAR(engine->Spectrum[c - 2], 0.5f, 0.01f);
    EXPECT_NEAR(engine->Spectrum[c + 2], 0.5f, 0.01f);
}

TEST(Filter, BandPassCutAtBinZeroStartsItsTaperThere) {
    auto engine = withSpectrum(4000, 1024, 1);
    engine->SetFilter(10, 500, 1);  // c = Round(5.12) − 4 = 1, w = 125
    engine->ApplyFilter();
    EXPECT_LT(engine->Spectrum[0], 1e-4f);  // taper position 0
    // The taper's top moved up with its start: position w − 1 = 124, not c.
    EXPECT_NEAR(engine->Spectrum[124], 1.0f, 1e-4);
    EXPECT_LT(engine->Spectrum[1], 0.01f);
    EXPECT_EQ(engine->Spectrum[126], 0.0f);
    EXPECT_EQ(countNonZero(*engine, 0, 1024), 126);
}

TEST(Filter, StopBandKeepsItsEdgeBins) {
    auto engine = withSpectrum(4000, 1024, 1);
    engine->SetFilter(1000, 100, 3);  // c = 508, w = 25
    engine->ApplyFilter();
    EXPECT_EQ(engine->Spectrum[508 - 25], 1.0f);
    EXPECT_EQ(engine->Spectrum[508 + 25], 1.0f);
    EXPECT_EQ(countNonZero(*engine, 0, 1024), 1024 - (2 * 25 - 1));
}

// ---- Shift ----------------------------------------------------------------------

void ramp(Engine& engine) {
    for (int i = 0; i < engine.FrameSamples; ++i) engine.Spectrum[i] = static_cast<float>(i);
}

TEST(Shift, UpMovesBinsAndClearsTheBottom) {
    auto engine = withSpectrum(4000, 1024, 0);
    ramp(*engine);
    engine->Spectrum[1025] = -7;  // sentinel beyond Spectrum[L]
    engine->ShiftSpectrum(10);
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(engine->Spectrum[i], 0.0f) << i;
    EXPECT_EQ(engine->Spectrum[11], 1.0f);
    EXPECT_EQ(engine->Spectrum[1023], 1013.0f);
    EXPECT_EQ(engine->Spectrum[1024], 1014.0f);  // one past the last bin may be written
    EXPECT_EQ(engine->Spectrum[1025], -7.0f);
}

TEST(Shift, DownMovesBinsAndClearsTheTop) {
    auto engine = withSpectrum(4000, 1024, 0);
    ramp(*engine);
    engine->ShiftSpectrum(-10);
    EXPECT_EQ(engine->Spectrum[0], 10.0f);
    EXPECT_EQ(engine->Spectrum[1013], 1023.0f);
    for (int i = 1014; i <= 1024; ++i) EXPECT_EQ(engine->Spectrum[i], 0.0f) << i;
}

TEST(Shift, BeyondTheFrameSilencesWithoutWritingOutside) {
    for (int bins : {1024, 10000, -1024, -10000}) {
        auto engine = withSpectrum(4000, 1024, 3);
        engine->Spectrum[1024] = -7;
        engine->ShiftSpectrum(bins);
        EXPECT_EQ(std::count(engine->Spectrum, engine->Spectrum + 1024, 0.0f), 1024) << bins;
        EXPECT_EQ(engine->Spectrum[1024], -7.0f) << bins;
    }
    auto unchanged = withSpectrum(4000, 1024, 3);
    unchanged->ShiftSpectrum(0);
    EXPECT_EQ(std::count(unchanged->Spectrum, unchanged->Spectrum + 1024, 3.0f), 1024);
}

// ---- Equalizer ------------------------------------------------------------------

TEST(Equalizer, SevenEqualGroupsAndASilentRemainder) {
    auto engine = withSpectrum(4000, 1024, 1);  // W = 1024 div 7 = 146
    const auto gains = EqualizerGains({-5, 0, 0, 0, 0, 0, 5});
    engine->SetEqualizerCurve(7, gains.data());
    engine->ApplyEqualizer();
    EXPECT_EQ(engine->Spectrum[0], 2.0f);
    EXPECT_EQ(engine->Spectrum[145], 2.0f);
    EXPECT_EQ(engine->Spectrum[146], 1.0f);
    EXPECT_EQ(engine->Spectrum[875], 1.0f);
    EXPECT_EQ(engine->Spectrum[876], 0.0f);  // band 7 muted
    EXPECT_EQ(engine->Spectrum[1021], 0.0f);
    EXPECT_EQ(engine->EqualizerGain[1022], 0.0f);  // 1024 mod 7 = 2 bins past the last band
    EXPECT_EQ(engine->EqualizerGain[1023], 0.0f);
    EXPECT_EQ(engine->EqualizerGain[875], 1.0f);
}

TEST(Equalizer, NothingIsWrittenBeforeTheFirstBlock) {
    auto engine = std::make_unique<Engine>();
    const auto gains = EqualizerGains({});
    engine->SetEqualizerCurve(7, gains.data());
    EXPECT_EQ(engine->EqualizerGain[0], 0.0f);
}

}  // namespace
}  // namespace moravel
