// The player's block rule: which sample of each frame lands in the block,
// the 8-bit mapping, the even-position rule and short or unplayable files.
#include "audio/PlayerBlock.h"
#include "WavTestSupport.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

using namespace testing;

Bytes wave(std::uint16_t channels, std::uint16_t align, std::uint16_t bits, const Bytes& data,
           std::uint16_t tag = kWaveFormatPcm) {
    const Bytes fmt = FmtPcmPart(tag, channels, 8000, align, bits);
    const Bytes extra = tag == kWaveFormatPcm ? Bytes{} : Le16(0);
    return Wave(Cat({Chunk("fmt ", Cat({fmt, extra})), Chunk("data", data)}));
}

struct Block {
    std::int32_t taken;
    std::vector<std::int16_t> samples;
    std::int32_t positionAfter;
};

Block readBlock(const Bytes& image, std::int32_t size, std::int32_t start = 0) {
    MemoryRiffFile file(image);
    WaveStream stream(file, nullptr);
    stream.SetPosition(start);
    PlayerBlockReader reader;
    Block b{0, std::vector<std::int16_t>(std::size_t(size / 2), 0), 0};
    b.taken = reader.ReadBlock(stream, b.samples.data(), size);
    b.positionAfter = stream.Position();
    return b;
}

using S = std::vector<std::int16_t>;

TEST(PlayerBlock, StereoSixteenBitTakesTheLeftSample) {
    const Block b = readBlock(wave(2, 4, 16, Samples16({100, -1, -200, -2, 300, -3})), 6);
    EXPECT_EQ(b.taken, 3);
    EXPECT_EQ(b.samples, (S{100, -200, 300}));
}

TEST(PlayerBlock, EightBitIsInvertedAndScaled) {
    const Block mono = readBlock(wave(1, 1, 8, {0, 128, 255, 1}), 8);
    EXPECT_EQ(mono.samples, (S{12800, 0, -12700, 12700}));
    const Block stereo = readBlock(wave(2, 2, 8, {0, 9, 255, 9}), 4);
    EXPECT_EQ(stereo.taken, 2);
    EXPECT_EQ(stereo.samples, (S{12800, -12700}));
}

// Mono 16-bit reads `size` bytes whether a frame is a byte (the recorder's
// files) or a sample.
TEST(PlayerBlock, MonoSixteenBitFillsTheBlockForEitherAlignment) {
    const Bytes data = Samples16({7, -8, 9, -10});
    for (std::uint16_t align : {1, 2}) {
        const Block b = readBlock(wave(1, align, 16, data), 8);
        EXPECT_EQ(b.taken, 4) << align;
        EXPECT_EQ(b.samples, (S{7, -8, 9, -10})) << align;
        EXPECT_EQ(b.positionAfter, 8 / align) << align;
    }
}

TEST(PlayerBlock, OddPositionMovesToTheNextEvenFrame) {
    const Block b = readBlock(wave(1, 1, 16, Samples16({1, 2, 3, 4})), 4, 3);
    EXPECT_EQ(b.samples, (S{3, 4}));
    EXPECT_EQ(b.positionAfter, 8);
}

TEST(PlayerBlock, ShortReadLeavesTheRestSilent) {
    const Block b = readBlock(wave(2, 4, 16, Samples16({5, 0, 6, 0})), 8);
    EXPECT_EQ(b.taken, 2);
    EXPECT_EQ(b.samples, (S{5, 6, 0, 0}));
}

TEST(PlayerBlock, UnplayableFormatsReadNothing) {
    const Bytes data(24, 0x11);
    for (const Bytes& image : {wave(1, 3, 24, data), wave(1, 4, 32, data, 3), wave(3, 6, 16, data),
                               wave(1, 1, 8, data, 6), wave(2, 1, 16, data)}) {
        MemoryRiffFile file(image);
        WaveStream stream(file, nullptr);
        EXPECT_FALSE(PlayerBlockReader::CanPlay(stream.Format()));
        const Block b = readBlock(image, 8);
        EXPECT_EQ(b.taken, 0);
        EXPECT_EQ(b.samples, S(4, 0));
        EXPECT_EQ(b.positionAfter, 0);
    }
}

}  // namespace
}  // namespace moravel
