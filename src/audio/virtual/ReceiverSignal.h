// A deterministic, receiver-like test signal: what the audio output of a
// short-wave receiver might hold, synthesised sample by sample. Sample k
// depends only on k, the rate, the levels and the seed, so the stream is
// the same whatever block sizes it is read in.
//
// Components, with their default peak levels in 16-bit sample units
// (full scale is 32767):
//   noise   400   white noise with a triangular distribution, from a
//                 counter-based integer hash of the seed and k
//   hum    1500   mains hum: 50 Hz, plus 100 Hz (x0.4), 150 Hz (x0.6) and
//                 250 Hz (x0.2) of that level
//   cw     4000   an 800 Hz tone keyed "CQ" in Morse at 20 words per
//                 minute (60 ms per unit), 5 ms raised-cosine edges; one
//                 repetition is 34 units, 2.04 s, keyed on for 18 of them
//   fsk    3000   two-tone data: mark 1085 Hz, space 915 Hz (170 Hz shift
//                 around 1000 Hz) at 45.45 baud (22 ms per bit), bits from
//                 the seed's pseudo-random stream, each tone keyed with
//                 0.5 ms edges
//   speech 3000   a voice: the harmonics 375..3000 Hz of 125 Hz, weighted
//                 by two formants that change with every syllable (4 per
//                 second, sin^2 envelope, about one in four silent)
// At the default levels the peak of the sum is at most 13700. Tones at or
// above 0.45 x rate are left out, since they would alias.
//
// Plain C++. Sample() may be called from any thread; Fill and Skip move the
// object's position and belong to one thread at a time.
#pragma once

#include "audio/virtual/SampleSource.h"
#include "audio/virtual/TonePhasors.h"

#include <array>
#include <cstdint>

namespace moravel {

/// Peak amplitude of each component in sample units; 0 leaves it out.
struct ReceiverLevels {
    double noise = 400;
    double hum = 1500;  // of the 50 Hz tone; the harmonics are fractions of it
    double cw = 4000;
    double fsk = 3000;
    double speech = 3000;
};

class ReceiverSignal final : public SampleSource {
public:
    using Levels = ReceiverLevels;

    static constexpr std::uint64_t kDefaultSeed = 0x4D6F726176656C31ULL;
    static constexpr std::int32_t kCwHz = 800;
    static constexpr std::int32_t kMarkHz = 1085;
    static constexpr std::int32_t kSpaceHz = 915;
    static constexpr std::int32_t kHumHz = 50;
    static constexpr std::int32_t kVoiceHz = 125;

    /// `rate` in samples per second, at least 1 (std::invalid_argument
    /// otherwise). The stream starts at sample 0.
    explicit ReceiverSignal(std::int32_t rate, Levels levels = {}, std::uint64_t seed = kDefaultSeed);

    void Fill(std::int16_t* dest, std::size_t count) override;
    void Skip(std::size_t count) override { position_ += static_cast<std::int64_t>(count); }

    /// Sample k (k >= 0) of the stream, rounded to the nearest integer and
    /// clipped to 16 bits.
    std::int16_t Sample(std::int64_t k) const;
    /// The index of the next sample Fill delivers.
    std::int64_t Position() const { return position_; }
    std::int32_t Rate() const { return rate_; }

private:
    static constexpr std::size_t kVowelCount = 4;

    std::int32_t cycles(std::int64_t k, std::int32_t hz) const;
    vcard::Phasor phasor(std::int64_t k, std::int32_t hz) const;
    double tone(std::int64_t k, std::int32_t hz) const;
    double keyedTone(std::int64_t k, std::int32_t hz, double envelope) const;
    double harmonics(const vcard::HarmonicSeries& series, std::int64_t k, std::int32_t hz) const;
    double noise(std::int64_t k) const;
    double hum(std::int64_t k) const;
    double cw(std::int64_t k) const;
    double fsk(std::int64_t k) const;
    double speech(std::int64_t k) const;

    std::int32_t rate_;
    Levels levels_;
    std::uint64_t seed_;
    std::int64_t position_ = 0;
    // Set up for the rate at construction: every tone's phasors, the hum's
    // harmonics of 50 Hz, and per vowel the voice's harmonics of 125 Hz with
    // their formant weights.
    vcard::PhasorTable phasors_;
    vcard::HarmonicSeries hum_;
    std::array<vcard::HarmonicSeries, kVowelCount> voices_;
};

}  // namespace moravel
