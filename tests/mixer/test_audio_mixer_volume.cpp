// GetVolume and SetVolume of AudioMixer on the typical simulated card and
// on cards built for one case: what reaches the card, and the markers.
#include "MixerTestSupport.h"

namespace moravel::testing {
namespace {

using mixer::kControlTypeMute;
using mixer::kControlTypeMux;
using mixer::kControlTypeVolume;
using Set = std::vector<std::uint32_t>;

TEST_F(TypicalCard, StereoLineReadsBothChannelsAndItsOwnMute) {
    SetFromOutside(ControlOf(mixer, kPlayback, -1, kControlTypeVolume), {1000, 2000});
    SetFromOutside(ControlOf(mixer, kPlayback, -1, kControlTypeMute), {1});
    const Reading r = Read(mixer, kPlayback, -1);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.left, 1000);
    EXPECT_EQ(r.right, 2000);
    EXPECT_TRUE(r.stereo);
    EXPECT_EQ(r.mute, 1);
    EXPECT_FALSE(r.volumeDisabled);
    EXPECT_FALSE(r.muteDisabled);
    EXPECT_FALSE(r.muteIsSelection);
}

TEST_F(TypicalCard, MonoLineReadsRightEqualToLeft) {
    SetFromOutside(ControlOf(mixer, kPlayback, kPlayMicrophone, kControlTypeVolume), {1234});
    const Reading r = Read(mixer, kPlayback, kPlayMicrophone);
    EXPECT_EQ(r.left, 1234);
    EXPECT_EQ(r.right, 1234);
    EXPECT_FALSE(r.stereo);
}

TEST_F(TypicalCard, RecordingSourceReportsItsSelectionAsMute) {
    const Reading microphone = Read(mixer, kRecording, kRecMicrophone);  // selected on a new card
    EXPECT_EQ(microphone.mute, 1);
    EXPECT_TRUE(microphone.muteIsSelection);
    EXPECT_FALSE(microphone.muteDisabled);
    EXPECT_EQ(microphone.left, 32768);
    const Reading stereoMix = Read(mixer, kRecording, kStereoMix);
    EXPECT_EQ(stereoMix.mute, 0);
    EXPECT_TRUE(stereoMix.muteIsSelection);
}

TEST_F(TypicalCard, DestinationLineIsNotLookedUpInItsOwnSelector) {
    const Reading r = Read(mixer, kRecording, -1);  // a volume, no mute
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.left, 32768);
    EXPECT_EQ(r.mute, -1);
    EXPECT_TRUE(r.muteDisabled);
    EXPECT_FALSE(r.muteIsSelection);
}

TEST_F(TypicalCard, MissingLineReadsAsPresetsAndFalse) {
    for (const auto& [d, c] : {std::pair{kPlayback, 4}, std::pair{2, -1}, std::pair{kRecording, -2}}) {
        const Reading r = Read(mixer, d, c);
        EXPECT_FALSE(r.found);
        EXPECT_EQ(r.left, -1);
        EXPECT_EQ(r.right, -1);
        EXPECT_EQ(r.mute, -1);
        EXPECT_TRUE(r.volumeDisabled);
        EXPECT_TRUE(r.muteDisabled);
        EXPECT_FALSE(r.stereo);
    }
}

TEST_F(TypicalCard, SettingOneVolumeGivesBothChannelsTheSame) {
    EXPECT_TRUE(mixer.SetVolume(kPlayback, kWave, 40000, -1, 0));
    EXPECT_EQ(Values(ControlOf(mixer, kPlayback, kWave, kControlTypeVolume)), (Set{40000, 40000}));
    EXPECT_TRUE(mixer.SetVolume(kPlayback, kWave, 100, 200, 1));
    EXPECT_EQ(Values(ControlOf(mixer, kPlayback, kWave, kControlTypeVolume)), (Set{100, 200}));
    EXPECT_EQ(Values(ControlOf(mixer, kPlayback, kWave, kControlTypeMute), 1), (Set{1}));
}

TEST_F(TypicalCard, LeftMinusOneChangesOnlyTheMute) {
    SetFromOutside(ControlOf(mixer, kPlayback, kPlayLineIn, kControlTypeVolume), {1000, 2000});
    EXPECT_TRUE(mixer.SetVolume(kPlayback, kPlayLineIn, -1, 5000, 1));
    EXPECT_EQ(Values(ControlOf(mixer, kPlayback, kPlayLineIn, kControlTypeVolume)), (Set{1000, 2000}));
    EXPECT_EQ(Values(ControlOf(mixer, kPlayback, kPlayLineIn, kControlTypeMute), 1), (Set{1}));
}

TEST_F(TypicalCard, MuteMinusOneLeavesTheMuteAndTheSelection) {
    SetFromOutside(ControlOf(mixer, kPlayback, -1, kControlTypeMute), {1});
    EXPECT_TRUE(mixer.SetVolume(kPlayback, -1, 3000, -1, -1));
    EXPECT_EQ(Values(ControlOf(mixer, kPlayback, -1, kControlTypeMute), 1), (Set{1}));
    EXPECT_TRUE(mixer.SetVolume(kRecording, kRecLineIn, 3000, -1, -1));
    EXPECT_EQ(Selection(), (Set{1, 0, 0, 0}));
}

TEST_F(TypicalCard, SelectingARecordingSourceDeselectsTheOthers) {
    EXPECT_TRUE(mixer.SetVolume(kRecording, kRecLineIn, -1, -1, 1));
    EXPECT_EQ(Selection(), (Set{0, 1, 0, 0}));
    EXPECT_TRUE(mixer.SetVolume(kRecording, kRecCdAudio, 20000, -1, 1));
    EXPECT_EQ(Selection(), (Set{0, 0, 0, 1}));
    EXPECT_EQ(Values(ControlOf(mixer, kRecording, kRecCdAudio, kControlTypeVolume)), (Set{20000, 20000}));
    EXPECT_EQ(Read(mixer, kRecording, kRecCdAudio).mute, 1);
    EXPECT_EQ(Read(mixer, kRecording, kRecMicrophone).mute, 0);
}

TEST_F(TypicalCard, DeselectingTheSelectedSourceLeavesNoneSelected) {
    EXPECT_TRUE(mixer.SetVolume(kRecording, kRecMicrophone, -1, -1, 0));
    EXPECT_EQ(Selection(), (Set{0, 0, 0, 0}));
}

TEST_F(TypicalCard, WritesToAMissingLineChangeNothing) {
    EXPECT_FALSE(mixer.SetVolume(kRecording, 4, 100, -1, 1));
    EXPECT_FALSE(mixer.SetVolume(3, -1, 100, -1, 1));
    EXPECT_EQ(Selection(), (Set{1, 0, 0, 0}));
}

// A recording side whose selector is a mixer (several sources at once) and
// whose second source has a mute of its own.
class MixerSelectorCard : public ::testing::Test {
protected:
    MixerSelectorCard() {
        card = std::make_shared<mixer::SimulatedCard>(mixer::TypicalSoundcardCaps());
        card->AddDestination("Playback", 2);
        const std::uint32_t recording = card->AddDestination("Recording", 2);
        const std::uint32_t a = card->AddSource(1, "A", 2);
        const std::uint32_t b = card->AddSource(1, "B", 2);
        bMute = card->AddControl(b, kControlTypeMute, mixer::kControlFlagUniform, 0, "B Mute");
        selector = card->AddControl(recording, mixer::kControlTypeMixer,
                                    mixer::kControlFlagUniform | mixer::kControlFlagMultiple, 2, "Select");
        card->SetListTexts(selector, {{a, 0, "A"}, {b, 0, "B"}});
        mixer = std::make_unique<AudioMixer>(
            std::make_shared<mixer::SimulatedMixerService>(std::vector<std::shared_ptr<mixer::SimulatedCard>>{card}));
    }
    Set Get(std::uint32_t control, std::uint32_t items) {
        Set v;
        EXPECT_TRUE(card->ControlValues(control, 1, items, v));
        return v;
    }

    std::shared_ptr<mixer::SimulatedCard> card;
    std::unique_ptr<AudioMixer> mixer;
    std::uint32_t bMute = 0, selector = 0;
};

TEST_F(MixerSelectorCard, SelectingOneSourceKeepsTheOthers) {
    EXPECT_TRUE(mixer->SetVolume(1, 0, -1, -1, 1));
    EXPECT_EQ(Get(selector, 2), (Set{1, 0}));
    ASSERT_TRUE(card->SetControlValues(selector, 1, 2, {1, 1}));
    EXPECT_TRUE(mixer->SetVolume(1, 0, -1, -1, 0));
    EXPECT_EQ(Get(selector, 2), (Set{0, 1}));
}

TEST_F(MixerSelectorCard, ASourcesOwnMuteWinsOverTheSelector) {
    ASSERT_TRUE(card->SetControlValues(selector, 1, 2, {0, 1}));
    EXPECT_TRUE(mixer->SetVolume(1, 1, -1, -1, 1));
    EXPECT_EQ(Get(bMute, 0), (Set{1}));
    EXPECT_EQ(Get(selector, 2), (Set{0, 1}));  // untouched
    const Reading r = Read(*mixer, 1, 1);
    EXPECT_EQ(r.mute, 1);
    EXPECT_FALSE(r.muteIsSelection);
    EXPECT_EQ(r.left, -1);  // no volume control
}

}  // namespace
}  // namespace moravel::testing
