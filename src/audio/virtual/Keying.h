// On/off keying with soft edges, shared by the synthetic CW and FSK signals.
// Time is counted in slots (a Morse unit, a data bit); a keyed-on slot rises
// at its start when the slot before it was off, and falls at its end when
// the slot after it is off, each over `edge` slots with a raised cosine.
//
// Plain C++, no state beyond the pattern: safe to share between threads.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace moravel::vcard {

/// Envelope 0..1 of a slot keyed `current`, at `fraction` (0 <= fraction < 1)
/// of its length, given its neighbours. `edge` is the ramp length in slots
/// (0 < edge <= 0.5).
double SoftKeyEnvelope(bool previous, bool current, bool next, double fraction, double edge);

/// A Morse text as a repeating sequence of keying units: a dot is 1 unit
/// on, a dash 3, elements are 1 unit apart, letters 3, and after the text
/// come 7 off units so that it repeats word by word.
class MorseKeying {
public:
    /// `code`: dots, dashes and single spaces between letters, e.g. "-.-. --.-".
    explicit MorseKeying(std::string_view code);
    /// Units in one repetition.
    std::int64_t Units() const { return static_cast<std::int64_t>(units_.size()); }
    /// Whether unit `unit` (any value, the pattern repeats) is keyed on.
    bool On(std::int64_t unit) const;
    /// Keying envelope in unit `unit` at `fraction` of it, edges of `edge` units.
    double Envelope(std::int64_t unit, double fraction, double edge) const;

private:
    std::vector<bool> units_;
};

}  // namespace moravel::vcard
