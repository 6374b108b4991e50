// The impulse blanker: finds clicks and static crashes in the time signal
// against a running level of that signal and bridges them with a straight
// line from the last good sample to the next, so that neither the AGC nor
// the spectral stages see them.
//
// An impulse is a stretch where |x| exceeds a multiple (the threshold in
// quarters: 8 is twice) of the signal's held peak, which falls slowly and is
// held above a multiple of the signal's mean over seconds; a millisecond
// before and three after are bridged too, since a crash passed through the
// receiver's filter rings on. A stretch above the threshold for longer than a
// crash lasts (20 ms), or the third such stretch within 25 ms (a voice rising
// above the held peak pulse by pulse), is the signal growing, not an
// impulse, and becomes the new peak; a voice's first two pitch pulses are
// given back with it as far as they lie in the same block (the block is
// bridged only once all of it has been judged).
//
// All zero is the fresh state, so the engine's memset creates it. Plain
// arithmetic, no allocation; not thread-safe.
#pragma once

#include <cstdint>

namespace moravel {

class ImpulseBlanker {
public:
    /// Forgets the levels and any impulse in progress.
    void Reset();

    /// Blanks the impulses in samples[0..count−1] in place. `threshold` is
    /// the control's position: an impulse stands threshold/4 times above the
    /// signal's held peak.
    void Process(std::int16_t* samples, std::int32_t count, std::int32_t sampleRate, std::int32_t threshold);

    /// Samples bridged since Reset (for the benchmark and the tests).
    std::int64_t BlankedSamples() const { return blanked_; }

private:
    void markImpulses(const std::int16_t* samples, std::int32_t count, std::int32_t sampleRate, double threshold);
    void bridge(std::int16_t* samples, std::int32_t count);
    void startRun(std::int32_t window);

    static constexpr std::int32_t kMaxBlock = 4100;

    double peak_;                // held peak of |x|
    double longLevel_;           // mean of |x| over seconds
    std::int32_t run_;           // samples since the current impulse began
    std::int32_t quiet_;         // samples since the last one above the threshold
    bool grown_;                 // the last stretch above the threshold was the signal, not an impulse
    bool signalRun_;             // the current stretch is the third within kRepeatSeconds
    std::int64_t clock_;         // samples since Reset
    std::int64_t runStarts_[2];  // clock_ at the start of the two stretches before this one
    std::int64_t signalFrom_;    // clock_ at the start of the first of a voice's three stretches
    std::int32_t hold_;          // guard samples still to blank at the next block's start
    std::int16_t last_;          // the previous block's last sample, as output
    std::int64_t blanked_;
    bool mark_[kMaxBlock];
};

}  // namespace moravel
