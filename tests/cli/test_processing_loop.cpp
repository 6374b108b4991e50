#include "MemoryWave.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

namespace moravel {
namespace {

using testing::MonoSamples;
using testing::MonoWave16;
using testing::ProcessImage;

constexpr std::uint32_t kRate = 8000;  // the player's rule gives 2048-byte blocks here
constexpr std::int64_t kBlockSamples = 1024;

std::vector<std::int16_t> Noise(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-8000, 8000);
    std::vector<std::int16_t> samples(count);
    for (auto& s : samples) s = static_cast<std::int16_t>(value(random));
    return samples;
}

TEST(ProcessingLoop, OutputHasTheInputsLengthAndOneBlockCallPerOutputBlock) {
    for (const std::int64_t length :
         {0L, 1L, kBlockSamples - 1, kBlockSamples, kBlockSamples + 1, 5 * kBlockSamples / 2}) {
        const auto result = ProcessImage(MonoWave16(kRate, Noise(static_cast<std::size_t>(length), 1)));
        EXPECT_EQ(result.samples, length);
        EXPECT_EQ(static_cast<std::int64_t>(MonoSamples(result.image).size()), length);
        const std::int64_t blocks = (length + kBlockSamples - 1) / kBlockSamples;
        ASSERT_EQ(static_cast<std::int64_t>(result.blocks.size()), blocks) << "length " << length;
        for (std::int64_t i = 0; i < blocks; ++i) EXPECT_EQ(result.blocks[static_cast<std::size_t>(i)], i);
    }
}

// Any rate a WAV file may have (1..1000000 Hz) gives a block of a power of
// two of samples, the only sizes the engine's transforms take: 512 up to a
// quarter rate of 1500, 1024 up to 3000, 2048 up to 6000, 4096 above.
TEST(ProcessingLoop, EveryRateRunsInBlocksOfAPowerOfTwo) {
    constexpr std::int64_t kLength = 5000;
    const struct {
        std::uint32_t rate;
        std::int64_t blocks;  // ceil(5000 / block samples)
    } cases[] = {{1, 10}, {6003, 10}, {6004, 5}, {11025, 5}, {12004, 3}, {24003, 3}, {24004, 2}, {1000000, 2}};
    for (const auto& c : cases) {
        const auto result = ProcessImage(MonoWave16(c.rate, Noise(kLength, 3)));
        EXPECT_EQ(result.samples, kLength) << c.rate << " Hz";
        EXPECT_EQ(static_cast<std::int64_t>(result.blocks.size()), c.blocks) << c.rate << " Hz";
    }
}

TEST(ProcessingLoop, OutputIsAlignedWithTheInput) {
    // Silence, a burst of noise, silence: with every stage off the output is
    // the input at about half amplitude, with no delay left in it.
    std::vector<std::int16_t> input(6 * kBlockSamples, 0);
    const auto burst = Noise(2000, 7);
    std::copy(burst.begin(), burst.end(), input.begin() + 2500);
    const auto output = MonoSamples(ProcessImage(MonoWave16(kRate, input)).image);
    ASSERT_EQ(output.size(), input.size());

    std::int64_t bestLag = 0;
    double best = -1;
    for (std::int64_t lag = -kBlockSamples - 8; lag <= kBlockSamples + 8; ++lag) {
        double sum = 0;
        for (std::int64_t i = 0; i < static_cast<std::int64_t>(input.size()); ++i) {
            const std::int64_t j = i + lag;
            if (j >= 0 && j < static_cast<std::int64_t>(output.size())) sum += double(input[i]) * output[j];
        }
        if (sum > best) best = sum, bestLag = lag;
    }
    EXPECT_EQ(bestLag, 0);
}

}  // namespace
}  // namespace moravel
