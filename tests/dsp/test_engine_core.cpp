// Configuration, analysis, synthesis and the display values of the engine,
// against values worked out by hand.
#include "dsp/BlockChain.h"
#include "dsp/Engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace moravel {
namespace {

std::unique_ptr<Engine> configured(int rate, int bytes, int resolution = 5) {
    auto engine = std::make_unique<Engine>();
    engine->Resolution = resolution;
    engine->Configure(rate, bytes);
    return engine;
}

// Runs one block of `samples` through analysis and synthesis with no stage.
void runBlock(Engine& engine, const std::vector<std::int16_t>& samples) {
    ProcessBlock(engine, StageSwitches{}, samples.data(), static_cast<int>(samples.size() * 2));
}

std::vector<std::int16_t> tone(int n, double hz, double rate, double amplitude, int offset = 0) {
    std::vector<std::int16_t> block(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        block[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(
            std::lrint(amplitude * std::sin(2 * std::numbers::pi * hz * (i + offset) / rate)));
    }
    return block;
}

TEST(EngineConfigure, SetsGridsWindowAndGains) {
    auto engine = configured(4000, 1024);
    EXPECT_EQ(engine->SampleRate, 4000);
    EXPECT_EQ(engine->BlockSamples, 512);
    EXPECT_EQ(engine->DisplayCount, 256);
    EXPECT_EQ(engine->BinWidth, 7.8125f);
    EXPECT_EQ(engine->Window[512], 0.08f);
    EXPECT_EQ(engine->Window[256], 1.0f);
    EXPECT_EQ(engine->Window[128], static_cast<float>(0.54L - 0.46L * std::cos(std::numbers::pi_v<long double> / 2)));
    EXPECT_EQ(engine->NormalizeGain[0], 1.0f);
    EXPECT_EQ(engine->NormalizeGain[8200], 1.0f);
    EXPECT_EQ(engine->FrameSamples, 0);  // set by the first analysis
    EXPECT_EQ(configured(8500, 2048)->BinWidth, 8.30078125f);
}

// The transforms are radix-2: a block that is not a power of two of samples
// would make their butterflies run past the transform (and past the whole
// object at 4100 samples, the arrays' capacity). Such sizes are refused
// before anything changes; 1..4096 samples are taken.
TEST(EngineConfigure, TakesOnlyBlocksOfAPowerOfTwoUpTo4096Samples) {
    auto engine = configured(4000, 1024);
    for (const int bytes : {0, -2, 6, 1023, 1025, 1026, 6000, 8194, 8200, 16384}) {
        EXPECT_THROW(engine->Configure(8000, bytes), std::invalid_argument) << bytes << " bytes";
    }
    EXPECT_EQ(engine->SampleRate, 4000);
    EXPECT_EQ(engine->BlockSamples, 512);
    EXPECT_EQ(engine->BinWidth, 7.8125f);
    try {
        engine->Configure(8000, 8200);
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(),
                     "a capture buffer of 8200 bytes: the engine takes blocks of a power of two of samples, 1 to 4096");
    }
    for (int bytes = 2; bytes <= 8192; bytes *= 2) {
        EXPECT_NO_THROW(engine->Configure(8000, bytes)) << bytes << " bytes";
        EXPECT_EQ(engine->BlockSamples, bytes / 2);
    }
}

TEST(EngineConfigure, KeepsThePreviousFrameButClearsTheHistory) {
    auto engine = configured(4000, 8);
    runBlock(*engine, {1000, -1000, 1000, -1000});
    runBlock(*engine, {1000, -1000, 1000, -1000});
    const std::vector<std::int16_t> previous(engine->PreviousFrame, engine->PreviousFrame + 8);
    ASSERT_NE(engine->FrameOut[1], 0);
    ASSERT_NE(previous[5], 0);
    engine->Configure(4000, 8);
    EXPECT_EQ(std::vector<std::int16_t>(engine->PreviousFrame, engine->PreviousFrame + 8), previous);
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(engine->History[i], 0);
        EXPECT_EQ(engine->FrameOut[i], 0);
    }
}

// The frame mean is rounded half to even before it is subtracted, so the
// DC bin holds the frame sum minus 2N times that mean.
TEST(EngineAnalyse, SubtractsTheFrameMeanRoundedHalfToEven) {
    auto engine = configured(4000, 4);  // N = 2, frame of 4 samples
    LoadBlock(*engine, std::vector<std::int16_t>{1, 1}.data(), 4);
    engine->AnalyseBlock();  // frame 0 0 1 1: mean 0.5 → 0
    EXPECT_EQ(engine->FrameSamples, 4);
    EXPECT_EQ(engine->HalfBlock, 1);
    EXPECT_EQ(engine->Spectrum[0], 2.0f);

    LoadBlock(*engine, std::vector<std::int16_t>{2, 2}.data(), 4);
    engine->AnalyseBlock();  // frame 1 1 2 2: mean 1.5 → 2
    EXPECT_EQ(engine->Spectrum[0], -2.0f);
    EXPECT_EQ(engine->History[0], 1);
    EXPECT_EQ(engine->History[3], 2);
}

// LoadBlock sets N from the byte count on its own: the analysis refuses an
// unsupported N before touching the frame, and an empty block is no error.
TEST(EngineAnalyse, RefusesABlockThatIsNotAPowerOfTwo) {
    auto engine = configured(8000, 8192);
    runBlock(*engine, tone(4096, 1000, 8000, 8000));
    const std::int16_t lastSample = engine->History[8191];
    for (const int bytes : {8200, 6000, 6}) {
        LoadBlock(*engine, nullptr, bytes);
        EXPECT_THROW(engine->AnalyseBlock(), std::invalid_argument) << bytes << " bytes";
        EXPECT_EQ(engine->FrameSamples, 8192);
        EXPECT_EQ(engine->History[8191], lastSample);
    }
    LoadBlock(*engine, nullptr, 0);
    EXPECT_NO_THROW(engine->AnalyseBlock());
    EXPECT_EQ(engine->FrameSamples, 0);
}

// A spectrum holding only the DC bin resynthesises to a flat frame of
// value/L (truncated, clamped); the cross-fade then weighs it by (i+1)/N.
TEST(EngineSynthesise, ResynthesisTruncatesClampsAndCrossFades) {
    auto engine = configured(4000, 8);  // N = 4, L = 8
    LoadBlock(*engine, nullptr, 8);
    engine->AnalyseBlock();
    engine->Spectrum[0] = -8010.0f;  // −1001.25 per sample, truncated toward zero
    engine->SynthesiseBlock();
    for (int k = 0; k < 8; ++k) EXPECT_EQ(engine->FrameOut[k], -1001);
    EXPECT_EQ(engine->OutputBlock[0], -250);  // −1001·1/4 truncated
    EXPECT_EQ(engine->OutputBlock[1], -500);  // −2002/4
    EXPECT_EQ(engine->OutputBlock[2], -750);  // −3003/4
    EXPECT_EQ(engine->OutputBlock[3], -1001);

    // Next block: the old frame fades out by (N−i)/N while the new is silent.
    LoadBlock(*engine, nullptr, 8);
    engine->AnalyseBlock();
    std::fill(engine->Spectrum, engine->Spectrum + 8, 0.0f);
    engine->Spectrum[0] = 8.0f * 40000;  // beyond full scale
    engine->SynthesiseBlock();
    EXPECT_EQ(engine->FrameOut[0], 32767);
    // −1001·(4−i)/4 + 32767·(i+1)/4, clamped.
    EXPECT_EQ(engine->OutputBlock[0], -1001 + 8191);
    EXPECT_EQ(engine->OutputBlock[1], -750 + 16383);
    EXPECT_EQ(engine->OutputBlock[3], -250 + 32767);
}

TEST(EngineSynthesise, SilenceGivesSilenceAndTheLowestPointAsPeak) {
    auto engine = configured(4000, 1024);
    const std::vector<std::int16_t> silence(512, 0);
    for (int block = 1; block <= 6; ++block) {
        runBlock(*engine, silence);
        if (block >= 3) {
            for (int i = 0; i < 512; ++i) ASSERT_EQ(engine->OutputBlock[i], 0);
        }
        EXPECT_EQ(engine->PeakIndex, 0);
        // Reported only after five stable blocks beyond the first.
        EXPECT_EQ(engine->PeakFrequency, block >= 6 ? 39.0f : 0.0f) << "block " << block;
    }
    EXPECT_EQ(engine->BinToFrequency(1), 39);  // 5 · 4000 / 512 = 39.06
    EXPECT_EQ(engine->DisplayCount, 256 / 5 + 1);
    EXPECT_EQ(engine->PeakValue, 0.0);
}

TEST(EngineSynthesise, ConstantInputIsRemoved) {
    auto engine = configured(4000, 1024);
    const std::vector<std::int16_t> dc(512, 12345);
    for (int block = 0; block < 3; ++block) runBlock(*engine, dc);
    for (int i = 0; i < 512; ++i) ASSERT_EQ(engine->OutputBlock[i], 0) << i;
}

TEST(EngineDisplay, ToneOnABinCentreReadsAboutHalfItsAmplitudeAtItsFrequency) {
    auto engine = configured(4000, 1024, 1);
    // 500 Hz is display-transform bin 64 (7.8125 Hz bins); the output carries
    // the tone at half amplitude, so the point reads about 0.54 · 5000.
    for (int block = 0; block < 8; ++block) runBlock(*engine, tone(512, 500, 4000, 10000, block * 512));
    EXPECT_EQ(engine->PeakIndex, 64);
    EXPECT_EQ(engine->PeakFrequency, static_cast<float>(engine->BinToFrequency(65)));
    EXPECT_NEAR(engine->PeakValue, 0.54 * 5000, 0.03 * 2700);
}

TEST(EngineDisplay, PeakJumpClearsTheReadingUntilFiveStableBlocks) {
    auto engine = configured(4000, 1024, 1);
    int offset = 0;
    auto feed = [&](double hz) {
        runBlock(*engine, tone(512, hz, 4000, 10000, offset));
        offset += 512;
    };
    for (int block = 0; block < 8; ++block) feed(500);
    ASSERT_NE(engine->PeakFrequency, 0.0f);
    std::vector<float> readings;
    for (int block = 0; block < 10; ++block) {
        feed(1000);
        readings.push_back(engine->PeakFrequency);
    }
    // The jump is seen one block late (the output's delay); from then on the
    // reading stays 0 for five blocks and then reports the new peak.
    int firstZero = -1;
    for (int i = 0; i < 10 && firstZero < 0; ++i)
        if (readings[static_cast<std::size_t>(i)] == 0.0f) firstZero = i;
    ASSERT_GE(firstZero, 0);
    for (int i = firstZero; i < firstZero + 5; ++i) EXPECT_EQ(readings[static_cast<std::size_t>(i)], 0.0f) << i;
    EXPECT_NEAR(readings[static_cast<std::size_t>(firstZero + 5)], 1000, 8);
}

TEST(EngineDisplay, DecayFactorRunsEvenWhenOff) {
    auto raw = configured(4000, 1024);
    auto slow = configured(4000, 1024);
    auto instant = configured(4000, 1024);
    slow->SpectrumDecay = 20;    // 5 % of the difference per block
    instant->SpectrumDecay = 1;  // factor 1: the display follows each block
    const auto block = tone(512, 700, 4000, 8000);
    for (Engine* engine : {raw.get(), slow.get(), instant.get()}) runBlock(*engine, block);
    for (int i = 1; i < raw->DisplayCount; ++i) {
        const float value = raw->DisplaySpectrum[i];
        ASSERT_EQ(instant->DisplaySpectrum[i], value) << i;
        ASSERT_EQ(slow->DisplaySpectrum[i], static_cast<float>(0.05L * value)) << i;
        // Decay off still updates the running value, with factor 1.05.
        ASSERT_EQ(raw->DecayedSpectrum[i], static_cast<float>(1.05L * value)) << i;
    }
}

// Gains from the display held from the previous block (K = 3, D = 0 0 10 20):
// mean over points 2..K is 30/3 = 10; smoothed D2 = 5, D3 = 11.5; gains
// 10/(D+1) = 10, 10, 1.6667, 0.8; smoothed G2 = 5.8333, G3 = 4.15.
TEST(EngineDisplay, NormalizeGainByHandAndReset) {
    auto engine = configured(4000, 1024);
    LoadBlock(*engine, nullptr, 1024);
    engine->AnalyseBlock();
    engine->DisplayCount = 3;
    engine->DisplaySpectrum[0] = engine->DisplaySpectrum[1] = 0;
    engine->DisplaySpectrum[2] = 10;
    engine->DisplaySpectrum[3] = 20;
    engine->NormalizeRequest = true;
    engine->SynthesiseBlock();
    EXPECT_FALSE(engine->NormalizeRequest);
    EXPECT_FLOAT_EQ(engine->NormalizeGain[0], 10.0f);
    EXPECT_FLOAT_EQ(engine->NormalizeGain[1], 10.0f);
    EXPECT_FLOAT_EQ(engine->NormalizeGain[2], 5.8333333f);
    EXPECT_FLOAT_EQ(engine->NormalizeGain[3], 4.15f);
    EXPECT_EQ(engine->NormalizeGain[4], 1.0f);

    engine->NormalizeReset = true;
    engine->SynthesiseBlock();
    EXPECT_FALSE(engine->NormalizeReset);
    for (int i = 0; i <= 3; ++i) EXPECT_EQ(engine->NormalizeGain[i], 1.0f);
}

TEST(EngineDisplay, BinToFrequencyRoundsHalfToEven) {
    auto engine = configured(4000, 1024, 1);   // 7.8125 Hz per point
    EXPECT_EQ(engine->BinToFrequency(2), 16);  // 15.625
    EXPECT_EQ(engine->BinToFrequency(8), 62);  // 62.5 → 62
    EXPECT_EQ(engine->BinToFrequency(-8), -62);
    EXPECT_EQ(engine->BinToFrequency(24), 188);  // 187.5 → 188
    auto unconfigured = std::make_unique<Engine>();
    EXPECT_EQ(unconfigured->BinToFrequency(3), 0);
}

}  // namespace
}  // namespace moravel
