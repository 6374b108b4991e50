// The Soundcard page's pairs: their lines, the track-bar scale, the check
// box's mute and the "Auto set audio" steps. Volumes worked out by hand.
#include "app/core/MixerPairs.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

constexpr SoundcardLayout kTypicalCard{true, 4, 4};
constexpr SoundcardLayout kServerOnly{true, 0, 0};

TEST(MixerPairs, PositionsBecomeVolumesRoundedHalfToEven) {
    EXPECT_EQ(VolumeOfPosition(0), 0);
    EXPECT_EQ(VolumeOfPosition(1), 655);     // 655.35
    EXPECT_EQ(VolumeOfPosition(2), 1311);    // 1310.7
    EXPECT_EQ(VolumeOfPosition(10), 6554);   // 6553.5, tie to even
    EXPECT_EQ(VolumeOfPosition(30), 19660);  // 19660.5, tie to even
    EXPECT_EQ(VolumeOfPosition(50), 32768);  // 32767.5, tie to even
    EXPECT_EQ(VolumeOfPosition(70), 45874);  // 45874.5, tie to even
    EXPECT_EQ(VolumeOfPosition(90), 58982);  // 58981.5, tie to even
    EXPECT_EQ(VolumeOfPosition(100), 65535);
}

TEST(MixerPairs, VolumesBecomePositions) {
    EXPECT_EQ(PositionOfVolume(32768), 50);
    EXPECT_EQ(PositionOfVolume(65535), 100);
    EXPECT_EQ(PositionOfVolume(0), 0);
    EXPECT_EQ(PositionOfVolume(-1), 0);      // no volume control
    EXPECT_EQ(PositionOfVolume(327), 0);     // 0.499
    EXPECT_EQ(PositionOfVolume(328), 1);     // 0.5005
    EXPECT_EQ(PositionOfVolume(32000), 49);  // 48.83
    for (int p = 0; p <= 100; ++p) EXPECT_EQ(PositionOfVolume(VolumeOfPosition(p)), p) << p;
}

TEST(MixerPairs, CheckBoxIsOnForUnmutedOrSelected) {
    EXPECT_EQ(MuteToWrite(true, false, 1), 0);
    EXPECT_EQ(MuteToWrite(false, false, 0), 1);
    EXPECT_EQ(MuteToWrite(false, false, -1), 1);
    EXPECT_EQ(MuteToWrite(true, true, 0), 1);  // select
    EXPECT_EQ(MuteToWrite(true, true, 1), 1);
    EXPECT_EQ(MuteToWrite(false, true, 1), 0);   // deselect the selected source
    EXPECT_EQ(MuteToWrite(false, true, 0), -1);  // already off: a multiplexer write would clear the others
    EXPECT_TRUE(CheckedOfMute(0, false));
    EXPECT_FALSE(CheckedOfMute(1, false));
    EXPECT_TRUE(CheckedOfMute(1, true));
    EXPECT_FALSE(CheckedOfMute(0, true));
    EXPECT_FALSE(CheckedOfMute(-1, false));  // never read
}

TEST(MixerPairs, PairsControlTheirAssignedLines) {
    const LineAssignment lines{1, kNoLine, 0, 0, 1, 2};
    EXPECT_EQ(LineOfPair(MixerPair::Master, lines, kTypicalCard), (MixerLineRef{0, -1}));
    EXPECT_EQ(LineOfPair(MixerPair::WaveOut, lines, kTypicalCard), (MixerLineRef{0, 0}));
    EXPECT_EQ(LineOfPair(MixerPair::MicrophoneOut, lines, kTypicalCard), (MixerLineRef{0, 1}));
    EXPECT_EQ(LineOfPair(MixerPair::LineOut, lines, kTypicalCard), std::nullopt);
    EXPECT_EQ(LineOfPair(MixerPair::MicrophoneIn, lines, kTypicalCard), (MixerLineRef{1, 0}));
    EXPECT_EQ(LineOfPair(MixerPair::LineIn, lines, kTypicalCard), (MixerLineRef{1, 1}));
    EXPECT_EQ(LineOfPair(MixerPair::WaveIn, lines, kTypicalCard), (MixerLineRef{1, 2}));
    EXPECT_FALSE(PairEnabled(MixerPair::LineOut, lines, kTypicalCard));
    EXPECT_TRUE(PairEnabled(MixerPair::Master, lines, kTypicalCard));
    // Without a usable mixer nothing is enabled, not even the master.
    EXPECT_FALSE(PairEnabled(MixerPair::Master, lines, SoundcardLayout{}));
}

TEST(MixerPairs, OnAServerWaveOutAndMicrophoneInAreTheDestinationsThemselves) {
    const LineAssignment lines{kNoLine, kNoLine, 0, 0, kNoLine, kNoLine};
    EXPECT_EQ(LineOfPair(MixerPair::WaveOut, lines, kServerOnly), (MixerLineRef{0, -1}));
    EXPECT_EQ(LineOfPair(MixerPair::MicrophoneIn, lines, kServerOnly), (MixerLineRef{1, -1}));
    EXPECT_FALSE(PairEnabled(MixerPair::LineIn, lines, kServerOnly));
    EXPECT_FALSE(PairEnabled(MixerPair::WaveIn, lines, kServerOnly));
}

TEST(MixerPairs, StoredLineFindsTheFirstPairInItsOrder) {
    // Wave in, line in and microphone in all on recording source 1.
    const LineAssignment lines{2, 2, 0, 1, 1, 1};
    EXPECT_EQ(PairOfStoredLine(0, -1, lines), MixerPair::Master);
    EXPECT_EQ(PairOfStoredLine(1, 1, lines), MixerPair::WaveIn);
    EXPECT_EQ(PairOfStoredLine(0, 0, lines), MixerPair::WaveOut);
    EXPECT_EQ(PairOfStoredLine(0, 2, lines), MixerPair::MicrophoneOut);  // before line out
    EXPECT_EQ(PairOfStoredLine(0, 3, lines), std::nullopt);
    const LineAssignment inputs{kNoLine, kNoLine, 0, 1, 1, 3};
    EXPECT_EQ(PairOfStoredLine(1, 1, inputs), MixerPair::LineIn);  // before microphone in
}

TEST(MixerPairs, ReadAndAutoSetOrders) {
    const std::array<MixerPair, 7> read = {MixerPair::Master,        MixerPair::WaveOut,      MixerPair::WaveIn,
                                           MixerPair::MicrophoneOut, MixerPair::MicrophoneIn, MixerPair::LineOut,
                                           MixerPair::LineIn};
    EXPECT_EQ(kReadMixerOrder, read);
    const MixerPair order[] = {MixerPair::Master,  MixerPair::LineIn,        MixerPair::MicrophoneIn, MixerPair::WaveIn,
                               MixerPair::WaveOut, MixerPair::MicrophoneOut, MixerPair::LineOut};
    const bool on[] = {true, true, true, false, true, false, false};
    const int position[] = {50, 70, 70, 80, 50, 40, 40};
    for (std::size_t i = 0; i < kAutoSetSteps.size(); ++i) {
        EXPECT_EQ(kAutoSetSteps[i].pair, order[i]) << i;
        EXPECT_EQ(kAutoSetSteps[i].checked, on[i]) << i;
        EXPECT_EQ(kAutoSetSteps[i].position, position[i]) << i;
    }
}

}  // namespace
}  // namespace moravel
