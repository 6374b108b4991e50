#include "audio/virtual/ReceiverSignal.h"

#include "audio/virtual/Keying.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace moravel {

namespace {

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

std::int32_t checkedRate(std::int32_t rate) {
    if (rate < 1) throw std::invalid_argument("ReceiverSignal: the rate must be at least 1 sample per second");
    return rate;
}

// A tone is left out at or above 0.45 x rate, where it would alias.
bool audible(std::int32_t hz, std::int32_t rate) { return std::int64_t{hz} * 20 < std::int64_t{rate} * 9; }

// The hum's tones as harmonics of 50 Hz, tone i starting at phase 0.7 x i.
struct HumTone {
    int harmonic;
    double gain;
};
constexpr std::array<HumTone, 4> kHum{{{1, 1.0}, {2, 0.4}, {3, 0.6}, {5, 0.2}}};

struct Vowel {
    double f1;
    double f2;
};
constexpr std::array<Vowel, 4> kVowels{{{730, 1090}, {270, 2290}, {530, 1840}, {300, 870}}};
constexpr std::int32_t kSyllablesPerSecond = 4;  // 250 ms each
constexpr int kFirstVoiceHarmonic = 3;           // 375 Hz
constexpr int kLastVoiceHarmonic = 24;           // 3000 Hz

double formantWeight(double hz, const Vowel& vowel) {
    const double a = (hz - vowel.f1) / 150.0;
    const double b = (hz - vowel.f2) / 200.0;
    return 1.0 / (1.0 + a * a) + 0.5 / (1.0 + b * b);
}

vcard::HarmonicSeries humSeries(std::int32_t rate) {
    vcard::HarmonicSeries series;
    for (std::size_t i = 0; i < kHum.size(); ++i)
        if (audible(kHum[i].harmonic * ReceiverSignal::kHumHz, rate))
            series.Add(kHum[i].harmonic, kHum[i].gain, 0.7 * static_cast<double>(i));
    return series;
}

// The audible harmonics' weights are normalised to a sum of 1, so the voice's
// peak never exceeds its level; phases growing with the square of the
// harmonic number keep its crest low.
vcard::HarmonicSeries voiceSeries(const Vowel& vowel, std::int32_t rate) {
    std::array<double, kLastVoiceHarmonic + 1> weight{};
    double weights = 0.0;
    int last = kFirstVoiceHarmonic - 1;  // the highest audible harmonic
    while (last < kLastVoiceHarmonic && audible((last + 1) * ReceiverSignal::kVoiceHz, rate)) {
        ++last;
        weight[last] = formantWeight(last * ReceiverSignal::kVoiceHz, vowel);
        weights += weight[last];
    }
    vcard::HarmonicSeries series;
    for (int h = kFirstVoiceHarmonic; h <= last; ++h)
        series.Add(h, weight[h] / weights, std::numbers::pi * h * h / kLastVoiceHarmonic);
    return series;
}

}  // namespace

ReceiverSignal::ReceiverSignal(std::int32_t rate, Levels levels, std::uint64_t seed)
    : rate_(rate), levels_(levels), seed_(seed), phasors_(checkedRate(rate)), hum_(humSeries(rate)) {
    static_assert(kVowels.size() == kVowelCount);
    for (std::size_t v = 0; v < kVowels.size(); ++v) voices_[v] = voiceSeries(kVowels[v], rate);
}

void ReceiverSignal::Fill(std::int16_t* dest, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) dest[i] = Sample(position_++);
}

std::int16_t ReceiverSignal::Sample(std::int64_t k) const {
    const double sum = noise(k) + hum(k) + cw(k) + fsk(k) + speech(k);
    return static_cast<std::int16_t>(std::clamp(std::nearbyint(sum), -32768.0, 32767.0));
}

// The phase of an hz tone at sample k, in 1/rate of a cycle (0 <= cycles <
// rate). It is reduced in integers (whole cycles dropped), so that a tone
// keeps its exact frequency at any sample index.
std::int32_t ReceiverSignal::cycles(std::int64_t k, std::int32_t hz) const {
    return static_cast<std::int32_t>((k * hz) % rate_);
}

vcard::Phasor ReceiverSignal::phasor(std::int64_t k, std::int32_t hz) const { return phasors_.At(cycles(k, hz)); }

double ReceiverSignal::tone(std::int64_t k, std::int32_t hz) const { return phasor(k, hz).im; }

double ReceiverSignal::keyedTone(std::int64_t k, std::int32_t hz, double envelope) const {
    return envelope == 0.0 ? 0.0 : envelope * tone(k, hz);
}

// All harmonics from the one phasor of the fundamental's exact phase.
double ReceiverSignal::harmonics(const vcard::HarmonicSeries& series, std::int64_t k, std::int32_t hz) const {
    return series.At(phasor(k, hz));
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
    if (levels_.hum == 0 || hum_.Empty()) return 0.0;
    return harmonics(hum_, k, kHumHz) * levels_.hum;
}

double ReceiverSignal::cw(std::int64_t k) const {
    if (levels_.cw == 0 || !audible(kCwHz, rate_)) return 0.0;
    const Slot unit = slotOf(k, rate_, 50, 3);  // 60 ms units
    return keyedTone(k, kCwHz, cqKeying().Envelope(unit.index, unit.fraction, kCwEdgeUnits)) * levels_.cw;
}

// Each tone is keyed on during its own bits; the short edges of the two
// never overlap, so the sum stays within the level.
double ReceiverSignal::fsk(std::int64_t k) const {
    if (levels_.fsk == 0 || !audible(kMarkHz, rate_)) return 0.0;
    const Slot bit = slotOf(k, rate_, 500, 11);  // 22 ms bits
    auto mark = [this](std::int64_t b) { return (hash(seed_, kBitStream, b) & 1) != 0; };
    const bool previous = mark(bit.index - 1);
    const bool current = mark(bit.index);
    const bool next = mark(bit.index + 1);
    const double markEnvelope = vcard::SoftKeyEnvelope(previous, current, next, bit.fraction, kFskEdgeBits);
    const double spaceEnvelope = vcard::SoftKeyEnvelope(!previous, !current, !next, bit.fraction, kFskEdgeBits);
    return (keyedTone(k, kMarkHz, markEnvelope) + keyedTone(k, kSpaceHz, spaceEnvelope)) * levels_.fsk;
}

// One syllable: a vowel's harmonics under a sin^2 envelope, or a pause.
double ReceiverSignal::speech(std::int64_t k) const {
    if (levels_.speech == 0) return 0.0;
    const std::int64_t syllable = k * kSyllablesPerSecond / rate_;
    const std::uint64_t draw = hash(seed_, kSyllableStream, syllable);
    if (draw % 4 == 0) return 0.0;  // a pause
    const vcard::HarmonicSeries& voice = voices_[(draw >> 8) % voices_.size()];
    // sin^2 of half a cycle per syllable: (1 - cos 2x) / 2, from the
    // phasor of a tone with one cycle per syllable.
    const double envelope = 0.5 - 0.5 * phasor(k, kSyllablesPerSecond).re;
    if (voice.Empty() || envelope == 0.0) return 0.0;
    return envelope * harmonics(voice, k, kVoiceHz) * levels_.speech;
}

}  // namespace moravel
