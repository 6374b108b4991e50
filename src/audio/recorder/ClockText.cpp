#include "audio/recorder/ClockText.h"

#include <cmath>
#include <cstdio>

namespace moravel {

// Rounding to milliseconds first absorbs the error of a division such as
// frames / rate that should give a whole number of seconds.
std::string FormatClock(double seconds) {
    const long long millis = std::isfinite(seconds) && seconds > 0 ? std::llround(seconds * 1000.0) : 0;
    const long long whole = millis / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

}  // namespace moravel
