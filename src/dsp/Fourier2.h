// In-place iterative radix-2 complex transform on single-precision pairs.
#pragma once

#include <cstdint>

namespace moravel {

/// Number of floats of the next transform: twice the number of complex points.
/// One per thread, so engines on different threads (the batch tool's
/// analysis and synthesis) each set up their own transform.
extern thread_local std::int32_t FftLength;
/// Direction of the next transform: false forward (e^{+2πi kn/P}), true
/// inverse. One per thread, as FftLength.
extern thread_local bool FftInverse;

/// Transforms `a` in place. Point p (p = 0..P−1, P = FftLength / 2, a power of
/// two) is the pair a[2p+1] (real), a[2p+2] (imaginary); a[0] is not touched,
/// so `a` must hold FftLength + 1 floats. No 1/P scaling in either direction.
/// Twiddles come from FastSin once per stage and from the trigonometric
/// recurrence within it; every product and sum is rounded to single.
void ComplexFFT(float* a);

/// Where the bit reversal that starts ComplexFFT puts each point: entry p is
/// the position (0..points−1) of point p. `points` a power of two, 1..2^30.
/// Made once per size and kept; any thread.
const std::uint32_t* BitReversedPositions(std::uint32_t points);

/// ComplexFFT of `a` already in bit-reversed order (BitReversedPositions),
/// from the stage whose butterflies span `firstSpan` floats on (2 = every
/// stage, 4 = all but the first, ...). Same length, direction and layout as
/// ComplexFFT. For callers that fill the transform in its reversed order
/// directly, or that know the first stage's outcome.
void ComplexFFTReordered(float* a, std::uint32_t firstSpan);

}  // namespace moravel
