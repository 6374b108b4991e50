// A mixer element's volume range against the mixer model's 0..65535,
// linearly, rounded to nearest both ways. Reading back what was written
// does not drift: for a range of at most 65536 steps, element value ->
// volume -> element value gives the same element value; for a larger
// range, volume -> element value -> volume gives the same volume. So after
// one write and read, repeated writes of what was read change nothing.
//
// Threads: any (pure functions).
#pragma once

#include <cstdint>

namespace moravel::mixer {

/// The element value for `volume` (0..65535) in min..max; min when max <= min.
long ToElementValue(std::uint32_t volume, long min, long max);
/// The volume (0..65535) of an element value, clamped to min..max first.
std::uint32_t FromElementValue(long value, long min, long max);

}  // namespace moravel::mixer
