// Which mixer line a stored index names, and the configured check, on a
// typical card (four playback and four recording sources) and on a sound
// server's control (no sources on either side).
#include "common/SoundcardLayout.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

constexpr SoundcardLayout kTypicalCard{true, 4, 4};
constexpr SoundcardLayout kServerOnly{true, 0, 0};
constexpr SoundcardLayout kNoMixer{};

// The assignment the dialog pre-selects on the typical card.
constexpr LineAssignment kTypicalLines{1, 2, 0, 0, 1, kNoLine};

TEST(SoundcardLayout, StoredIndexNamesTheSourceWhereTheDestinationHasSources) {
    EXPECT_EQ(MixerConnectionOf(LineKey::Wave_Out, 0, kTypicalCard), 0);
    EXPECT_EQ(MixerConnectionOf(LineKey::Microphone_In, 0, kTypicalCard), 0);
    EXPECT_EQ(MixerConnectionOf(LineKey::Line_In, 9, kTypicalCard), 9);  // unresolvable, left to the mixer
    EXPECT_EQ(MixerConnectionOf(LineKey::Wave_Out, kNoLine, kTypicalCard), std::nullopt);
    EXPECT_EQ(MixerConnectionOf(LineKey::Line_Out, -2, kTypicalCard), std::nullopt);
}

TEST(SoundcardLayout, OwnControlStandsInOnlyWhereItsListOffersIt) {
    EXPECT_EQ(MixerConnectionOf(LineKey::Wave_Out, 0, kServerOnly), -1);
    EXPECT_EQ(MixerConnectionOf(LineKey::Microphone_In, 0, kServerOnly), -1);
    EXPECT_EQ(MixerConnectionOf(LineKey::Line_In, 0, kServerOnly), -1);
    // Turned off by "Auto set audio": never the whole output or input.
    EXPECT_EQ(MixerConnectionOf(LineKey::Microphone_Out, 0, kServerOnly), 0);
    EXPECT_EQ(MixerConnectionOf(LineKey::Line_Out, 0, kServerOnly), 0);
    EXPECT_EQ(MixerConnectionOf(LineKey::Wave_In, 0, kServerOnly), 0);
    // Only index 0 stands for the destination.
    EXPECT_EQ(MixerConnectionOf(LineKey::Wave_Out, 1, kServerOnly), 1);
    // A server with no playback sources but a card-like recording side.
    const SoundcardLayout mixed{true, 0, 3};
    EXPECT_EQ(MixerConnectionOf(LineKey::Wave_Out, 0, mixed), -1);
    EXPECT_EQ(MixerConnectionOf(LineKey::Microphone_In, 0, mixed), 0);
}

TEST(SoundcardLayout, CardWithMonitoringLinesKeepsTheFullRule) {
    EXPECT_TRUE(IsSoundcardConfigured(kTypicalLines, kTypicalCard));
    LineAssignment lines = kTypicalLines;
    lines.Microphone_Out = lines.Line_Out = kNoLine;
    EXPECT_FALSE(IsSoundcardConfigured(lines, kTypicalCard));
    lines = kTypicalLines;
    lines.Microphone_In = lines.Line_In = kNoLine;
    EXPECT_FALSE(IsSoundcardConfigured(lines, kTypicalCard));
    lines = kTypicalLines;
    lines.Wave_Out = kNoLine;
    EXPECT_FALSE(IsSoundcardConfigured(lines, kTypicalCard));
    lines = kTypicalLines;
    lines.Microphone_Out = lines.Microphone_In = kNoLine;  // the line pair alone is enough
    EXPECT_TRUE(IsSoundcardConfigured(lines, kTypicalCard));
    EXPECT_FALSE(IsSoundcardConfigured(LineAssignment{}, kTypicalCard));
}

TEST(SoundcardLayout, PlaybackWithoutMonitoringLinesAsksOnlyForWaveAndAnInput) {
    // What the dialog pre-selects on a sound server: its two own controls.
    const LineAssignment server{kNoLine, kNoLine, 0, 0, kNoLine, kNoLine};
    EXPECT_TRUE(IsSoundcardConfigured(server, kServerOnly));
    LineAssignment noInput = server;
    noInput.Microphone_In = kNoLine;
    EXPECT_FALSE(IsSoundcardConfigured(noInput, kServerOnly));
    EXPECT_FALSE(IsSoundcardConfigured(LineAssignment{}, kServerOnly));

    // One playback source, taken by the wave output: nothing left to monitor.
    const SoundcardLayout pcmOnly{true, 1, 2};
    const LineAssignment usb{kNoLine, kNoLine, 0, 1, kNoLine, kNoLine};
    EXPECT_TRUE(IsSoundcardConfigured(usb, pcmOnly));
    // Two playback sources: the other one is there to assign.
    EXPECT_FALSE(IsSoundcardConfigured(usb, SoundcardLayout{true, 2, 2}));
}

TEST(SoundcardLayout, MixerThatOffersNothingAsksForNothing) {
    EXPECT_TRUE(IsSoundcardConfigured(LineAssignment{}, kNoMixer));
    EXPECT_EQ(MixerConnectionOf(LineKey::Wave_Out, 0, kNoMixer), 0);
}

}  // namespace
}  // namespace moravel
