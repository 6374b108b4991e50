// Durations as the recorder and the player show them: "hh:mm:ss".
#pragma once

#include <string>

namespace moravel {

/// `seconds` (0 or more; negative counts as 0) as "hh:mm:ss", rounded to the
/// millisecond and then cut to whole seconds, so that 9.9996 s shows
/// "00:00:10" and 0.4 s "00:00:00". Hours keep counting past 23 ("25:00:00")
/// instead of wrapping like a time of day. Any thread.
std::string FormatClock(double seconds);

}  // namespace moravel
