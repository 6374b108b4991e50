// The squelch of the record-on-signal mode, on a timeline of samples: it
// opens once the level has stayed at or above the threshold for the attack
// time, and closes once it has stayed below for the hang time. The level is
// judged window by window (the caller's windows, a few tens of
// milliseconds), so a single loud click shorter than the attack time does
// not open it and a pause between words shorter than the hang time does not
// close it.
#pragma once

#include <cstdint>

namespace moravel {

class SignalGate {
public:
    enum class Event { kNone, kOpened, kClosed };

    /// Times in samples.
    SignalGate(std::int64_t attackSamples, std::int64_t hangSamples) : attack_(attackSamples), hang_(hangSamples) {}

    /// The window [start, end) was `above` the threshold or not. Returns
    /// kOpened when the gate opened with this window (Onset() is then where
    /// the run of windows above the threshold began), kClosed when it
    /// closed (the transmission ends at `end`).
    Event Step(bool above, std::int64_t start, std::int64_t end);

    bool Open() const { return open_; }
    /// The level is above the threshold but the attack time has not passed.
    bool Pending() const { return pending_; }
    /// The first sample of the run above the threshold that opened (or is
    /// about to open) the gate.
    std::int64_t Onset() const { return onset_; }

private:
    std::int64_t attack_;
    std::int64_t hang_;
    bool open_ = false;
    bool pending_ = false;
    std::int64_t onset_ = 0;
    std::int64_t lastAbove_ = 0;  // end of the last window above, while open
};

}  // namespace moravel
