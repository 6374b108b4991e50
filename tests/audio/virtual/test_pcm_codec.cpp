// The device formats the virtual card fills and reads: byte layout of each,
// and what comes back from what went in.
#include "VirtualTestSupport.h"
#include "audio/virtual/PcmCodec.h"

#include <gtest/gtest.h>

namespace moravel::vcard {
namespace {

using testing::Format;
using Bytes = std::vector<std::uint8_t>;
using Samples = std::vector<std::int16_t>;

Bytes encode(const Samples& mono, const PcmFormat& format) {
    Bytes out(mono.size() * std::size_t(format.blockAlign()), 0xEE);
    EncodeFrames(mono.data(), mono.size(), format, out.data());
    return out;
}

Samples decode(const Bytes& bytes, const PcmFormat& format) {
    Samples out(bytes.size() / std::size_t(format.blockAlign()));
    DecodeFrames(bytes.data(), out.size(), format, out.data());
    return out;
}

TEST(PcmCodec, LaysOutEachFormat) {
    const Samples mono{0x1234, -2, -32768};
    EXPECT_EQ(encode(mono, Format(8000, 16, 1)), (Bytes{0x34, 0x12, 0xFE, 0xFF, 0x00, 0x80}));
    EXPECT_EQ(encode(mono, Format(8000, 16, 2)),
              (Bytes{0x34, 0x12, 0x34, 0x12, 0xFE, 0xFF, 0xFE, 0xFF, 0x00, 0x80, 0x00, 0x80}));
    // 8-bit unsigned: the high byte, offset by 128 (rounded towards minus infinity).
    EXPECT_EQ(encode(mono, Format(8000, 8, 1)), (Bytes{0x12 + 128, 127, 0}));
    EXPECT_EQ(encode(mono, Format(8000, 8, 2)), (Bytes{0x92, 0x92, 127, 127, 0, 0}));
}

TEST(PcmCodec, WhatWasEncodedDecodesBack) {
    const Samples mono{0, 1, -1, 255, -256, 32767, -32768, 12345};
    for (std::int32_t channels : {1, 2}) {
        EXPECT_EQ(decode(encode(mono, Format(8000, 16, channels)), Format(8000, 16, channels)), mono);
        Samples highBytes;
        for (std::int16_t s : mono) highBytes.push_back(std::int16_t((s >> 8) * 256));
        EXPECT_EQ(decode(encode(mono, Format(8000, 8, channels)), Format(8000, 8, channels)), highBytes);
    }
}

TEST(PcmCodec, StereoDecodesToTheMeanRoundedDown) {
    EXPECT_EQ(decode({0x0A, 0x00, 0x03, 0x00, 0xFF, 0xFF, 0xFE, 0xFF}, Format(8000, 16, 2)), (Samples{6, -2}));
    EXPECT_EQ(decode({0, 255}, Format(8000, 8, 2)), (Samples{-128}));  // (-32768 + 32512) / 2
}

}  // namespace
}  // namespace moravel::vcard
