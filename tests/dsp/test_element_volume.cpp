// A mixer element's range against 0..65535, with values worked out by hand.
#include "common/ElementVolume.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

TEST(ElementVolume, MapsVolumesOntoASmallRange) {
    EXPECT_EQ(ToElementValue(0, 0, 100), 0);
    EXPECT_EQ(ToElementValue(65535, 0, 100), 100);
    EXPECT_EQ(ToElementValue(32768, 0, 100), 50);  // 50.0008
    EXPECT_EQ(ToElementValue(984, 0, 100), 2);     // 1.50149 rounds up
    EXPECT_EQ(ToElementValue(983, 0, 100), 1);     // 1.49996 rounds down
    EXPECT_EQ(ToElementValue(65535, -100, 0), 0);
    EXPECT_EQ(ToElementValue(0, -100, 0), -100);
}

TEST(ElementVolume, MapsElementValuesOntoTheFullScale) {
    EXPECT_EQ(FromElementValue(50, 0, 100), 32768U);  // 32767.5 rounds up
    EXPECT_EQ(FromElementValue(1, 0, 100), 655U);     // 655.35
    EXPECT_EQ(FromElementValue(-50, -100, 0), 32768U);
    EXPECT_EQ(FromElementValue(31, 0, 31), 65535U);
}

TEST(ElementVolume, ClampsAndSurvivesAnEmptyRange) {
    EXPECT_EQ(FromElementValue(200, 0, 100), 65535U);
    EXPECT_EQ(FromElementValue(-5, 0, 100), 0U);
    EXPECT_EQ(ToElementValue(70000, 0, 100), 100);
    EXPECT_EQ(ToElementValue(1000, 5, 5), 5);
    EXPECT_EQ(FromElementValue(5, 5, 5), 0U);
}

TEST(ElementVolume, SoundServerRangeIsOneStepWiderThanTheFullScale) {
    EXPECT_EQ(ToElementValue(65535, 0, 65536), 65536);
    EXPECT_EQ(ToElementValue(32768, 0, 65536), 32769);     // 32768.50001
    EXPECT_EQ(FromElementValue(32769, 0, 65536), 32768U);  // 32768.49999
    EXPECT_EQ(FromElementValue(65536, 0, 65536), 65535U);
}

TEST(ElementVolume, ElementValuesOfASmallRangeSurviveTheRoundTrip) {
    for (const auto& [min, max] : {std::pair{0L, 31L}, std::pair{-3L, 28L}, std::pair{0L, 1L}, std::pair{-10239L, 0L}})
        for (long e = min; e <= max; ++e) EXPECT_EQ(ToElementValue(FromElementValue(e, min, max), min, max), e) << e;
}

TEST(ElementVolume, VolumesSurviveTheRoundTripThroughAWiderRange) {
    for (std::uint32_t v = 0; v <= 65535; ++v)
        ASSERT_EQ(FromElementValue(ToElementValue(v, 0, 65536), 0, 65536), v) << v;
}

TEST(ElementVolume, ReadingAndWritingBackDoesNotDrift) {
    // A value read and written back settles after one write on any range.
    for (const auto& [min, max] : {std::pair{0L, 31L}, std::pair{0L, 65536L}, std::pair{0L, 100000L}}) {
        for (long e = min; e <= max; e += std::max(1L, (max - min) / 997)) {
            const std::uint32_t read = FromElementValue(e, min, max);
            const long written = ToElementValue(read, min, max);
            EXPECT_EQ(FromElementValue(written, min, max), read);
            EXPECT_EQ(ToElementValue(FromElementValue(written, min, max), min, max), written);
        }
    }
}

}  // namespace
}  // namespace moravel::mixer
