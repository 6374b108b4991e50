// The canonical 44-byte PCM header at the limits of its 32-bit sizes: a
// recording may grow until the RIFF size (data + 36) is 0xFFFFFFFF, and no
// further.
#include "audio/WaveHeader.h"

#include <gtest/gtest.h>

#include <vector>

namespace moravel {
namespace {

TEST(PcmWaveHeader, RoomEndsWhereTheRiffSizeWouldPassItsThirtyTwoBits) {
    EXPECT_EQ(kMaxPcmWaveDataBytes, 4294967259u);
    EXPECT_EQ(PcmWaveRoom(0), 4294967259u);
    EXPECT_EQ(PcmWaveRoom(4294967000u), 259u);
    EXPECT_EQ(PcmWaveRoom(4294967258u), 1u);
    EXPECT_EQ(PcmWaveRoom(4294967259u), 0u);
    EXPECT_EQ(PcmWaveRoom(0xFFFFFFFFu), 0u);
}

TEST(PcmWaveHeader, AFullFileHasTheLargestSizesTheFieldsHold) {
    PcmWaveHeaderBytes header = PcmWaveHeader(PcmWaveFormat(2, 48000, 24));
    SetPcmWaveSizes(header, kMaxPcmWaveDataBytes);
    const std::vector<std::uint8_t> riffSize(header.begin() + 4, header.begin() + 8);
    const std::vector<std::uint8_t> dataSize(header.begin() + 40, header.end());
    EXPECT_EQ(riffSize, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(dataSize, (std::vector<std::uint8_t>{0xDB, 0xFF, 0xFF, 0xFF}));
    // 2 channels of 24 bits: blocks of 6 bytes, 288000 bytes a second.
    const std::vector<std::uint8_t> rates(header.begin() + 24, header.begin() + 36);
    EXPECT_EQ(rates,
              (std::vector<std::uint8_t>{0x80, 0xBB, 0x00, 0x00, 0x00, 0x65, 0x04, 0x00, 0x06, 0x00, 0x18, 0x00}));
}

}  // namespace
}  // namespace moravel
