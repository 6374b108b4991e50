// Tones as unit phasors, for the synthetic receiver signal: a phasor
// e^(i 2 pi n / rate) for any whole phase n (in 1/rate of a cycle) from two
// small tables, and a fixed sum of harmonics of one fundamental evaluated
// from the fundamental's phasor alone.
//
// Plain C++, header only. Both classes are set up by their owner; their
// const methods may then be called from any thread.
#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <vector>

namespace moravel::vcard {

/// A complex number; here mostly e^(i phase), whose imaginary part is the
/// sine of the phase.
struct Phasor {
    double re = 0.0;
    double im = 0.0;
    friend Phasor operator+(Phasor a, Phasor b) { return {a.re + b.re, a.im + b.im}; }
    friend Phasor operator*(Phasor a, Phasor b) { return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }
};

/// e^(i 2 pi n / period) for 0 <= n < period. n splits into a coarse part
/// (its high bits) and a fine part (its low bits), each about sqrt(period)
/// values, whose table phasors multiply to the result: accurate to a few
/// units in the last place, with no sine or cosine per call.
class PhasorTable {
public:
    /// `period` >= 1, e.g. a sample rate.
    explicit PhasorTable(std::int32_t period)
        : shift_((std::bit_width(static_cast<std::uint32_t>(period - 1)) + 1) / 2),
          coarse_(phasors(period, (static_cast<std::size_t>(period) >> shift_) + 1, std::int64_t{1} << shift_)),
          fine_(phasors(period, std::size_t{1} << shift_, 1)) {}

    /// `n` in [0, period).
    Phasor At(std::int32_t n) const {
        const auto u = static_cast<std::uint32_t>(n);
        return coarse_[u >> shift_] * fine_[u & ((1U << shift_) - 1)];
    }

private:
    // e^(i 2 pi j step / period) for j = 0 .. count - 1.
    static std::vector<Phasor> phasors(std::int32_t period, std::size_t count, std::int64_t step) {
        std::vector<Phasor> out(count);
        for (std::size_t j = 0; j < count; ++j) {
            const double angle = 2.0 * std::numbers::pi * static_cast<double>(static_cast<std::int64_t>(j) * step) /
                                 static_cast<double>(period);
            out[j] = {std::cos(angle), std::sin(angle)};
        }
        return out;
    }

    int shift_;
    std::vector<Phasor> coarse_;
    std::vector<Phasor> fine_;
};

/// sum over h of a_h * sin(h * theta + phi_h) at a fundamental phase theta,
/// from z = e^(i theta) alone: harmonic h is z^h turned by e^(i phi_h). Each
/// harmonic's amplitude and phase are folded into one coefficient
/// c_h = a_h * e^(i phi_h) when it is added; At() is the imaginary part of
/// the polynomial sum of c_h z^h.
class HarmonicSeries {
public:
    /// Adds a * sin(h * theta + phase): `harmonic` h >= 1, `amplitude` a in
    /// any unit, `phase` in radians. A harmonic added twice adds both terms.
    void Add(int harmonic, double amplitude, double phase) {
        const auto index = static_cast<std::size_t>(harmonic - 1);
        if (re_.size() <= index) {
            re_.resize((index / kLanes + 1) * kLanes);
            im_.resize(re_.size());
        }
        re_[index] += amplitude * std::cos(phase);
        im_[index] += amplitude * std::sin(phase);
    }

    /// Whether no harmonic has been added (At() is then 0).
    bool Empty() const { return re_.empty(); }

    /// The sum at the fundamental's phasor `z` = e^(i theta).
    double At(Phasor z) const {
        // Harmonics h = 4j + r (r = 1..4) form four polynomials P_r in
        // w = z^4, each summed by Horner's rule. The four chains do not
        // depend on each other, so they run side by side (and in vector
        // registers) rather than as one long chain of dependent steps. The
        // sum is then z * (P_1 + z * (P_2 + z * (P_3 + z * P_4))).
        const Phasor z2 = z * z;
        const Phasor w = z2 * z2;
        std::array<double, kLanes> re{};
        std::array<double, kLanes> im{};
        for (std::size_t row = re_.size(); row > 0;) {
            row -= kLanes;
            for (std::size_t r = 0; r < kLanes; ++r) {
                const double nextRe = re[r] * w.re - im[r] * w.im + re_[row + r];
                const double nextIm = re[r] * w.im + im[r] * w.re + im_[row + r];
                re[r] = nextRe;
                im[r] = nextIm;
            }
        }
        Phasor sum;
        for (std::size_t r = kLanes; r-- > 0;) sum = (sum + Phasor{re[r], im[r]}) * z;
        return sum.im;
    }

private:
    static constexpr std::size_t kLanes = 4;
    // The coefficients c_h, real and imaginary parts apart; [h - 1] holds
    // harmonic h, in whole rows of kLanes (unused harmonics are 0).
    std::vector<double> re_;
    std::vector<double> im_;
};

}  // namespace moravel::vcard
