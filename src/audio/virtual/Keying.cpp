#include "audio/virtual/Keying.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace moravel::vcard {

namespace {

// 0 at x = 0 rising to 1 at x = 1.
double raisedCosine(double x) { return 0.5 - 0.5 * std::cos(std::numbers::pi * x); }

}  // namespace

double SoftKeyEnvelope(bool previous, bool current, bool next, double fraction, double edge) {
    if (!current) return 0.0;
    double envelope = 1.0;
    if (!previous && fraction < edge) envelope = raisedCosine(fraction / edge);
    if (!next && fraction > 1.0 - edge) envelope = std::min(envelope, raisedCosine((1.0 - fraction) / edge));
    return envelope;
}

MorseKeying::MorseKeying(std::string_view code) {
    auto key = [this](bool on, int count) { units_.insert(units_.end(), static_cast<std::size_t>(count), on); };
    bool letterStart = true;
    for (char c : code) {
        if (c == ' ') {
            key(false, 3);
            letterStart = true;
            continue;
        }
        if (c != '.' && c != '-') throw std::invalid_argument("Morse code holds only '.', '-' and ' '");
        if (!letterStart) key(false, 1);  // between the elements of a letter
        key(true, c == '.' ? 1 : 3);
        letterStart = false;
    }
    if (units_.empty()) throw std::invalid_argument("empty Morse code");
    key(false, 7);
}

bool MorseKeying::On(std::int64_t unit) const {
    const std::int64_t n = Units();
    return units_[static_cast<std::size_t>(((unit % n) + n) % n)];
}

double MorseKeying::Envelope(std::int64_t unit, double fraction, double edge) const {
    return SoftKeyEnvelope(On(unit - 1), On(unit), On(unit + 1), fraction, edge);
}

}  // namespace moravel::vcard
