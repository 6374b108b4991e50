// The soundcard dialog's lists and its pre-selection for a first run.
#include "common/SoundcardChoices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace moravel {
namespace {

using Items = std::vector<std::string>;

MixerNames TypicalCard() {
    return {true,
            {"Volume Control", {"Wave", "Microphone", "Line In", "CD Audio"}},
            {"Recording Control", {"Microphone", "Line In", "Stereo Mix", "CD Audio"}}};
}

MixerNames ServerOnly() { return {true, {"Master", {}}, {"Capture", {}}}; }

TEST(SoundcardChoices, ListsHoldTheirDestinationsLinesAndNotAvailableButWaveOut) {
    const MixerNames card = TypicalCard();
    EXPECT_EQ(ChoiceItems(card, LineKey::Wave_Out), (Items{"Wave", "Microphone", "Line In", "CD Audio"}));
    EXPECT_EQ(ChoiceItems(card, LineKey::Microphone_Out),
              (Items{"Wave", "Microphone", "Line In", "CD Audio", "[Not available]"}));
    EXPECT_EQ(ChoiceItems(card, LineKey::Line_Out), ChoiceItems(card, LineKey::Microphone_Out));
    const Items recording{"Microphone", "Line In", "Stereo Mix", "CD Audio", "[Not available]"};
    EXPECT_EQ(ChoiceItems(card, LineKey::Microphone_In), recording);
    EXPECT_EQ(ChoiceItems(card, LineKey::Line_In), recording);
    EXPECT_EQ(ChoiceItems(card, LineKey::Wave_In), recording);
}

TEST(SoundcardChoices, ServerOffersItsOwnControlsForWaveOutAndTheInputs) {
    const MixerNames server = ServerOnly();
    EXPECT_EQ(ChoiceItems(server, LineKey::Wave_Out), (Items{"Master"}));
    EXPECT_EQ(ChoiceItems(server, LineKey::Microphone_Out), (Items{"[Not available]"}));
    EXPECT_EQ(ChoiceItems(server, LineKey::Line_Out), (Items{"[Not available]"}));
    EXPECT_EQ(ChoiceItems(server, LineKey::Microphone_In), (Items{"Capture", "[Not available]"}));
    EXPECT_EQ(ChoiceItems(server, LineKey::Line_In), (Items{"Capture", "[Not available]"}));
    EXPECT_EQ(ChoiceItems(server, LineKey::Wave_In), (Items{"[Not available]"}));
}

TEST(SoundcardChoices, NoUsableMixerGivesEmptyListsAndNoSelection) {
    const MixerNames none;
    for (LineKey key : {LineKey::Microphone_Out, LineKey::Wave_Out, LineKey::Wave_In})
        EXPECT_TRUE(ChoiceItems(none, key).empty());
    const LineAssignment lines = PreselectedLines(none);
    EXPECT_EQ(lines.Wave_Out, kNoLine);
    EXPECT_EQ(lines.Microphone_In, kNoLine);
}

TEST(SoundcardChoices, PreselectsTheTypicalCardsLinesByName) {
    const LineAssignment lines = PreselectedLines(TypicalCard());
    EXPECT_EQ(lines.Microphone_Out, 1);
    EXPECT_EQ(lines.Line_Out, 2);
    EXPECT_EQ(lines.Wave_Out, 0);
    EXPECT_EQ(lines.Microphone_In, 0);
    EXPECT_EQ(lines.Line_In, 1);
    EXPECT_EQ(lines.Wave_In, kNoLine);  // nothing named wave records here
}

// Element names of a typical onboard card: the bare word beats a name that
// begins with it, which beats one that only holds it; no substrings.
TEST(SoundcardChoices, BareWordBeatsPrefixBeatsMentionWithoutSubstrings) {
    const MixerNames card{true,
                          {"Master", {"Headphone", "Front Mic", "Mic Boost", "Mic", "Line", "PCM", "Beep"}},
                          {"Capture", {"Front Mic Boost", "Line Boost", "Online Mix", "Micro Wave"}}};
    const LineAssignment lines = PreselectedLines(card);
    EXPECT_EQ(lines.Microphone_Out, 3);  // "Mic"
    EXPECT_EQ(lines.Line_Out, 4);        // "Line"
    EXPECT_EQ(lines.Wave_Out, 5);        // "PCM"
    EXPECT_EQ(lines.Microphone_In, 0);   // "Front Mic Boost": mentions mic ("Micro" is not a word match)
    EXPECT_EQ(lines.Line_In, 1);         // "Line Boost" begins with it; "Online" is no match
    EXPECT_EQ(lines.Wave_In, 3);         // "Micro Wave"
}

TEST(SoundcardChoices, ServerPreselectsItsControlsForWaveOutAndMicrophoneIn) {
    const LineAssignment lines = PreselectedLines(ServerOnly());
    EXPECT_EQ(lines.Wave_Out, 0);
    EXPECT_EQ(lines.Microphone_In, 0);
    EXPECT_EQ(lines.Line_In, kNoLine);
    EXPECT_EQ(lines.Microphone_Out, kNoLine);
    EXPECT_EQ(lines.Line_Out, kNoLine);
    EXPECT_EQ(lines.Wave_In, kNoLine);
}

}  // namespace
}  // namespace moravel
