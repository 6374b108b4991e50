#include "dsp/FastTrig.h"

#include <cmath>
#include <mutex>
#include <numbers>

namespace moravel {

float SineTable[257];
std::int32_t LinearZone = 0;

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

void buildSineTable() {
    // Accumulated in single precision, as the table has always been built:
    // the entries sit at the centres of the steps as single-precision angles.
    float a = static_cast<float>(kPi / 512);
    const float step = static_cast<float>(kPi / 256);
    for (float& entry : SineTable) {
        entry = static_cast<float>(std::sin(static_cast<long double>(a)));
        a = a + step;
    }
}

// Number of steps from the first step centre on for which the angle itself is
// within π/512 of its sine, less two: 25. Steps up to it use sin x ≈ x.
std::int32_t measureLinearZone() {
    float a = static_cast<float>(kPi / 512);
    const float step = static_cast<float>(kPi / 256);
    std::int32_t count = 0;
    while (std::fabs(static_cast<long double>(a) - std::sin(static_cast<long double>(a))) < kPi / 512) {
        ++count;
        a = a + step;
    }
    return count - 2;
}

float realFastSin(float x) {
    if (std::isnan(x)) return x;
    bool neg = x < 0;
    const float scaled = static_cast<float>(static_cast<long double>(x) * 256 / kPi);
    // Only b mod 512 matters (the half turn's parity and the step in it); fmod
    // keeps this exact for every finite argument without an integer overflow.
    const auto b =
        static_cast<std::int32_t>(std::fmod(std::trunc(std::fabs(static_cast<long double>(scaled))), 512.0L));
    if (b >= 256) neg = !neg;
    const std::int32_t i = b % 256;
    long double r;
    if (LinearZone < i && i < 256 - LinearZone) {
        r = SineTable[i];
    } else {
        // Near a zero crossing the reduced angle is the better sine.
        long double turns = static_cast<long double>(x) / kPi;
        r = std::fabs((turns - std::trunc(turns)) * kPi);
        if (r > kPi / 2) r = std::fabs(kPi - r);
    }
    return static_cast<float>(neg ? -r : r);
}

std::once_flag tableBuilt;

float firstFastSin(float x) {
    std::call_once(tableBuilt, [] {
        buildSineTable();
        LinearZone = measureLinearZone();
        FastSin = realFastSin;
    });
    return realFastSin(x);
}

}  // namespace

float (*FastSin)(float x) = firstFastSin;

float FastCos(float x) { return FastSin(static_cast<float>(static_cast<long double>(x) + kPi / 2)); }

}  // namespace moravel
