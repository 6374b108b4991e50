// Frames and card time: exact in both directions, so that block deadlines
// counted from a start time never drift.
#include "audio/virtual/BlockTiming.h"

#include <gtest/gtest.h>

namespace moravel::vcard {
namespace {

using std::chrono::nanoseconds;

TEST(BlockTiming, DurationsRoundUpToWholeNanoseconds) {
    EXPECT_EQ(FramesDuration(0, 8450), nanoseconds(0));
    EXPECT_EQ(FramesDuration(8450, 8450), nanoseconds(1'000'000'000));
    EXPECT_EQ(FramesDuration(1024, 8450), nanoseconds(121'183'432));  // 121183431.95...
    EXPECT_EQ(FramesDuration(1, 3), nanoseconds(333'333'334));
    EXPECT_EQ(FramesDuration(1, 1), nanoseconds(1'000'000'000));
}

// A frame is complete exactly at its duration and not a nanosecond before,
// for every rate and block size of the audio ranges.
TEST(BlockTiming, FramesWithinInvertsDuration) {
    for (std::int32_t rate : {3950, 4000, 8450, 8500, 15950, 16000, 30950, 31000, 384000, 1}) {
        for (std::int64_t frames : {1LL, 512LL, 1024LL, 2048LL, 4096LL, 1000003LL}) {
            const nanoseconds d = FramesDuration(frames, rate);
            EXPECT_EQ(FramesWithin(d, rate), frames) << rate << " " << frames;
            EXPECT_EQ(FramesWithin(d - nanoseconds(1), rate), frames - 1) << rate << " " << frames;
        }
    }
}

// A million blocks of 4096 at 30950 Hz (a day and a half): the last is due
// exactly where it belongs; and a week at the highest rate.
TEST(BlockTiming, NoDriftOverLongRuns) {
    const std::int64_t frames = 4096LL * 1'000'000;  // 132121 s
    const nanoseconds d = FramesDuration(frames, 30950);
    EXPECT_EQ(d.count(), 132'342'487'883'684LL);  // 4096e6 / 30950 s, rounded up
    EXPECT_EQ(FramesWithin(d, 30950) / 4096, 1'000'000);
    EXPECT_EQ(FramesWithin(nanoseconds(7LL * 24 * 3600 * 1'000'000'000), 384000), 7LL * 24 * 3600 * 384000);
}

}  // namespace
}  // namespace moravel::vcard
