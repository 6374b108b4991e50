// The cleanup stages: impulse blanker, noise reduction (its frames and its
// noise tracker) and the automatic notch, on inputs worked out by hand.
#include "dsp/ChainSettings.h"
#include "dsp/Engine.h"
#include "dsp/ImpulseBlanker.h"
#include "dsp/NoiseReduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <vector>

namespace moravel {
namespace {

constexpr std::int32_t kRate = 8000;
constexpr std::int32_t kBlock = 1024;  // the player's block at 8000 Hz

std::vector<std::int16_t> Tone(std::int32_t samples, double hz, double amplitude, std::int32_t from = 0) {
    std::vector<std::int16_t> x(static_cast<std::size_t>(samples));
    for (std::int32_t i = 0; i < samples; ++i)
        x[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(
            std::lround(amplitude * std::sin(2 * std::numbers::pi * hz * (from + i) / kRate)));
    return x;
}

// ---- Impulse blanker -------------------------------------------------------------

class ImpulseBlankerTest : public ::testing::Test {
protected:
    // Two blocks of a 500 Hz tone of amplitude 1000 settle the held peak.
    void SetUp() override {
        for (std::int32_t b = 0; b < 2; ++b) {
            auto block = Tone(kBlock, 500, 1000, b * kBlock);
            blanker_.Process(block.data(), kBlock, kRate, kThreshold);
        }
    }
    static constexpr std::int32_t kThreshold = 8;  // twice the held peak
    ImpulseBlanker blanker_{};
};

// A click of one sample at 300 is bridged with the guard before it (1 ms,
// 8 samples) and the tail after it (3 ms, 24): samples 292..324 lie on the
// straight line from sample 291 to sample 325; nothing else changes.
TEST_F(ImpulseBlankerTest, ASingleClickIsBridgedByAStraightLine) {
    const auto clean = Tone(kBlock, 500, 1000, 2 * kBlock);
    auto block = clean;
    block[300] = 20000;
    blanker_.Process(block.data(), kBlock, kRate, kThreshold);
    const double from = clean[291];
    const double to = clean[325];
    for (std::int32_t i = 0; i < kBlock; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (i < 292 || i > 324) {
            ASSERT_EQ(block[k], clean[k]) << i;
        } else {
            ASSERT_EQ(block[k], std::lround(from + (to - from) * (i - 291) / 34.0)) << i;
        }
    }
    EXPECT_EQ(blanker_.BlankedSamples(), 33);
}

// A tone four times louder is the signal growing, not a click: it stays
// above the threshold for longer than a crash lasts (20 ms), so none of it
// is blanked, not even its first 20 ms.
TEST_F(ImpulseBlankerTest, ALouderSignalIsNotTakenForAnImpulse) {
    const auto loud = Tone(kBlock, 500, 4000, 2 * kBlock);
    auto block = loud;
    blanker_.Process(block.data(), kBlock, kRate, kThreshold);
    EXPECT_EQ(block, loud);
    auto next = Tone(kBlock, 500, 4000, 3 * kBlock);
    const auto expected = next;
    blanker_.Process(next.data(), kBlock, kRate, kThreshold);
    EXPECT_EQ(next, expected);
    EXPECT_EQ(blanker_.BlankedSamples(), 0);
}

// Pulses three times the held peak every 8 ms (a voice after a pause,
// rising above the peak pulse by pulse): the third, within 25 ms of the
// first, shows them all to be the signal, and since the block is bridged
// only once all of it has been judged, the first two stay as well.
TEST_F(ImpulseBlankerTest, PulsesRepeatingLikeAVoiceAreTheSignal) {
    std::vector<std::int16_t> block(kBlock);
    for (std::int32_t at = 100; at < kBlock; at += 64) block[static_cast<std::size_t>(at)] = 3000;
    const auto pulses = block;
    blanker_.Process(block.data(), kBlock, kRate, kThreshold);
    EXPECT_EQ(block, pulses);
    EXPECT_EQ(blanker_.BlankedSamples(), 0);
}

// ---- Noise reduction -------------------------------------------------------------

// Drives the noise reduction as the chain does: each call completes the
// previous block and returns the current one provisionally.
class NoiseReductionRun {
public:
    std::vector<std::int16_t> Feed(const std::vector<std::int16_t>& signal, std::int32_t strengthDb) {
        std::vector<std::int16_t> out;
        for (std::size_t at = 0; at + kBlock <= signal.size(); at += kBlock) {
            std::vector<std::int16_t> block(signal.begin() + static_cast<std::ptrdiff_t>(at),
                                            signal.begin() + static_cast<std::ptrdiff_t>(at + kBlock));
            reduction_->Process(previous_.data(), block.data(), kBlock, kRate, strengthDb);
            if (at > 0) out.insert(out.end(), previous_.begin(), previous_.end());
            previous_ = block;
        }
        return out;  // one block short: the last is still provisional
    }
    const NoiseReduction& Stage() const { return *reduction_; }

private:
    std::unique_ptr<NoiseReduction> reduction_ = std::make_unique<NoiseReduction>();
    std::vector<std::int16_t> previous_ = std::vector<std::int16_t>(kBlock);
};

// With a floor of 0 dB every gain is 1: the half-overlapping square-root
// Hann frames add up to the input, sample for sample and without delay, once
// each block has been completed by the next.
TEST(NoiseReduction, WithoutReductionTheFramesGiveBackTheInput) {
    const auto signal = Tone(6 * kBlock, 440, 8000);
    NoiseReductionRun run;
    const auto out = run.Feed(signal, 0);
    ASSERT_EQ(out.size(), 5u * kBlock);
    for (std::size_t i = 0; i < out.size(); ++i) ASSERT_NEAR(out[i], signal[i], 1) << i;
}

// White noise of a fixed sequence (a 32-bit linear congruential generator,
// summed to near-Gaussian), 3 s at one level and 3 s at four times it (+12
// dB). The true mean power of a bin is σ²·Σw² = σ²·F/2 (F = 512 samples).
std::vector<std::int16_t> NoiseStep(double sigmaBefore, double sigmaAfter) {
    std::uint32_t state = 1;
    const auto uniform = [&] {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state) / 4294967296.0 - 0.5;
    };
    std::vector<std::int16_t> x(static_cast<std::size_t>(6 * kRate / kBlock * kBlock));
    for (std::size_t i = 0; i < x.size(); ++i) {
        double sum = 0;
        for (int k = 0; k < 12; ++k) sum += uniform();  // variance 1
        x[i] = static_cast<std::int16_t>(std::lround(sum * (i < x.size() / 2 ? sigmaBefore : sigmaAfter)));
    }
    return x;
}

// The mean of noise(k) over 300..3400 Hz against the true noise power.
template <typename NoiseOfBin>
double OverTrue(NoiseOfBin noise, double sigma) {
    const std::int32_t frame = NoiseReduction::FrameFor(kBlock);
    double sum = 0;
    for (std::int32_t k = 20; k < 220; ++k) sum += noise(k);
    return sum / 200 / (sigma * sigma * frame / 2);
}

double TrackedOverTrue(const NoiseReduction& stage, double sigma) {
    return OverTrue([&](std::int32_t k) { return stage.Tracker().Noise(k); }, sigma);
}

// The tracked floor lies within 2 dB of the true one before the step, and
// again within 2 s (the minimum's window, 1.5 s, and a block) after it. A
// fall shows at once: half a second after it the floor is within 3 dB (the
// minimum over the few frames since is still a little high).
TEST(NoiseReduction, TheNoiseFloorFollowsASteps) {
    const auto seconds = [](double s) { return static_cast<std::size_t>(s * kRate) / kBlock * kBlock; };
    for (const auto& [before, after] : {std::pair{300.0, 1200.0}, std::pair{1200.0, 300.0}}) {
        const auto noise = NoiseStep(before, after);
        const auto part = [&](std::size_t from, std::size_t to) {
            return std::vector<std::int16_t>(noise.begin() + static_cast<std::ptrdiff_t>(from),
                                             noise.begin() + static_cast<std::ptrdiff_t>(to));
        };
        const std::size_t half = noise.size() / 2;
        NoiseReductionRun run;
        run.Feed(part(0, half), 20);
        EXPECT_NEAR(10 * std::log10(TrackedOverTrue(run.Stage(), before)), 0.0, 2.0) << before << " before";
        run.Feed(part(half, half + seconds(0.5)), 20);
        if (after < before) {
            EXPECT_NEAR(10 * std::log10(TrackedOverTrue(run.Stage(), after)), 0.0, 3.0) << after << " at 0.5 s";
        }
        run.Feed(part(half + seconds(0.5), half + seconds(2.0)), 20);
        EXPECT_NEAR(10 * std::log10(TrackedOverTrue(run.Stage(), after)), 0.0, 2.0) << after << " at 2 s";
    }
}

// A print learnt over 4 s of steady noise (σ = 300) holding one static crash
// (40 samples at ±30000, about 12 times the noise's power averaged over the
// stretch) lies within 1 dB of the noise: the crash must not lift it, or the
// print would take the speech away with the noise.
TEST(NoiseReduction, ACrashInTheStretchDoesNotLiftThePrint) {
    auto noise = NoiseStep(300, 300);
    noise.resize(static_cast<std::size_t>(4 * kRate) / kBlock * kBlock);
    for (std::size_t i = 0; i < 40; ++i) noise[noise.size() / 2 + i] = (i % 3 == 0) ? -30000 : 30000;
    auto stage = std::make_unique<NoiseReduction>();
    stage->SetLearning(true);
    for (std::size_t at = 0; at + kBlock <= noise.size(); at += kBlock) stage->Learn(noise.data() + at, kBlock, kRate);
    stage->SetLearning(false);
    const auto print = stage->Print();
    ASSERT_EQ(print.size(), static_cast<std::size_t>(NoiseReduction::FrameFor(kBlock) / 2 + 1));
    EXPECT_NEAR(10 * std::log10(OverTrue([&](std::int32_t k) { return print[static_cast<std::size_t>(k)]; }, 300)), 0.0,
                1.0);
}

// A steady 1000 Hz tone (amplitude 3000) in the stretch is left out of the
// print: its bin, 64, holds no more than the noise around it (within 3 dB),
// or the print would lower the tone before the notch could ever find it.
TEST(NoiseReduction, ASteadyToneIsLeftOutOfThePrint) {
    auto mix = NoiseStep(300, 300);
    mix.resize(static_cast<std::size_t>(4 * kRate) / kBlock * kBlock);
    const auto tone = Tone(static_cast<std::int32_t>(mix.size()), 1000, 3000);
    for (std::size_t i = 0; i < mix.size(); ++i) mix[i] = static_cast<std::int16_t>(mix[i] + tone[i]);
    auto stage = std::make_unique<NoiseReduction>();
    stage->SetLearning(true);
    for (std::size_t at = 0; at + kBlock <= mix.size(); at += kBlock) stage->Learn(mix.data() + at, kBlock, kRate);
    stage->SetLearning(false);
    const double noise = 300.0 * 300.0 * NoiseReduction::FrameFor(kBlock) / 2;
    EXPECT_NEAR(10 * std::log10(stage->Print()[64] / noise), 0.0, 3.0);
}

// ---- Automatic notch ---------------------------------------------------------------

// The chain with the automatic notch alone; returns the output (one block
// late, as the chain is).
std::vector<std::int16_t> ThroughNotch(const std::vector<std::int16_t>& signal, Engine& engine) {
    ChainSettings settings;
    settings.cleanup.autoNotchOn = true;
    ConfigureChain(engine, settings, kRate, 2 * kBlock);
    const StageSwitches stages = SwitchesFor(settings);
    std::vector<std::int16_t> out;
    for (std::size_t at = 0; at + kBlock <= signal.size(); at += kBlock) {
        ProcessBlock(engine, stages, signal.data() + at, 2 * kBlock);
        out.insert(out.end(), engine.OutputBlock, engine.OutputBlock + kBlock);
    }
    return out;
}

// Amplitude of the `hz` component of x[from..to) (correlation with a sine
// and a cosine).
double AmplitudeAt(const std::vector<std::int16_t>& x, double hz, std::size_t from, std::size_t to) {
    double c = 0;
    double s = 0;
    for (std::size_t i = from; i < to; ++i) {
        const double angle = 2 * std::numbers::pi * hz * static_cast<double>(i) / kRate;
        c += x[i] * std::cos(angle);
        s += x[i] * std::sin(angle);
    }
    return 2 * std::hypot(c, s) / static_cast<double>(to - from);
}

// A steady 1000 Hz tone with a chirp sweeping 300 → 2700 Hz over 6 s: the
// tone is found within a second and is then more than 30 dB down, while the
// chirp, which never stays on one frequency, passes (its level measured
// where it is far from the tone, against the chain with every stage off,
// which halves the level).
TEST(AutoNotch, ASteadyToneIsNotchedWhileAChirpPasses) {
    const std::int32_t samples = 6 * kRate / kBlock * kBlock;
    std::vector<std::int16_t> tone = Tone(samples, 1000, 4000);
    std::vector<std::int16_t> chirp(static_cast<std::size_t>(samples));
    std::vector<std::int16_t> mix(static_cast<std::size_t>(samples));
    const double seconds = static_cast<double>(samples) / kRate;
    for (std::int32_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double phase = 2 * std::numbers::pi * (300 * t + (2700 - 300) / (2 * seconds) * t * t);
        const auto k = static_cast<std::size_t>(i);
        chirp[k] = static_cast<std::int16_t>(std::lround(2000 * std::sin(phase)));
        mix[k] = static_cast<std::int16_t>(tone[k] + chirp[k]);
    }
    auto engine = std::make_unique<Engine>();
    const auto out = ThroughNotch(mix, *engine);
    EXPECT_TRUE(engine->Notches.Notched(512)) << "1000 Hz is Spectrum bin 1000 / (8000 / (4 · 1024)) = 512";

    // Output block b holds input block b − 1. From 2 s to 3 s the chirp is
    // at 1100..1500 Hz.
    const std::size_t from = 2 * kRate + kBlock;
    const std::size_t to = 3 * kRate;
    const double toneIn = AmplitudeAt(tone, 1000, from - kBlock, to - kBlock) / 2;  // the chain halves
    const double toneOut = AmplitudeAt(out, 1000, from, to);
    EXPECT_LT(20 * std::log10(toneOut / toneIn), -30.0);

    // Around 5 s the chirp is at 2300..2500 Hz, far from the tone.
    auto offEngine = std::make_unique<Engine>();
    ChainSettings off;
    ConfigureChain(*offEngine, off, kRate, 2 * kBlock);
    std::vector<std::int16_t> reference;
    for (std::size_t at = 0; at + kBlock <= chirp.size(); at += kBlock) {
        ProcessBlock(*offEngine, SwitchesFor(off), chirp.data() + at, 2 * kBlock);
        reference.insert(reference.end(), offEngine->OutputBlock, offEngine->OutputBlock + kBlock);
    }
    double kept = 0;
    double whole = 0;
    for (std::size_t i = 5 * kRate; i < 5 * kRate + kBlock * 2; ++i) {
        kept += static_cast<double>(out[i]) * out[i];
        whole += static_cast<double>(reference[i]) * reference[i];
    }
    EXPECT_GT(10 * std::log10(kept / whole), -1.0);
}

// A 1000 Hz tone found at 25 dB above the noise (σ = 300) and then lowered to
// about 7 dB above it, as the noise reduction before the notch lowers a
// steady tone once it has learnt it as noise: it stays notched (a tone lost
// would come back no lower than the noise reduction takes it).
TEST(AutoNotch, AToneFoundStaysNotchedWhenItIsLowered) {
    auto mix = NoiseStep(300, 300);
    const auto loud = Tone(static_cast<std::int32_t>(mix.size()), 1000, 600);
    const auto weak = Tone(static_cast<std::int32_t>(mix.size()), 1000, 30);
    for (std::size_t i = 0; i < mix.size(); ++i)
        mix[i] = static_cast<std::int16_t>(mix[i] + (i < 10 * kBlock ? loud[i] : weak[i]));
    auto engine = std::make_unique<Engine>();
    ThroughNotch(mix, *engine);
    bool notched = false;
    for (std::int32_t k = 510; k <= 514; ++k) notched = notched || engine->Notches.Notched(k);  // 1000 Hz: bin 512
    EXPECT_TRUE(notched);
}

}  // namespace
}  // namespace moravel
