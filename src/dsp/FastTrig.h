// Fast sine and cosine for the transform twiddles and the band-pass taper.
//
// A 257-entry table of sines at the centres of π/256-wide steps, and the
// reduced angle itself near the zero crossings, where sin x ≈ x is closer than
// any table entry. The table is built once, on the first call (under
// std::call_once); the engine's thread makes that call.
#pragma once

#include <cstdint>

namespace moravel {

/// Sines at the centre of each π/256 step: entry k is sin((k + ½)·π/256), as single.
extern float SineTable[257];
/// Step indices 0..LinearZone (and their mirror below 256) use the angle itself; 25.
extern std::int32_t LinearZone;

/// The fast sine of x (radians, any sign and size). Starts as a stub that
/// builds SineTable and LinearZone, installs the real function and calls it.
extern float (*FastSin)(float x);

/// FastSin(x + π/2).
float FastCos(float x);

}  // namespace moravel
