// Twiddles and bit-reversal swaps, made once per stage or size and kept: the
// engine runs the same few transform sizes thousands of times, and making the
// twiddles is a serial recurrence that cannot overlap with anything.
#include "dsp/FastTrig.h"
#include "dsp/FourierKernels.h"

#include <bit>
#include <cstring>
#include <mutex>
#include <numbers>
#include <utility>
#include <vector>

namespace moravel::fourier {
namespace {

constexpr int kMaxLog = 31;

struct TwiddleTable {
    std::once_flag made;
    std::vector<float> pairs;
};

struct SwapTable {
    std::once_flag made;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> swaps;  // element indices i < j
};

TwiddleTable twiddleTables[2][kMaxLog + 1];
SwapTable swapTables[kMaxLog + 1];

struct PositionTable {
    std::once_flag made;
    std::vector<std::uint32_t> positions;
};

PositionTable positionTables[kMaxLog + 1];

// The recurrence as the transform has always run it: the stage angle's sine
// and half-angle sine from FastSin, then each twiddle from the previous one.
std::vector<float> makeTwiddles(std::uint32_t mmax, bool inverse) {
    const float sign = inverse ? -1.0f : 1.0f;
    const float theta = sign * (2 * std::numbers::pi_v<float>) / static_cast<float>(mmax);
    const float wtemp0 = FastSin(theta / 2);
    const float wpr = -2.0f * wtemp0 * wtemp0;
    const float wpi = FastSin(theta);
    float wr = 1.0f;
    float wi = 0.0f;
    std::vector<float> pairs(mmax);
    for (std::uint32_t q = 0; q < mmax / 2; ++q) {
        pairs[2 * q] = wr;
        pairs[2 * q + 1] = wi;
        const float wtemp = wr;
        wr = wr * wpr - wi * wpi + wr;
        wi = wi * wpr + wtemp * wpi + wi;
    }
    return pairs;
}

// The swaps the classic bit-reversal walk makes, in its order, for n floats.
std::vector<std::pair<std::uint32_t, std::uint32_t>> walkSwaps(std::uint32_t n) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> swaps;
    std::uint32_t j = 1;
    for (std::uint32_t i = 1; i < n; i += 2) {
        if (j > i) swaps.emplace_back(i, j);
        std::uint32_t m = n / 2;
        while (m >= 2 && j > m) {
            j -= m;
            m /= 2;
        }
        j += m;
    }
    return swaps;
}

void swapPoints(float* a, std::uint32_t i, std::uint32_t j) {
    // A point is two floats; moving them as one 8-byte word keeps every bit.
    std::uint64_t x;
    std::uint64_t y;
    std::memcpy(&x, a + i, sizeof x);
    std::memcpy(&y, a + j, sizeof y);
    std::memcpy(a + i, &y, sizeof y);
    std::memcpy(a + j, &x, sizeof x);
}

// Point p's position after the walk's swaps, found by making the same swaps
// on the point numbers themselves.
std::vector<std::uint32_t> reversedPositions(std::uint32_t points) {
    std::vector<std::uint32_t> pointAt(points);
    for (std::uint32_t r = 0; r < points; ++r) pointAt[r] = r;
    for (const auto& [i, j] : walkSwaps(2 * points)) std::swap(pointAt[i / 2], pointAt[j / 2]);
    std::vector<std::uint32_t> positions(points);
    for (std::uint32_t r = 0; r < points; ++r) positions[pointAt[r]] = r;
    return positions;
}

}  // namespace

const std::uint32_t* ReversedPositions(std::uint32_t points) {
    PositionTable& table = positionTables[std::countr_zero(points)];
    std::call_once(table.made, [&] { table.positions = reversedPositions(points); });
    return table.positions.data();
}

const float* StageTwiddles(std::uint32_t mmax, bool inverse) {
    TwiddleTable& table = twiddleTables[inverse ? 1 : 0][std::countr_zero(mmax)];
    std::call_once(table.made, [&] { table.pairs = makeTwiddles(mmax, inverse); });
    return table.pairs.data();
}

void BitReverse(float* a, std::uint32_t n) {
    if (!std::has_single_bit(n)) {
        // Not a size the engine uses; walk it directly rather than caching it.
        for (const auto& [i, j] : walkSwaps(n)) swapPoints(a, i, j);
        return;
    }
    SwapTable& table = swapTables[std::countr_zero(n)];
    std::call_once(table.made, [&] { table.swaps = walkSwaps(n); });
    for (const auto& [i, j] : table.swaps) swapPoints(a, i, j);
}

}  // namespace moravel::fourier
