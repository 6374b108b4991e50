#include "dsp/ImpulseBlanker.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace moravel {
namespace {

// The held peak follows a larger |x| at once and falls by 1/e in
// kReleaseSeconds. The tail of a crash, below the threshold but far above
// the signal, is kept from it for kShadowSeconds after the crash, so that it
// cannot lift the peak and hide the next crash.
constexpr double kReleaseSeconds = 0.5;
constexpr double kShadowSeconds = 0.010;
constexpr double kLongSeconds = 4.0;     // the floor's mean of |x|
constexpr double kLongFloor = 3.0;       // the reference never drops below this many times that mean
constexpr double kGuardSeconds = 0.001;  // bridged before an impulse
constexpr double kTailSeconds = 0.003;   // bridged after it: the receiver's filter rings on
constexpr double kGapSeconds = 0.005;    // impulses closer than this count as one
// Crashes through a receiver's filter stay above the threshold for a few
// milliseconds; a loud stretch lasting longer is the signal itself (a loud
// word after a pause) and is taken as the new peak.
constexpr double kLongestImpulseSeconds = 0.020;
// Three stretches above the threshold within this time are a voice's pitch
// pulses (a crash and its ringing make one, at most two).
constexpr double kRepeatSeconds = 0.025;
constexpr double kMinimumLevel = 16.0;  // sample units: digital silence has no level to stand out from

double Smoothing(double seconds, std::int32_t sampleRate) { return 1.0 - std::exp(-1.0 / (seconds * sampleRate)); }
std::int32_t Samples(double seconds, std::int32_t sampleRate) {
    return static_cast<std::int32_t>(std::lround(seconds * sampleRate));
}

}  // namespace

// All zero is the fresh state; assigning a value-initialised object would put
// one on the stack first.
void ImpulseBlanker::Reset() {
    static_assert(std::is_trivially_copyable_v<ImpulseBlanker>);
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
}

void ImpulseBlanker::Process(std::int16_t* samples, std::int32_t count, std::int32_t sampleRate,
                             std::int32_t threshold) {
    count = std::clamp(count, 0, kMaxBlock);
    if (count == 0 || sampleRate <= 0) return;
    markImpulses(samples, count, sampleRate, threshold / 4.0);
    bridge(samples, count);
}

// An impulse: |x| above `factor` times the reference, the larger of the held
// peak of the signal (instant attack, slow release, fed only by samples that
// are not impulses) and a multiple of its mean over seconds. A run found to
// be too long is unmarked again as far as this block reaches (the block is
// bridged only after the whole of it was judged).
void ImpulseBlanker::markImpulses(const std::int16_t* samples, std::int32_t count, std::int32_t sampleRate,
                                  double factor) {
    const std::int32_t shadow = Samples(kShadowSeconds, sampleRate);
    const double release = 1.0 - Smoothing(kReleaseSeconds, sampleRate);
    const double slow = Smoothing(kLongSeconds, sampleRate);
    const std::int32_t guard = Samples(kGuardSeconds, sampleRate);
    const std::int32_t gap = Samples(kGapSeconds, sampleRate);
    const std::int32_t longest = Samples(kLongestImpulseSeconds, sampleRate);
    const std::int32_t tail = Samples(kTailSeconds, sampleRate);
    const std::int32_t window = Samples(kRepeatSeconds, sampleRate);
    std::int32_t after = hold_;  // guard samples still owed after an impulse
    for (std::int32_t i = 0; i < count; ++i, ++clock_) {
        const double magnitude = std::abs(static_cast<std::int32_t>(samples[i]));
        const double reference = std::max({peak_, kLongFloor * longLevel_, kMinimumLevel});
        const bool above = magnitude > factor * reference;
        if (above) {
            if (run_ == 0) startRun(window);
            run_ = run_ > 0 ? run_ + quiet_ + 1 : 1;  // a short gap stays part of the impulse
            quiet_ = 0;
        } else {
            quiet_ = std::min(quiet_ + 1, shadow + gap + 1);
            if (quiet_ > gap) run_ = 0;
        }
        // Too long for an impulse, or the third within a pitch period or so
        // (a voice rising above the held peak, pulse by pulse): the signal.
        const bool grown = above && (run_ > longest || signalRun_);
        const bool impulse = above && !grown;
        if (grown && !grown_) {
            // Judged too late for the run's start (for a voice, too late for
            // its first two pulses): what of it lies in this block is given
            // back, and its loudest sample becomes the peak.
            const std::int64_t started = signalRun_ ? signalFrom_ : clock_ - run_;
            const auto from = static_cast<std::int32_t>(std::max<std::int64_t>(0, i - (clock_ - started) - guard));
            std::fill(mark_ + from, mark_ + i, false);
            for (std::int32_t k = from; k < i; ++k)
                peak_ = std::max<double>(peak_, std::abs(static_cast<std::int32_t>(samples[k])));
            after = 0;
        }
        if (grown) grown_ = true;
        if (impulse) {
            grown_ = false;
            std::fill(mark_ + std::max(0, i - guard), mark_ + i, true);
            after = tail;
        } else if (grown || grown_ || quiet_ > shadow) {
            peak_ = std::max(magnitude, peak_ * release);
            longLevel_ += slow * (magnitude - longLevel_);
        }
        mark_[i] = impulse || after > 0;
        if (!impulse && after > 0) --after;
    }
    hold_ = after;
}

void ImpulseBlanker::startRun(std::int32_t window) {
    signalRun_ = runStarts_[0] > 0 && clock_ - runStarts_[0] <= window;
    if (signalRun_) signalFrom_ = runStarts_[0];
    runStarts_[0] = runStarts_[1];
    runStarts_[1] = clock_;
}

// Each marked run becomes a straight line between the good samples on either
// side; a run reaching the block's end falls to zero there, and the next
// block starts from that zero.
void ImpulseBlanker::bridge(std::int16_t* samples, std::int32_t count) {
    std::int32_t i = 0;
    while (i < count) {
        if (!mark_[i]) {
            ++i;
            continue;
        }
        const std::int32_t start = i;
        while (i < count && mark_[i]) ++i;
        const double from = start > 0 ? samples[start - 1] : last_;
        const double to = i < count ? samples[i] : 0.0;
        const double span = i - start + 1;
        for (std::int32_t k = start; k < i; ++k)
            samples[k] = static_cast<std::int16_t>(std::lround(from + (to - from) * (k - start + 1) / span));
        blanked_ += i - start;
    }
    last_ = samples[count - 1];
}

}  // namespace moravel
