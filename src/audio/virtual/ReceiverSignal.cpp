#include "ReceiverSignal.h"

#include "Keying.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace moravel {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A counter-based generator (SplitMix64's finaliser): every output depends
// only on its input, so no state has to be carried from block to block.
std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

std::uint64_t hash(std::uint64_t seed, std::uint64_t stream, std::int64_t index) {
    return mix(seed ^ mix(stream ^ mix(static_cast<std::uint64_t>(index))));
}

// Independent pseudo-random streams drawn from one seed.
constexpr std::uint64_t kNoiseStream = 1;
constexpr std::uint64_t kBitStream = 2;
constexpr std::uint64_t kSyllableStream = 3;

// Where sample k falls in a sequence of slots of fixed length, the slot rate
// being slotsNum / slotsDen per second; computed in integers so that slot
// boundaries never drift however long the stream runs.
struct Slot {
    std::int64_t index;
    double fraction;
};

Slot slotOf(std::int64_t k, std::int32_t rate, std::int64_t slotsNum, std::int64_t slotsDen) {
    const std::int64_t num = k * slotsNum;
    const std::int64_t den = std::int64_t{rate} * slotsDen;
    return {num / den, static_cast<double>(num % den) / static_cast<double>(den)};
}

const vcard::MorseKeying& cqKeying() {
    static const vcard::MorseKeying keying("-.-. --.-");
    return keying;
}

constexpr double kCwEdgeUnits = 5.0 / 60.0;  // 5 ms of a 60 ms unit
constexpr double kFskEdgeBits = 0.5 / 22.0;  // 0.5 ms of a 22 ms bit

struct Harmonic {
    std::int32_t hz;
    double gain;
};
constexpr std::array<Harmonic, 4> kHum{{{50, 1.0}, {100, 0.4}, {150, 0.6}, {250, 0.2}}};

struct Vowel {
    double f1;
    double f2;
};
constexpr std::array<Vowel, 4> kVowels{{{730, 1090}, {270, 2290}, {530, 1840}, {300, 870}}};
constexpr int kFirstVoiceHarmonic = 3;  // 375 Hz
constexpr int kLastVoiceHarmonic = 24;  // 3000 Hz

double formantWeight(double hz, const Vowel& vowel) {
    const double a = (hz - vowel.f1) / 150.0;
    const double b = (hz - vowel.f2) / 200.0;
    return 1.0 / (1.0 + a * a) + 0.5 / (1.0 + b * b);
}

}  // namespace

ReceiverSignal::ReceiverSignal(std::int32_t rate, Levels levels, std::uint64_t seed)
    : rate_(rate), levels_(levels), seed_(seed) {
    if (rate < 1) throw std::invalid_argument("ReceiverSignal: the rate must be at least 1 sample per second");
}

void ReceiverSignal::Fill(std::int16_t* dest, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) dest[i] = Sample(position_++);
}

std::int16_t ReceiverSignal::Sample(std::int64_t k) const {
    const double sum = noise(k) + hum(k) + cw(k) + fsk(k) + speech(k);
    return static_cast<std::int16_t>(std::clamp(std::nearbyint(sum), -32768.0, 32767.0));
}

bool ReceiverSignal::audible(std::int32_t hz) const { return std::int64_t{hz} * 20 < std::int64_t{rate_} * 9; }

// The phase is reduced in integers (whole cycles dropped), so that a tone
// keeps its exact frequency at any sample index.
double ReceiverSignal::tone(std::int64_t k, std::int32_t hz, double phase) const {
    const std::int64_t cycles = (k * hz) % rate_;
    return std::sin(kTwoPi * static_cast<double>(cycles) / rate_ + phase);
}

// The sum of two uniform values: triangular between -level and +level.
double ReceiverSignal::noise(std::int64_t k) const {
    if (levels_.noise == 0) return 0.0;
    const std::uint64_t h = hash(seed_, kNoiseStream, k);
    const double u1 = static_cast<double>(h & 0xFFFF) / 65535.0;
    const double u2 = static_cast<double>((h >> 16) & 0xFFFF) / 65535.0;
    return (u1 + u2 - 1.0) * levels_.noise;
}

double ReceiverSignal::hum(std::int64_t k) const {
    if (levels_.hum == 0) return 0.0;
    double sum = 0.0;
    for (std::size_t i = 0; i < kHum.size(); ++i)
        if (audible(kHum[i].hz)) sum += kHum[i].gain * tone(k, kHum[i].hz, 0.7 * static_cast<double>(i));
    return sum * levels_.hum;
}

double ReceiverSignal::cw(std::int64_t k) const {
    if (levels_.cw == 0 || !audible(kCwHz)) return 0.0;
    const Slot unit = slotOf(k, rate_, 50, 3);  // 60 ms units
    const double envelope = cqKeying().Envelope(unit.index, unit.fraction, kCwEdgeUnits);
    return envelope == 0.0 ? 0.0 : envelope * tone(k, kCwHz) * levels_.cw;
}

// Each tone is keyed on during its own bits; the short edges of the two
// never overlap, so the sum stays within the level.
double ReceiverSignal::fsk(std::int64_t k) const {
    if (levels_.fsk == 0 || !audible(kMarkHz)) return 0.0;
    const Slot bit = slotOf(k, rate_, 500, 11);  // 22 ms bits
    auto mark = [this](std::int64_t b) { return (hash(seed_, kBitStream, b) & 1) != 0; };
    const bool previous = mark(bit.index - 1);
    const bool current = mark(bit.index);
    const bool next = mark(bit.index + 1);
    const double markEnvelope = vcard::SoftKeyEnvelope(previous, current, next, bit.fraction, kFskEdgeBits);
    const double spaceEnvelope = vcard::SoftKeyEnvelope(!previous, !current, !next, bit.fraction, kFskEdgeBits);
    return (markEnvelope * tone(k, kMarkHz) + spaceEnvelope * tone(k, kSpaceHz)) * levels_.fsk;
}

// The harmonic weights are normalised to a sum of 1, so the voice's peak
// never exceeds its level; phases growing with the square of the harmonic
// number keep its crest low.
double ReceiverSignal::speech(std::int64_t k) const {
    if (levels_.speech == 0) return 0.0;
    const Slot syllable = slotOf(k, rate_, 4, 1);  // 250 ms syllables
    const std::uint64_t draw = hash(seed_, kSyllableStream, syllable.index);
    if (draw % 4 == 0) return 0.0;  // a pause
    const Vowel& vowel = kVowels[(draw >> 8) % kVowels.size()];
    double sum = 0.0;
    double weights = 0.0;
    for (int h = kFirstVoiceHarmonic; h <= kLastVoiceHarmonic; ++h) {
        const std::int32_t hz = h * kVoiceHz;
        if (!audible(hz)) break;
        const double w = formantWeight(hz, vowel);
        sum += w * tone(k, hz, std::numbers::pi * h * h / kLastVoiceHarmonic);
        weights += w;
    }
    if (weights == 0.0) return 0.0;
    const double envelope = std::pow(std::sin(std::numbers::pi * syllable.fraction), 2);
    return envelope * sum / weights * levels_.speech;
}

}  // namespace moravel
