#include "dsp/Engine.h"

#include "dsp/FastTrig.h"
#include "dsp/Fourier2.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>
#if defined(__SSE__) && defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace moravel {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

/// Round to nearest, ties to even, in the default rounding mode. rint rather
/// than nearbyint: the latter saves and restores the floating-point
/// environment on every call, which costs more than the rest of a bin's work.
long double roundEven(long double x) { return std::rint(x); }

std::int16_t clampSample(std::int64_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(v, -32768, 32767));
}

/// A float rounded to a 64-bit integer, saturating instead of overflowing.
std::int64_t roundToInt64(float x) {
    constexpr float kLimit = 9.2233715e18f;  // just below 2^63
    if (!(x < kLimit)) return x > 0 ? std::numeric_limits<std::int64_t>::max() : 0;
    if (!(x > -kLimit)) return std::numeric_limits<std::int64_t>::min();
#if defined(__SSE__) && defined(__x86_64__)
    // llrint's own instruction, without the library call: rounds in the
    // current mode (to nearest, ties to even) as llrint does.
    return _mm_cvtss_si64(_mm_set_ss(x));
#else
    return std::llrint(x);
#endif
}

template <typename T, std::size_t N>
void fill(T (&array)[N], T value) {
    std::fill(std::begin(array), std::end(array), value);
}

/// Integer division truncating toward zero by a divisor fixed for a whole
/// block: a shift when it is a power of two (every size the program uses),
/// which gives the same quotient as '/' without a slow divide per sample.
class TruncatingDivisor {
public:
    explicit TruncatingDivisor(std::int64_t divisor)
        : divisor_(divisor),
          shift_(divisor > 0 && std::has_single_bit(static_cast<std::uint64_t>(divisor))
                     ? std::countr_zero(static_cast<std::uint64_t>(divisor))
                     : -1) {}

    std::int64_t operator()(std::int64_t v) const {
        if (shift_ < 0) return v / divisor_;
        // Arithmetic shifts round toward −∞; biasing negative values by
        // divisor − 1 first makes them round toward zero like '/'.
        const std::int64_t bias = (v >> 63) & (divisor_ - 1);
        return (v + bias) >> shift_;
    }

private:
    std::int64_t divisor_;
    int shift_;
};

/// Transforms `count` real values (value(p), p = 0..count−1) padded with as
/// many zero points, into `a` (zero-filled, FftLength = 4·count). The
/// transform's first stage pairs each value with one of the zero points
/// (their positions differ only in the lowest bit after the bit reversal),
/// with the twiddle (1, 0): it leaves x − (+0) = x in one point and
/// x + (+0) in the other (x itself, but for −0, which becomes +0), and every
/// imaginary part +0. The values are put there directly, and the transform
/// runs from its second stage: the same bits with half the first passes.
template <typename Value>
void transformZeroPadded(float* a, std::int32_t count, Value value) {
    const auto points = 2 * static_cast<std::uint32_t>(count);
    if (count <= 0 || !std::has_single_bit(points)) {
        for (std::int32_t p = 0; p < count; ++p) a[2 * p + 1] = value(p);
        ComplexFFT(a);
        return;
    }
    // The reversal is its own inverse: walking the even positions in order
    // and fetching the value that lands there writes `a` front to back.
    const std::uint32_t* pointAt = BitReversedPositions(points);
    for (std::uint32_t r = 0; r < points; r += 2) {
        const float x = value(static_cast<std::int32_t>(pointAt[r]));
        a[2 * r + 1] = x + 0.0f;
        a[2 * r + 3] = x;
    }
    ComplexFFTReordered(a, 4);
}

/// Transforms `count` real values (value(p)) into `a` (zero-filled,
/// FftLength = 2·count), writing them straight to their bit-reversed
/// positions instead of swapping them there afterwards.
template <typename Value>
void transformReal(float* a, std::int32_t count, Value value) {
    const auto points = static_cast<std::uint32_t>(count);
    if (count <= 0 || !std::has_single_bit(points)) {
        for (std::int32_t p = 0; p < count; ++p) a[2 * p + 1] = value(p);
        ComplexFFT(a);
        return;
    }
    const std::uint32_t* pointAt = BitReversedPositions(points);  // its own inverse, as above
    for (std::uint32_t r = 0; r < points; ++r) a[2 * r + 1] = value(static_cast<std::int32_t>(pointAt[r]));
    ComplexFFTReordered(a, 2);
}

/// The band-pass taper factor 0.5 − 0.5·FastCos(t·2π/period) for t = 0, 1,
/// ..., kept per thread for the last period: the same band is tapered every
/// block, and each factor costs a FastCos with its x87 reduction.
class BandTaper {
public:
    long double factor(std::int32_t t, std::int32_t period) {
        if (period != period_) {
            factors_.clear();
            period_ = period;
        }
        while (static_cast<std::int32_t>(factors_.size()) <= t)
            factors_.push_back(compute(static_cast<std::int32_t>(factors_.size()), period));
        return factors_[static_cast<std::size_t>(t)];
    }

private:
    static long double compute(std::int32_t t, std::int32_t period) {
        const long double angle = period != 0 ? t * (2 * kPi) / period : 0.0L;
        return 0.5L - 0.5L * FastCos(static_cast<float>(angle));
    }

    std::int32_t period_ = -1;
    std::vector<long double> factors_;
};

thread_local BandTaper bandTaper;

/// Refuses a block size the radix-2 transforms are not defined for: their
/// stages would read and write past the transform (and, above 4096 samples,
/// past the engine object) instead of failing.
[[noreturn]] void refuseBlock(const std::string& what) {
    throw std::invalid_argument(what + ": the engine takes blocks of a power of two of samples, 1 to " +
                                std::to_string(Engine::kMaxTransformBlock));
}

/// The noise blanker's stop where a bin's neighbour average has no 32-bit
/// integer (an infinite or huge neighbour). Out of line, so the bin loop
/// carries only the comparison.
[[noreturn, gnu::cold, gnu::noinline]] void refuseBlankerAverage(std::int32_t bin, long double average) {
    std::ostringstream text;
    text << "Noise blanker bin " << bin << ": the average of its neighbours, " << average
         << ", is outside the 32-bit integer range";
    throw std::range_error(text.str());
}

}  // namespace

Engine::Engine() { std::memset(static_cast<void*>(this), 0, sizeof(*this)); }

// ---- Configuration ----------------------------------------------------------

void Engine::Configure(std::int32_t sampleRate, std::int32_t bufferBytes) {
    if (bufferBytes % 2 != 0 || !SupportsBlockSamples(bufferBytes / 2))
        refuseBlock("a capture buffer of " + std::to_string(bufferBytes) + " bytes");
    SampleRate = sampleRate;
    BlockSamples = bufferBytes / 2;
    DisplayCount = BlockSamples / 2;
    BinWidth = static_cast<float>(static_cast<long double>(sampleRate) / (bufferBytes / 2));
    const std::int32_t lastFrame = std::min(FrameSamples, kSmallCapacity - 1);
    std::fill(History, History + lastFrame + 1, std::int16_t{0});
    std::fill(FrameOut, FrameOut + lastFrame + 1, std::int16_t{0});
    const std::int32_t n = BlockSamples;
    for (std::int32_t i = 1; i <= n && i < kSmallCapacity; ++i) {
        Window[i] = static_cast<float>(0.54L - 0.46L * std::cos(2 * kPi * i / n));
    }
    fill(NormalizeGain, 1.0f);
    Impulses.Reset();
    Denoiser.Reset();
    Notches.Reset();
}

// ---- Analysis ---------------------------------------------------------------

void Engine::AnalyseBlock() {
    const std::int32_t n = BlockSamples;
    if (n != 0 && !SupportsBlockSamples(n)) refuseBlock("a block of " + std::to_string(n) + " samples");
    HalfBlock = n / 2;
    FrameSamples = 2 * n;
    AdvanceFrame();
    std::copy(History + n, History + 2 * n, History);
    std::copy(InputBlock, InputBlock + n, History + n);
    fill(FftBuffer, 0.0f);
    fill(Spectrum, 0.0f);

    std::int32_t sum = 0;
    for (std::int32_t p = 0; p < 2 * n; ++p) sum += History[p];
    const auto mean = static_cast<std::int32_t>(roundEven(static_cast<long double>(sum) / (2 * n)));

    // The frame fills the first half of a transform twice its length; the
    // upper half stays zero, so a Spectrum bin is SampleRate/(4N) Hz wide.
    FftLength = 8 * n;
    FftInverse = false;
    transformZeroPadded(FftBuffer, 2 * n, [&](std::int32_t p) { return static_cast<float>(History[p] - mean); });
    for (std::int32_t k = 0; k < 2 * n; ++k) Spectrum[k] = FftBuffer[2 * k + 1];
}

void Engine::AdvanceFrame() { std::copy(FrameOut, FrameOut + 2 * BlockSamples, PreviousFrame); }

// ---- Synthesis --------------------------------------------------------------

void Engine::SynthesiseBlock() {
    resynthesiseFrame();
    crossFade();
    analyseDisplay();
}

void Engine::resynthesiseFrame() {
    const std::int32_t frame = FrameSamples;
    fill(FftBuffer, 0.0f);
    FftLength = 4 * frame;
    FftInverse = true;
    transformZeroPadded(FftBuffer, frame, [&](std::int32_t k) { return Spectrum[k]; });
    const TruncatingDivisor perSample(frame);
    for (std::int32_t k = 0; k < frame; ++k) FrameOut[k] = clampSample(perSample(roundToInt64(FftBuffer[2 * k + 1])));
}

void Engine::crossFade() {
    // Both terms describe the same input block: the second half of the previous
    // frame fades out while the first half of this frame fades in.
    const std::int32_t n = BlockSamples;
    const TruncatingDivisor perBlock(n);
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int64_t fading = perBlock(PreviousFrame[n + i] * (n - i));
        const std::int64_t rising = perBlock(FrameOut[i] * (i + 1));
        OutputBlock[i] = clampSample(fading + rising);
    }
}

void Engine::analyseDisplay() {
    const std::int32_t n = BlockSamples;
    const std::int32_t half = HalfBlock;
    fill(Spectrum, 0.0f);
    FftLength = 2 * n;
    FftInverse = false;
    transformReal(Spectrum, n, [&](std::int32_t p) { return static_cast<float>(OutputBlock[p]) * Window[p + 1]; });
    for (std::int32_t b = 0; b < half; ++b) {
        const long double re = Spectrum[2 * b + 1];
        const long double im = Spectrum[2 * b + 2];
        Magnitude[b + 1] = static_cast<float>(std::sqrt(re * re + im * im) / half);
    }
    if (NormalizeReset) {
        std::fill(NormalizeGain, NormalizeGain + std::min(DisplayCount, kSmallCapacity - 1) + 1, 1.0f);
        NormalizeReset = false;
    }
    if (NormalizeRequest) {
        computeNormalizeGain();
        NormalizeRequest = false;
    }
    decimateDisplay();
    weighAndDecayDisplay();
}

// Gains that flatten the display spectrum held from the previous block: the
// mean over the (smoothed) value of each point, smoothed once more.
void Engine::computeNormalizeGain() {
    const std::int32_t k = std::min(DisplayCount, kSmallCapacity - 1);
    float* d = DisplaySpectrum;
    float* g = NormalizeGain;
    long double total = 0;
    for (std::int32_t i = 2; i <= k; ++i) total += d[i];
    const long double average = k != 0 ? total / k : 0;
    for (std::int32_t i = 2; i <= k; ++i) d[i] = static_cast<float>(0.5L * d[i] + 0.3L * d[i - 1] + 0.2L * d[i - 2]);
    for (std::int32_t i = 0; i <= k; ++i) g[i] = static_cast<float>(average / (d[i] + 1.0L));
    for (std::int32_t i = 2; i <= k; ++i) g[i] = static_cast<float>(0.5L * g[i] + 0.3L * g[i - 1] + 0.2L * g[i - 2]);
}

// Peak decimation: display point d is the largest of R neighbouring magnitudes.
void Engine::decimateDisplay() {
    const std::int32_t r = Resolution;
    const std::int32_t points = r > 0 ? HalfBlock / r : 0;  // no display before Resolution is set
    fill(DisplaySpectrum, 0.0f);
    for (std::int32_t d = 0; d < points; ++d) {
        const float* first = Magnitude + d * r;
        DisplaySpectrum[d] = std::max(0.0f, *std::max_element(first, first + r));
    }
    DisplayCount = points + 1;
}

void Engine::weighAndDecayDisplay() {
    PeakValue = 0;
    PeakFrequency = 0;
    std::int32_t peak = 0;
    const long double decayFactor = (21 - static_cast<long double>(SpectrumDecay)) / 20;
    for (std::int32_t i = 1; i <= DisplayCount; ++i) {
        DisplaySpectrum[i] = std::max(0.0f, DisplaySpectrum[i] * NormalizeGain[i]);
        DecayedSpectrum[i] = static_cast<float>(
            DecayedSpectrum[i] + decayFactor * (static_cast<long double>(DisplaySpectrum[i]) - DecayedSpectrum[i]));
        if (SpectrumDecay > 0) DisplaySpectrum[i] = DecayedSpectrum[i];
        if (DisplaySpectrum[i] > PeakValue) {
            PeakValue = DisplaySpectrum[i];
            peak = i - 1;
        }
    }
    trackPeak(peak);
}

// A peak is reported once it has stayed within 20 Hz of the previous block's
// peak for five further blocks; a larger jump clears it.
void Engine::trackPeak(std::int32_t peak) {
    PeakIndex = peak;
    const std::int32_t f = BinToFrequency(peak + 1);
    PeakDeviation = std::abs(f - LastPeakFrequency);
    if (PeakDeviation <= 20 && PeakStableCount >= 5) PeakFrequency = static_cast<float>(f);
    if (PeakDeviation > 20) {
        PeakFrequency = 0;
        PeakStableCount = 0;
    }
    LastPeakFrequency = f;
    if (PeakStableCount < std::numeric_limits<std::int32_t>::max()) ++PeakStableCount;
}

std::int32_t Engine::BinToFrequency(std::int32_t index) const {
    if (BlockSamples == 0) return 0;  // not configured yet
    const std::int32_t product = Resolution * SampleRate;
    const long double ratio = static_cast<long double>(product) / BlockSamples;
    const auto hz = static_cast<std::int32_t>(roundEven(std::fabs(static_cast<long double>(index)) * ratio));
    return index < 0 ? -hz : hz;
}

// ---- Filter -----------------------------------------------------------------

void Engine::SetFilter(std::int32_t center, std::int32_t width, std::int32_t filterType) {
    FilterCenter = center;
    FilterWidth = width;
    FilterType = filterType;
}

void Engine::ApplyFilter() {
    // c is the centre's Spectrum bin lowered by 4; w a half-width in bins
    // taken from the width in Hz (every range's bin is close to 2 Hz wide).
    const auto c = static_cast<std::int32_t>(roundEven(FilterCenter * 4 / static_cast<long double>(BinWidth))) - 4;
    const std::int32_t w = FilterWidth / 4;
    const std::int32_t frame = FrameSamples;
    float* s = Spectrum;
    switch (FilterType) {
        case 0:  // low pass
            for (std::int32_t i = std::max(c + 1, 0); i < frame; ++i) s[i] = 0;
            break;
        case 1: {  // band pass with a raised-cosine taper over the band
            // The taper counter advances only inside the band, so a band cut at
            // bin 0 starts its taper there. A one-bin band (w = 1) has no period.
            std::int32_t t = 0;
            const std::int32_t period = 2 * w - 2;
            for (std::int32_t i = 0; i < frame; ++i) {
                if (i <= c - w || i >= c + w) {
                    s[i] = 0;
                    continue;
                }
                s[i] = static_cast<float>(s[i] * bandTaper.factor(t, period));
                ++t;
            }
            break;
        }
        case 2:  // high pass
            for (std::int32_t i = 0; i < std::min(c, frame); ++i) s[i] = 0;
            break;
        case 3:  // stop band
            for (std::int32_t i = std::max(c - w + 1, 0); i < std::min(c + w, frame); ++i) s[i] = 0;
            break;
        default:
            break;
    }
}

// ---- Dynamics ---------------------------------------------------------------

void Engine::ApplyAgc(std::int32_t level, std::int32_t decay) {
    const std::int32_t n = BlockSamples;
    AgcCount = 0;
    std::int32_t peak = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        ++AgcCount;
        peak = std::max(peak, std::abs(static_cast<std::int32_t>(InputBlock[i])));
        if (AgcCount <= 400) continue;
        const double target = static_cast<double>(level) / (peak + 1);
        if (static_cast<long double>(AgcGain) - target > 10) AgcGain = static_cast<float>(target);  // fast attack
        AgcGain = static_cast<float>(AgcGain + (static_cast<long double>(target) - AgcGain) / decay);
        // Fewer than 399 samples follow: they get this window's gain too.
        const std::int32_t last = (n - i < 400) ? n - 1 : i;
        for (std::int32_t k = i - 400; k <= last; ++k) {
            InputBlock[k] =
                clampSample(static_cast<std::int64_t>(roundEven(static_cast<long double>(InputBlock[k]) * AgcGain)));
        }
        AgcCount = 0;
        peak = 0;
    }
}

void Engine::ApplyNoiseBlanker(std::int32_t level) {
    const std::int32_t threshold = level * 10000;
    if (threshold <= 0) return;  // every bin is at or above a zero threshold: all kept
    float* s = Spectrum;
    for (std::int32_t i = 1; i < FrameSamples; ++i) {
        const float x = s[i];
        const float g =
            static_cast<float>(std::clamp(1 - std::fabs(x / static_cast<long double>(threshold)), 0.0L, 1.0L));
        // Each bin uses its already smoothed left neighbour s[i − 1].
        const long double average = roundEven((static_cast<long double>(s[i - 1]) + s[i + 1]) / 2);
        if (std::fabs(average) > std::numeric_limits<std::int32_t>::max()) refuseBlankerAverage(i, average);
        // A whole number inside the 32-bit range is its own 32-bit integer,
        // so it is used as it is (no conversion through the control word).
        // Only its zero may be −0 where the integer's is +0: then x = ±0
        // gives ±0 − x → ±0, scaled by g ≥ 0, plus x → +0 either way.
        if (g == 0.0f && std::isfinite(x)) {
            // A strong bin (|x| ≥ threshold, so x ≠ 0) gets x + (finite)·0 =
            // x + (±0) = x. Taking x as it is, rather than through the
            // expression, lets the next bin start without waiting for this
            // one's average (the range check above still sees it).
            continue;
        }
        s[i] = static_cast<float>(x + (average - static_cast<long double>(x)) * g);
    }
}

void Engine::ApplyCompressor(std::int32_t threshold, std::int32_t gain) {
    const std::int32_t limit = 1000 * threshold + 50000;
    const long double factor = 3 + gain / 5.0L;
    for (std::int32_t i = 0; i < FrameSamples; ++i) {
        float x = Spectrum[i];
        if (std::fabs(x) > limit) x = static_cast<float>(x / factor);
        Spectrum[i] = static_cast<float>(x * 1.7L);
    }
}

void Engine::ApplyExpander(std::int32_t threshold, std::int32_t gain) {
    const std::int32_t limit = 1000 * threshold + 50000;
    const long double factor = 3 + gain / 5.0L;
    for (std::int32_t i = 0; i < FrameSamples; ++i) {
        float x = Spectrum[i];
        if (std::fabs(x) < limit) x = static_cast<float>(x * factor);
        Spectrum[i] = static_cast<float>(x * 1.2L);
    }
}

// ---- Shift and equalizer ------------------------------------------------------

void Engine::ShiftSpectrum(std::int32_t bins) {
    const std::int32_t frame = FrameSamples;
    float* s = Spectrum;
    if (bins == 0) return;
    const std::int64_t d = std::abs(static_cast<std::int64_t>(bins));
    if (d >= frame) {
        std::fill(s, s + frame, 0.0f);
        return;
    }
    const auto shift = static_cast<std::int32_t>(d);
    if (bins > 0) {
        // Descending targets, so nothing is overwritten before it is read.
        for (std::int32_t k = 0; k <= frame - shift; ++k) s[frame - k] = s[frame - k - shift];
        std::fill(s, s + shift + 1, 0.0f);
    } else {
        for (std::int32_t i = shift; i < frame; ++i) s[i - shift] = s[i];
        std::fill(s + frame - shift, s + frame + 1, 0.0f);
    }
}

void Engine::SetEqualizerCurve(std::int32_t bandCount, const float* gains) {
    const std::int32_t frame = FrameSamples;
    if (frame <= 0 || bandCount <= 0) return;
    const std::int32_t width = frame / bandCount;
    for (std::int32_t i = 0; i < frame && i < kSmallCapacity; ++i) {
        const std::int32_t group = width > 0 ? i / width : bandCount;
        EqualizerGain[i] = group < bandCount ? gains[group] : 0.0f;
    }
}

void Engine::ApplyEqualizer() {
    for (std::int32_t i = 0; i < FrameSamples; ++i) Spectrum[i] = Spectrum[i] * EqualizerGain[i];
}

}  // namespace moravel
