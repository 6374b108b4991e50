// The play time of each kind of file, the "hh:mm:ss" read-out, and the
// same-file check shared by Record and Play.
#include "audio/recorder/ClockText.h"
#include "audio/recorder/PlayTime.h"
#include "audio/recorder/SameWaveFile.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

WaveFormatEx format(std::uint16_t channels, std::uint16_t bits, std::uint16_t blockAlign) {
    WaveFormatEx f;
    f.wFormatTag = kWaveFormatPcm;
    f.nChannels = channels;
    f.wBitsPerSample = bits;
    f.nBlockAlign = blockAlign;
    return f;
}

// Each worked out by hand; the older frames ÷ rate × channels ÷ bytes per
// sample formula agrees for the recorder's own files and 8-bit mono, but
// halves standard 16-bit mono and doubles 8-bit stereo.
TEST(PlayTime, IsTheTrueTimeForEveryPlayableLayout) {
    // Own recording at 8500 Hz: 169000 bytes = 84500 samples at 8450 Hz.
    EXPECT_DOUBLE_EQ(PlaySeconds(169000, format(1, 16, 1), 8450), 10.0);
    // Standard 16-bit mono at 8050 Hz: 80000 frames at 8000 Hz (old formula: 5 s).
    EXPECT_DOUBLE_EQ(PlaySeconds(80000, format(1, 16, 2), 8000), 10.0);
    EXPECT_DOUBLE_EQ(PlaySeconds(80000, format(1, 8, 1), 8000), 10.0);
    EXPECT_DOUBLE_EQ(PlaySeconds(40000, format(2, 16, 4), 8000), 5.0);
    // 8-bit stereo: 40000 frames (old formula: 10 s).
    EXPECT_DOUBLE_EQ(PlaySeconds(40000, format(2, 8, 2), 8000), 5.0);
    // 1 h 1 min 1 s of 16-bit mono.
    EXPECT_EQ(FormatClock(PlaySeconds(3661LL * 8000, format(1, 16, 2), 8000)), "01:01:01");
    EXPECT_EQ(FormatClock(PlaySeconds(169000, format(1, 16, 1), 8450)), "00:00:10");
}

TEST(ClockText, RoundsToMillisecondsThenCutsToSeconds) {
    EXPECT_EQ(FormatClock(0), "00:00:00");
    EXPECT_EQ(FormatClock(0.5), "00:00:00");
    EXPECT_EQ(FormatClock(9.9994), "00:00:09");
    EXPECT_EQ(FormatClock(9.9996), "00:00:10");
    EXPECT_EQ(FormatClock(59.5), "00:00:59");
    EXPECT_EQ(FormatClock(3599), "00:59:59");
    EXPECT_EQ(FormatClock(90061), "25:01:01");  // a duration, not a time of day
    EXPECT_EQ(FormatClock(-3), "00:00:00");
}

TEST(SameWaveFile, ComparesTheNamesExactly) {
    EXPECT_STREQ(kSameWaveFileMessage, "You cannot play and record the same wave file");
    EXPECT_TRUE(IsSameWaveFile("output.wav", "output.wav"));
    EXPECT_FALSE(IsSameWaveFile("output.wav", "Output.wav"));
    EXPECT_FALSE(IsSameWaveFile("output.wav", "./output.wav"));
    EXPECT_FALSE(IsSameWaveFile("/tmp/a.wav", "/tmp/b.wav"));
}

}  // namespace
}  // namespace moravel
