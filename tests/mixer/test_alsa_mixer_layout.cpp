// How simple-mixer elements become lines and controls, on element lists
// written like the cards they stand for.
#include "mixer/alsa/AlsaMixerLayout.h"

#include <gtest/gtest.h>

namespace moravel::mixer {
namespace {

AlsaElementTraits Playback(const std::string& name, bool mono = false) {
    AlsaElementTraits e;
    e.name = name;
    e.playbackVolume = e.playbackSwitch = true;
    e.playbackMono = mono;
    return e;
}

// An input that plays (direct monitoring) and is chosen for recording by an
// exclusive capture switch of group 1.
AlsaElementTraits ExclusiveInput(const std::string& name, bool plays = true) {
    AlsaElementTraits e = plays ? Playback(name) : AlsaElementTraits{};
    e.name = name;
    e.captureSwitch = e.captureSwitchExclusive = true;
    e.captureGroup = 1;
    return e;
}

AlsaElementTraits Capture() {
    AlsaElementTraits e;
    e.name = "Capture";
    e.captureVolume = e.captureSwitch = true;
    return e;
}

std::vector<std::string> SourceNames(const AlsaMixerLayout& layout, std::uint32_t d) {
    std::vector<std::string> names;
    for (std::uint32_t s = 0; const AlsaLine* line = layout.Source(d, s); ++s) names.push_back(line->record.name);
    return names;
}

const AlsaControlBinding& ControlOf(const AlsaMixerLayout& layout, const AlsaLine& line, std::uint32_t type) {
    for (std::uint32_t id : line.controls)
        if (layout.Control(id)->record.type == type) return *layout.Control(id);
    throw std::runtime_error("no such control");
}

TEST(AlsaMixerLayout, CardWithACaptureSourceSplitIntoExclusiveSwitches) {
    const AlsaMixerLayout layout({Playback("Master"), Playback("PCM"), ExclusiveInput("Line"), ExclusiveInput("CD"),
                                  ExclusiveInput("Mic"), Capture(), ExclusiveInput("Mix", false)});
    ASSERT_EQ(layout.Destinations(), 2U);
    const AlsaLine& playback = *layout.Destination(0);
    EXPECT_EQ(playback.record.name, "Master");
    EXPECT_EQ(playback.controls.size(), 2U);
    EXPECT_EQ(SourceNames(layout, 0), (std::vector<std::string>{"PCM", "Line", "CD", "Mic"}));
    EXPECT_EQ(layout.Source(0, 0)->controls.size(), 2U);  // volume and mute

    const AlsaLine& recording = *layout.Destination(1);
    EXPECT_EQ(recording.record.name, "Capture");
    EXPECT_EQ(SourceNames(layout, 1), (std::vector<std::string>{"Line", "CD", "Mic", "Mix"}));
    EXPECT_EQ(layout.Source(1, 2)->controls.size(), 0U);  // on/off only through the selector
    const AlsaControlBinding& mux = ControlOf(layout, recording, kControlTypeMux);
    EXPECT_EQ(mux.kind, AlsaControlKind::SwitchSelector);
    EXPECT_EQ(mux.record.items, 4U);
    ASSERT_EQ(mux.texts.size(), 4U);
    EXPECT_EQ(mux.texts[2].param1, layout.Source(1, 2)->record.lineId);
    EXPECT_EQ(mux.itemElements, (std::vector<int>{2, 3, 4, 6}));
}

TEST(AlsaMixerLayout, EnumeratedInputSourceGivesItsItemsAsSources) {
    AlsaElementTraits selector;
    selector.name = "Input Source";
    selector.enumCapture = true;
    selector.enumItems = {"Mic", "Line", "Internal Mic"};
    AlsaElementTraits line = Capture();
    line.name = "Line";  // a source element of that name keeps its own volume
    const AlsaMixerLayout layout({Playback("Master"), Playback("Mic", true), Capture(), line, selector});
    EXPECT_EQ(SourceNames(layout, 0), (std::vector<std::string>{"Mic"}));
    EXPECT_EQ(layout.Source(0, 0)->record.channels, 1U);
    EXPECT_EQ(SourceNames(layout, 1), (std::vector<std::string>{"Line", "Mic", "Internal Mic"}));
    const AlsaControlBinding& mux = ControlOf(layout, *layout.Destination(1), kControlTypeMux);
    EXPECT_EQ(mux.kind, AlsaControlKind::EnumSelector);
    ASSERT_EQ(mux.texts.size(), 3U);
    EXPECT_EQ(mux.texts[0].param1, layout.Source(1, 1)->record.lineId);  // item "Mic"
    EXPECT_EQ(mux.texts[1].param1, layout.Source(1, 0)->record.lineId);  // item "Line"
    EXPECT_EQ(layout.Source(1, 0)->controls.size(), 2U);                 // its capture switch is its mute here
}

TEST(AlsaMixerLayout, IndependentCaptureSwitchesFormAMixer) {
    AlsaElementTraits mic = Capture();
    mic.name = "Mic";
    AlsaElementTraits line = Capture();
    line.name = "Line";
    const AlsaMixerLayout layout({Playback("Master"), Capture(), mic, line});
    const AlsaControlBinding& selector = ControlOf(layout, *layout.Destination(1), kControlTypeMixer);
    EXPECT_EQ(selector.itemElements, (std::vector<int>{2, 3}));
    const AlsaLine& micLine = *layout.Source(1, 0);
    ASSERT_EQ(micLine.controls.size(), 1U);  // the volume; its switch is the selector's item
    EXPECT_EQ(layout.Control(micLine.controls[0])->record.type, kControlTypeVolume);
}

TEST(AlsaMixerLayout, SoundServerControlHasOnlyItsTwoOwnLines) {
    const AlsaMixerLayout layout({Playback("Master"), Capture()});
    ASSERT_EQ(layout.Destinations(), 2U);
    EXPECT_EQ(layout.Destination(0)->record.connections, 0U);
    EXPECT_EQ(layout.Destination(1)->record.connections, 0U);
    EXPECT_EQ(layout.Destination(1)->controls.size(), 2U);
    EXPECT_EQ(layout.Destination(2), nullptr);
}

TEST(AlsaMixerLayout, DestinationsExistOnlyForWhatTheCardDoes) {
    EXPECT_EQ(AlsaMixerLayout({}).Destinations(), 0U);
    const AlsaMixerLayout playbackOnly({Playback("PCM"), Playback("Speaker")});
    ASSERT_EQ(playbackOnly.Destinations(), 1U);
    EXPECT_EQ(playbackOnly.Destination(0)->record.name, "Speaker");  // preferred over PCM
    EXPECT_EQ(SourceNames(playbackOnly, 0), (std::vector<std::string>{"PCM"}));
    const AlsaMixerLayout unnamed({Playback("Front"), Playback("Surround")});
    EXPECT_EQ(unnamed.Destination(0)->record.name, "Front");
}

TEST(AlsaMixerLayout, ControlsAreFoundByTheirElement) {
    const AlsaMixerLayout layout({Playback("Master"), ExclusiveInput("Line"), Capture()});
    const std::vector<std::uint32_t> lines = layout.LinesOfElement(1);
    EXPECT_EQ(lines.size(), 2U);                        // a playback source and a recording source
    EXPECT_EQ(layout.ControlsOfElement(1).size(), 3U);  // volume, mute, the selector
}

// "Mic Boost Volume" names no direction, so ALSA reports a playback and a
// capture volume; a "Mic Boost Switch" likewise. Both are input gains.
TEST(AlsaMixerLayout, ControlsForBothDirectionsAreRecordingSourcesOnly) {
    AlsaElementTraits boost;
    boost.name = "Mic Boost";
    boost.playbackVolume = boost.captureVolume = boost.commonVolume = true;
    AlsaElementTraits boostSwitch;
    boostSwitch.name = "Line Boost";
    boostSwitch.playbackSwitch = boostSwitch.captureSwitch = boostSwitch.commonSwitch = true;
    const AlsaMixerLayout layout({Playback("Master"), Playback("Mic"), Capture(), boost, boostSwitch});
    EXPECT_EQ(SourceNames(layout, 0), (std::vector<std::string>{"Mic"}));
    EXPECT_EQ(SourceNames(layout, 1), (std::vector<std::string>{"Mic Boost", "Line Boost"}));
}

}  // namespace
}  // namespace moravel::mixer
