// The synthetic receiver signal: the same samples whatever the block sizes,
// each component where the header says it is, and the levels in bounds.
#include "VirtualTestSupport.h"
#include "audio/virtual/Keying.h"
#include "audio/virtual/ReceiverSignal.h"
#include "audio/virtual/TonePhasors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace moravel {
namespace {

using testing::ToneAmplitude;
using Samples = std::vector<std::int16_t>;
using Levels = ReceiverSignal::Levels;

Samples take(ReceiverSignal& signal, std::size_t count) {
    Samples out(count);
    signal.Fill(out.data(), count);
    return out;
}

Samples generate(std::int32_t rate, std::size_t count, Levels levels = {},
                 std::uint64_t seed = ReceiverSignal::kDefaultSeed) {
    ReceiverSignal signal(rate, levels, seed);
    return take(signal, count);
}

Levels only(double Levels::*component, double level) {
    Levels levels{0, 0, 0, 0, 0};
    levels.*component = level;
    return levels;
}

int peak(const Samples& samples) {
    int most = 0;
    for (std::int16_t s : samples) most = std::max(most, std::abs(int{s}));
    return most;
}

// The signal's formula written out plainly, one sine per tone and harmonic
// per sample: what the generator's faster arithmetic must reproduce.
class ReferenceSignal {
public:
    explicit ReferenceSignal(std::int32_t rate, std::uint64_t seed = ReceiverSignal::kDefaultSeed)
        : rate_(rate), seed_(seed) {}

    std::int16_t Sample(std::int64_t k) const {
        const double sum = noise(k) + hum(k) + cw(k) + fsk(k) + speech(k);
        return static_cast<std::int16_t>(std::clamp(std::nearbyint(sum), -32768.0, 32767.0));
    }

private:
    static std::uint64_t mix(std::uint64_t x) {
        x += 0x9E3779B97F4A7C15ULL;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
        return x ^ (x >> 31);
    }
    std::uint64_t hash(std::uint64_t stream, std::int64_t index) const {
        return mix(seed_ ^ mix(stream ^ mix(static_cast<std::uint64_t>(index))));
    }
    std::pair<std::int64_t, double> slot(std::int64_t k, std::int64_t num, std::int64_t den) const {
        const std::int64_t n = k * num;
        const std::int64_t d = std::int64_t{rate_} * den;
        return {n / d, double(n % d) / double(d)};
    }
    bool audible(std::int32_t hz) const { return std::int64_t{hz} * 20 < std::int64_t{rate_} * 9; }
    double tone(std::int64_t k, std::int32_t hz, double phase = 0.0) const {
        return std::sin(2.0 * std::numbers::pi * double((k * hz) % rate_) / rate_ + phase);
    }
    double noise(std::int64_t k) const {
        const std::uint64_t h = hash(1, k);
        return (double(h & 0xFFFF) / 65535.0 + double((h >> 16) & 0xFFFF) / 65535.0 - 1.0) * 400;
    }
    double hum(std::int64_t k) const {
        const std::array<std::pair<std::int32_t, double>, 4> tones{{{50, 1.0}, {100, 0.4}, {150, 0.6}, {250, 0.2}}};
        double sum = 0.0;
        for (std::size_t i = 0; i < tones.size(); ++i)
            if (audible(tones[i].first)) sum += tones[i].second * tone(k, tones[i].first, 0.7 * double(i));
        return sum * 1500;
    }
    double cw(std::int64_t k) const {
        static const vcard::MorseKeying cq("-.-. --.-");
        if (!audible(800)) return 0.0;
        const auto [unit, fraction] = slot(k, 50, 3);
        return cq.Envelope(unit, fraction, 5.0 / 60.0) * tone(k, 800) * 4000;
    }
    double fsk(std::int64_t k) const {
        if (!audible(1085)) return 0.0;
        const auto [bit, fraction] = slot(k, 500, 11);
        const bool p = hash(2, bit - 1) & 1, c = hash(2, bit) & 1, n = hash(2, bit + 1) & 1;
        const double mark = vcard::SoftKeyEnvelope(p, c, n, fraction, 0.5 / 22.0);
        const double space = vcard::SoftKeyEnvelope(!p, !c, !n, fraction, 0.5 / 22.0);
        return (mark * tone(k, 1085) + space * tone(k, 915)) * 3000;
    }
    double speech(std::int64_t k) const {
        const std::array<std::pair<double, double>, 4> vowels{{{730, 1090}, {270, 2290}, {530, 1840}, {300, 870}}};
        const auto [syllable, fraction] = slot(k, 4, 1);
        const std::uint64_t draw = hash(3, syllable);
        if (draw % 4 == 0) return 0.0;
        const auto [f1, f2] = vowels[(draw >> 8) % vowels.size()];
        double sum = 0.0;
        double weights = 0.0;
        for (int h = 3; h <= 24 && audible(h * 125); ++h) {
            const double a = (h * 125 - f1) / 150.0;
            const double b = (h * 125 - f2) / 200.0;
            const double w = 1.0 / (1.0 + a * a) + 0.5 / (1.0 + b * b);
            sum += w * tone(k, h * 125, std::numbers::pi * h * h / 24);
            weights += w;
        }
        if (weights == 0.0) return 0.0;
        return std::pow(std::sin(std::numbers::pi * fraction), 2) * sum / weights * 3000;
    }

    std::int32_t rate_;
    std::uint64_t seed_;
};

// Four seconds from the start and one more a month into the stream, at every
// capture rate of the audio ranges (and two low rates where the voice loses
// all but one harmonic, then all) and at two seeds: the generator may only
// differ by the rounding of its sum, so by at most 1, and rarely.
TEST(ReceiverSignal, MatchesTheReferenceFormula) {
    const std::int64_t month = std::int64_t{3600} * 24 * 30;
    for (std::uint64_t seed : {ReceiverSignal::kDefaultSeed, std::uint64_t{7}}) {
        for (std::int32_t rate : {600, 1000, 3950, 8450, 15950, 30950}) {
            const ReceiverSignal signal(rate, {}, seed);
            const ReferenceSignal reference(rate, seed);
            std::int64_t compared = 0;
            std::int64_t differing = 0;
            for (std::int64_t start : {std::int64_t{0}, rate * month + 12345}) {
                for (std::int64_t k = start; k < start + std::int64_t{rate} * (start == 0 ? 4 : 1); ++k) {
                    const int difference = signal.Sample(k) - reference.Sample(k);
                    ASSERT_LE(std::abs(difference), 1) << "rate " << rate << ", sample " << k;
                    differing += difference != 0;
                    ++compared;
                }
            }
            EXPECT_LE(differing * 1000, compared) << rate;  // a systematic error would show far more often
            std::printf("[          ] rate %d seed %llx: %lld of %lld samples differ by 1\n", rate,
                        static_cast<unsigned long long>(seed), static_cast<long long>(differing),
                        static_cast<long long>(compared));
        }
    }
}

// Periods below, at and around the powers of two where the table's split
// into coarse and fine parts changes, and the highest capture rate; within
// a few rounding steps of an angle near 2 pi (one step there is 8.9e-16).
TEST(ReceiverSignal, PhasorTableGivesEveryPhase) {
    for (std::int32_t period : {1, 2, 3, 255, 256, 257, 4096, 30950, 384000}) {
        const vcard::PhasorTable table(period);
        for (std::int32_t n = 0; n < period; n += 1 + period / 5000) {
            const double angle = 2.0 * std::numbers::pi * n / period;
            const vcard::Phasor z = table.At(n);
            ASSERT_NEAR(z.re, std::cos(angle), 4e-15) << period << " " << n;
            ASSERT_NEAR(z.im, std::sin(angle), 4e-15) << period << " " << n;
        }
        EXPECT_EQ(table.At(0).re, 1.0);  // no rounding where every tone starts
        EXPECT_EQ(table.At(0).im, 0.0);
    }
}

TEST(ReceiverSignal, BlockSizeDoesNotChangeTheStream) {
    const Samples whole = generate(8450, 20000);
    for (std::size_t block : {1U, 7U, 512U, 1024U, 4096U}) {
        ReceiverSignal signal(8450);
        Samples pieces;
        while (pieces.size() < whole.size()) {
            const Samples part = take(signal, std::min(block, whole.size() - pieces.size()));
            pieces.insert(pieces.end(), part.begin(), part.end());
        }
        EXPECT_EQ(pieces, whole) << "blocks of " << block;
    }
}

TEST(ReceiverSignal, SampleDependsOnlyOnItsIndex) {
    ReceiverSignal signal(15950);
    signal.Skip(123456);
    EXPECT_EQ(signal.Position(), 123456);
    const Samples after = take(signal, 100);
    const ReceiverSignal fresh(15950);
    for (std::size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i], fresh.Sample(123456 + std::int64_t(i)));
    // Far into a long run the tones still sit on their exact phase grid.
    const std::int64_t late = std::int64_t{15950} * 3600 * 24 * 30;
    const ReceiverSignal hum(15950, only(&Levels::hum, 1500));
    EXPECT_EQ(hum.Sample(late), hum.Sample(0));
}

TEST(ReceiverSignal, SeedChangesTheRandomPartsOnly) {
    const Levels noHum{400, 0, 4000, 3000, 3000};
    EXPECT_NE(generate(8450, 8450, noHum, 1), generate(8450, 8450, noHum, 2));
    const Levels hum = only(&Levels::hum, 1500);
    EXPECT_EQ(generate(8450, 8450, hum, 1), generate(8450, 8450, hum, 2));
}

TEST(ReceiverSignal, RejectsARateBelowOne) { EXPECT_THROW(ReceiverSignal(0), std::invalid_argument); }

// Ten seconds of the full mix at every capture rate of the audio ranges.
TEST(ReceiverSignal, StaysWellInsideFullScale) {
    for (std::int32_t rate : {3950, 8450, 15950, 30950}) {
        const Samples mix = generate(rate, std::size_t(rate) * 10);
        EXPECT_LT(peak(mix), 14000) << rate;
        EXPECT_GT(peak(mix), 5000) << rate;
    }
}

TEST(ReceiverSignal, EachComponentStaysWithinItsLevel) {
    // The hum's bound is the sum of its harmonics' gains: 1 + 0.4 + 0.6 + 0.2.
    const struct {
        double Levels::*component;
        double level;
        double bound;
    } components[] = {{&Levels::noise, 400, 400},
                      {&Levels::hum, 1500, 1500 * 2.2},
                      {&Levels::cw, 4000, 4000},
                      {&Levels::fsk, 3000, 3000},
                      {&Levels::speech, 3000, 3000}};
    for (const auto& c : components) {
        const int most = peak(generate(8450, 8450 * 5, only(c.component, c.level)));
        EXPECT_LE(most, int(c.bound) + 1) << c.level;
        EXPECT_GT(most, int(c.level * 0.3)) << c.level;
    }
}

// Two seconds at 8450 Hz: 0.5 Hz resolution, whole cycles of every hum tone.
TEST(ReceiverSignal, ComponentsShowInTheSpectrum) {
    const std::int32_t rate = 8450;
    const Samples mix = generate(rate, 2 * rate);
    const double floor = ToneAmplitude(mix, 3400, rate);  // above the voice, below Nyquist: noise only
    EXPECT_LT(floor, 20);
    EXPECT_NEAR(ToneAmplitude(mix, 50, rate), 1500, 40);
    EXPECT_NEAR(ToneAmplitude(mix, 100, rate), 600, 40);
    EXPECT_NEAR(ToneAmplitude(mix, 150, rate), 900, 40);
    EXPECT_NEAR(ToneAmplitude(mix, 250, rate), 300, 40);
    EXPECT_LT(ToneAmplitude(mix, 200, rate), 40);  // not a hum harmonic
    // Keyed on for 18 of every 34 units, the CW averages about half its level.
    EXPECT_GT(ToneAmplitude(mix, 800, rate), 1500);
    EXPECT_GT(ToneAmplitude(mix, 1085, rate), 400);
    EXPECT_GT(ToneAmplitude(mix, 915, rate), 400);
}

TEST(ReceiverSignal, VoiceHarmonicsFollowTheFormants) {
    const std::int32_t rate = 8450;
    const Samples voice = generate(rate, 8 * rate, only(&Levels::speech, 3000));
    const double harmonic = ToneAmplitude(voice, 750, rate);  // near F1 of the open vowels
    const double between = ToneAmplitude(voice, 812.5, rate);
    EXPECT_GT(harmonic, 20 * between);
    EXPECT_LT(ToneAmplitude(voice, 125, rate), between + 5);  // no fundamental: it lies below 300 Hz
    EXPECT_GT(ToneAmplitude(voice, 2500, rate), 5);           // the voice reaches 3000 Hz
}

// At 3950 Hz a 2500 Hz voice harmonic would fold to 1450 Hz; it is left out.
TEST(ReceiverSignal, LeavesOutTonesThatWouldAlias) {
    const std::int32_t rate = 3950;
    const Samples voice = generate(rate, 8 * rate, only(&Levels::speech, 3000));
    EXPECT_LT(ToneAmplitude(voice, 1450, rate), 2);
    EXPECT_GT(ToneAmplitude(voice, 1500, rate), 10);
    const Samples slow = generate(1000, 4000, only(&Levels::cw, 4000));
    EXPECT_EQ(peak(slow), 0);  // 800 Hz has no place at 1000 Hz
}

// "CQ" at 60 ms per unit: -.-. --.- then 7 units off, 2.04 s per round.
TEST(ReceiverSignal, CwIsKeyedAsMorseCq) {
    const std::int32_t rate = 8000;  // 480 samples per unit
    const Samples cw = generate(rate, 2 * 16320, only(&Levels::cw, 4000));
    const std::string expected = "1110101110100011101110101110000000";
    std::string keyed;
    for (std::size_t unit = 0; unit < 34; ++unit) {
        const Samples middle(cw.begin() + long(unit * 480 + 120), cw.begin() + long(unit * 480 + 360));
        keyed += peak(middle) > 3000 ? '1' : (peak(middle) == 0 ? '0' : '?');
    }
    EXPECT_EQ(keyed, expected);
    EXPECT_TRUE(std::equal(cw.begin(), cw.begin() + 16320, cw.begin() + 16320));  // it repeats
}

// Raised-cosine edges of 5 ms: the first milliseconds of a dash build up.
TEST(ReceiverSignal, CwEdgesAreSoft) {
    const std::int32_t rate = 8000;
    const Samples cw = generate(rate, 480 * 3, only(&Levels::cw, 4000));
    EXPECT_LT(peak(Samples(cw.begin(), cw.begin() + 4)), 100);         // first half millisecond
    EXPECT_GT(peak(Samples(cw.begin() + 40, cw.begin() + 50)), 3700);  // after 5 ms: full
    // The dash ends with a falling edge, not a cut.
    EXPECT_LT(peak(Samples(cw.begin() + 1436, cw.begin() + 1440)), 100);
}

// Each 22 ms bit holds one of the two tones (and the other is silent).
TEST(ReceiverSignal, FskSendsOneToneAtATime) {
    const std::int32_t rate = 11000;  // 242 samples per bit
    const Samples fsk = generate(rate, 242 * 200, only(&Levels::fsk, 3000));
    int marks = 0;
    for (std::size_t bit = 0; bit < 200; ++bit) {
        const Samples middle(fsk.begin() + long(bit * 242 + 21), fsk.begin() + long(bit * 242 + 221));
        const double mark = ToneAmplitude(middle, 1085, rate);
        const double space = ToneAmplitude(middle, 915, rate);
        ASSERT_GT(std::max(mark, space), 2500) << bit;
        ASSERT_LT(std::min(mark, space), 600) << bit;
        marks += mark > space;
    }
    EXPECT_GT(marks, 70);  // a pseudo-random stream, not a constant
    EXPECT_LT(marks, 130);
}

}  // namespace
}  // namespace moravel
