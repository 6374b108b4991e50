// AudioMixer over the ALSA service on the test card plugin: ALSA's own
// simple mixer between the component and a card with typical elements.
// Expected volumes are worked out by hand from the element ranges of
// plugin/TestcardElements.cpp: a volume v becomes element value
// min + round(v * (max - min) / 65535) and reads back as
// round((value - min) * 65535 / (max - min)), halves up.
#include "mixer/alsa/AlsaMixerService.h"
#include "mixer/AudioMixer.h"
#include "MixerTestSupport.h"
#include "TestcardVariant.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace moravel::testing {
namespace {

using mixer::kControlTypeMute;
using mixer::kControlTypeMux;
using mixer::kControlTypeVolume;
using Names = std::vector<std::string>;

class TestcardMixer : public ::testing::Test {
protected:
    // Opens the test card in `variant` as the service's last device.
    void Open(const char* variant) {
        setenv(kTestcardVariantVariable, variant, 1);
        service = std::make_shared<mixer::AlsaMixerService>();
        ASSERT_FALSE(service->Names().empty());
        ASSERT_EQ(service->Names().back(), "default");
        mixer = std::make_unique<AudioMixer>(service);
        mixer->SetMixerId(mixer->DeviceCount() - 1);
        ASSERT_EQ(mixer->MixerId(), mixer->DeviceCount() - 1);
        ASSERT_EQ(mixer->NumberOfLine(), 2);
    }

    Names SourceNames(int destination) const {
        Names names;
        const MixerConnections& sources = mixer->Destinations()->Item(destination)->Connections();
        for (int i = 0; i < sources.Count(); ++i) names.push_back(sources.Item(i)->Line().name);
        return names;
    }
    // The connection index of the source named `name`.
    int Source(int destination, const std::string& name) const {
        const Names names = SourceNames(destination);
        const auto found = std::find(names.begin(), names.end(), name);
        EXPECT_NE(found, names.end()) << name;
        return static_cast<int>(found - names.begin());
    }
    Reading Line(int destination, const std::string& source = {}) const {
        return Read(*mixer, destination, source.empty() ? -1 : Source(destination, source));
    }
    bool Set(int destination, const std::string& source, int left, int right, int mute) {
        return mixer->SetVolume(destination, source.empty() ? -1 : Source(destination, source), left, right, mute);
    }
    // The recording sources' selections (mute-is-selection), in `order`.
    std::vector<int> Selections(const Names& order) const {
        std::vector<int> selected;
        for (const std::string& name : order) {
            const Reading r = Line(kRecording, name);
            EXPECT_TRUE(r.muteIsSelection) << name;
            selected.push_back(r.mute);
        }
        return selected;
    }

    std::shared_ptr<mixer::AlsaMixerService> service;
    std::unique_ptr<AudioMixer> mixer;
};

// The card whose recording source is an "Input Source" enumeration.
class EnumTestcard : public TestcardMixer {
protected:
    void SetUp() override { Open("enum"); }
};

// The card whose "Capture Source" the simple mixer shows as an exclusive
// capture switch on each source.
class SwitchTestcard : public TestcardMixer {
protected:
    void SetUp() override { Open("switches"); }
};

// The card with a microphone gain named without a direction.
class BoostTestcard : public TestcardMixer {
protected:
    void SetUp() override { Open("boost"); }
};

TEST_F(EnumTestcard, CardNamesAndLines) {
    EXPECT_EQ(mixer->ProductName(), "Moravel Test Card");
    EXPECT_EQ(mixer->Manufacturer(), "Testcard Codec");
    EXPECT_EQ(mixer->Destinations()->Item(kPlayback)->Line().name, "Master");
    EXPECT_EQ(mixer->Destinations()->Item(kRecording)->Line().name, "Capture");
    EXPECT_EQ(SourceNames(kPlayback), (Names{"PCM", "Line", "CD", "Mic"}));
    // Mic and Line have capture volumes; CD and Mix are only items of the
    // enumeration and get lines of their own.
    EXPECT_EQ(SourceNames(kRecording), (Names{"Line", "Mic", "CD", "Mix"}));
}

TEST_F(EnumTestcard, InitialValuesScaleFromTheElementRanges) {
    EXPECT_EQ(Line(kPlayback).left, 42281);  // 20 of 0..31
    EXPECT_EQ(Line(kPlayback).mute, 0);
    EXPECT_EQ(Line(kPlayback, "PCM").left, 51400);    // 200 of 0..255
    EXPECT_EQ(Line(kPlayback, "Mic").mute, 1);        // switch off
    EXPECT_EQ(Line(kRecording).left, 41610);          // 40 of 0..63
    EXPECT_EQ(Line(kRecording, "Mic").left, 21845);   // 1 of 0..3
    EXPECT_EQ(Line(kRecording, "Line").left, 32768);  // 0 of -20..20
}

TEST_F(EnumTestcard, StereoVolumeRoundTripsWithoutDrift) {
    ASSERT_TRUE(Set(kPlayback, "", 30000, 20000, -1));
    Reading r = Line(kPlayback);
    EXPECT_EQ(r.left, 29596);   // element 14 of 0..31
    EXPECT_EQ(r.right, 19026);  // element 9
    EXPECT_TRUE(r.stereo);
    ASSERT_TRUE(Set(kPlayback, "", r.left, r.right, -1));
    r = Line(kPlayback);
    EXPECT_EQ(r.left, 29596);
    EXPECT_EQ(r.right, 19026);

    ASSERT_TRUE(Set(kPlayback, "PCM", 32768, -1, -1));  // right -1: as left
    r = Line(kPlayback, "PCM");
    EXPECT_EQ(r.left, 32896);  // element 128 of 0..255
    EXPECT_EQ(r.right, 32896);
}

TEST_F(EnumTestcard, RangeEndsMapToRangeEnds) {
    for (const auto& [left, expected] : {std::pair{65535, 65535}, std::pair{0, 0}}) {
        ASSERT_TRUE(Set(kRecording, "Line", left, -1, -1));  // -20..20
        EXPECT_EQ(Line(kRecording, "Line").left, expected);
        ASSERT_TRUE(Set(kRecording, "Mic", left, -1, -1));  // 0..3
        EXPECT_EQ(Line(kRecording, "Mic").left, expected);
    }
    ASSERT_TRUE(Set(kRecording, "Line", 10000, -1, -1));
    EXPECT_EQ(Line(kRecording, "Line").left, 9830);  // element -14
}

TEST_F(EnumTestcard, MonoLineReadsRightEqualToLeft) {
    ASSERT_TRUE(Set(kPlayback, "Mic", 40000, 10000, -1));  // one channel: left only
    const Reading r = Line(kPlayback, "Mic");
    EXPECT_FALSE(r.stereo);
    EXPECT_EQ(r.left, 40167);  // element 19 of 0..31
    EXPECT_EQ(r.right, 40167);
}

TEST_F(EnumTestcard, LeftMinusOneChangesOnlyTheMute) {
    ASSERT_TRUE(Set(kPlayback, "", -1, -1, 1));
    Reading r = Line(kPlayback);
    EXPECT_EQ(r.mute, 1);
    EXPECT_EQ(r.left, 42281);
    EXPECT_EQ(r.right, 42281);
    ASSERT_TRUE(Set(kPlayback, "CD", -1, 5, 1));  // right without left is ignored too
    r = Line(kPlayback, "CD");
    EXPECT_EQ(r.mute, 1);
    EXPECT_EQ(r.left, 16912);  // 8 of 0..31, as opened
}

TEST_F(EnumTestcard, SelectingOneSourceDeselectsTheOthers) {
    const Names order{"Line", "Mic", "CD", "Mix"};
    EXPECT_EQ(Selections(order), (std::vector<int>{0, 1, 0, 0}));  // item 0, Mic
    ASSERT_TRUE(Set(kRecording, "Line", -1, -1, 1));
    EXPECT_EQ(Selections(order), (std::vector<int>{1, 0, 0, 0}));
    ASSERT_TRUE(Set(kRecording, "CD", -1, -1, 1));  // a line of the enumeration only
    EXPECT_EQ(Selections(order), (std::vector<int>{0, 0, 1, 0}));
    EXPECT_EQ(Line(kRecording, "CD").left, -1);  // no volume of its own
}

TEST_F(EnumTestcard, AnEnumerationKeepsItsOnlySelection) {
    ASSERT_TRUE(Set(kRecording, "Mic", -1, -1, 0));
    EXPECT_EQ(Line(kRecording, "Mic").mute, 1);
}

TEST_F(EnumTestcard, VolumeWithoutMuteLeavesTheSelection) {
    ASSERT_TRUE(Set(kRecording, "Line", 65535, -1, -1));
    EXPECT_EQ(Selections({"Line", "Mic"}), (std::vector<int>{0, 1}));
}

TEST_F(SwitchTestcard, SourcesOfTheExclusiveGroupAndTheirSelector) {
    EXPECT_EQ(SourceNames(kRecording), (Names{"Line", "CD", "Mic", "Mix"}));
    const mixer::MixerControl& selector = ControlOf(*mixer, kRecording, -1, kControlTypeMux);
    EXPECT_EQ(selector.items, 4U);
    // The exclusive switches are the selector's, not mutes of the sources.
    EXPECT_THROW(ControlOf(*mixer, kRecording, Source(kRecording, "Mic"), kControlTypeMute), std::runtime_error);
    EXPECT_EQ(Line(kRecording, "Mic").left, 21845);  // its volume stays its own
}

TEST_F(SwitchTestcard, SelectingOneSourceDeselectsTheOthers) {
    const Names order{"Line", "CD", "Mic", "Mix"};
    EXPECT_EQ(Selections(order), (std::vector<int>{1, 0, 0, 0}));  // item 2 of the enumeration
    ASSERT_TRUE(Set(kRecording, "Mic", -1, -1, 1));
    EXPECT_EQ(Selections(order), (std::vector<int>{0, 0, 1, 0}));
    ASSERT_TRUE(Set(kRecording, "Mix", -1, -1, 1));
    EXPECT_EQ(Selections(order), (std::vector<int>{0, 0, 0, 1}));
}

// The card, not the component, switches Line off when Mic is switched on;
// the component hears of it as a change of the selector.
TEST_F(SwitchTestcard, SwitchTheCardTurnedOffArrivesAsSelectorChange) {
    std::vector<quint32> changed;
    QObject::connect(mixer.get(), &AudioMixer::OnControlChange,
                     [&](AudioMixer*, AudioMixer::MixerHandle, quint32 id) { changed.push_back(id); });
    ASSERT_TRUE(Set(kRecording, "Mic", -1, -1, 1));
    EXPECT_TRUE(changed.empty());  // posted, not emitted inside the call
    QCoreApplication::processEvents();
    const quint32 selector = ControlOf(*mixer, kRecording, -1, kControlTypeMux).controlId;
    EXPECT_NE(std::find(changed.begin(), changed.end(), selector), changed.end());
}

TEST_F(SwitchTestcard, LeftMinusOneChangesOnlyTheSelection) {
    ASSERT_TRUE(Set(kRecording, "Mic", 65535, -1, -1));
    ASSERT_TRUE(Set(kRecording, "Mic", -1, -1, 1));
    const Reading r = Line(kRecording, "Mic");
    EXPECT_EQ(r.left, 65535);
    EXPECT_EQ(r.mute, 1);
    EXPECT_TRUE(r.muteIsSelection);
}

// ALSA reports "Mic Boost Volume" as a playback and a capture volume; it is
// the microphone's input gain and only a recording source.
TEST_F(BoostTestcard, AnInputGainIsARecordingSourceOnly) {
    EXPECT_EQ(SourceNames(kPlayback), (Names{"PCM", "Line", "CD", "Mic"}));
    EXPECT_EQ(SourceNames(kRecording), (Names{"Line", "Mic", "Mic Boost", "CD", "Mix"}));
    ASSERT_TRUE(Set(kRecording, "Mic Boost", 43690, -1, -1));
    EXPECT_EQ(Line(kRecording, "Mic Boost").left, 43690);  // element 2 of 0..3
}

}  // namespace
}  // namespace moravel::testing
