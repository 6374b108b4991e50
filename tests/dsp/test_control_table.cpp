// The control table: consistent with itself and with the engine's own lists
// and rules, and holding the values stored settings files depend on.
#include "dsp/ChainSettings.h"
#include "common/ControlTable.h"
#include "common/FilterPresets.h"
#include "dsp/ShiftControl.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace moravel::controls {
namespace {

std::set<std::string_view> StoredKeys() {
    std::set<std::string_view> keys;
    for (const TrackControl& c : kTrackControls) keys.insert(c.key);
    for (const ComboControl& c : kComboControls) keys.insert(c.key);
    for (const SwitchControl& c : kSwitchControls) keys.insert(c.key);
    keys.erase(std::string_view{});
    return keys;
}

TEST(ControlTable, NamesAndKeysAreUnique) {
    std::set<std::string_view> names;
    std::size_t stored = 0;
    for (const TrackControl& c : kTrackControls) names.insert(c.name), stored += !c.key.empty();
    for (const ComboControl& c : kComboControls) names.insert(c.name), stored += !c.key.empty();
    for (const SwitchControl& c : kSwitchControls) names.insert(c.name), stored += !c.key.empty();
    EXPECT_EQ(names.size(), kTrackControls.size() + kComboControls.size() + kSwitchControls.size());
    EXPECT_EQ(StoredKeys().size(), stored);
    // 47 keys are read from SETTINGS; 12 of them belong to no control of these
    // pages (4 kept bytes, the X position, window state, width and height, the
    // splitter, the selected tab, the two file names): 47 - 12 = 35.
    EXPECT_EQ(stored, 35u);
}

TEST(ControlTable, EveryPositionLiesInItsRange) {
    for (const TrackControl& c : kTrackControls) {
        SCOPED_TRACE(std::string(c.name));
        EXPECT_LT(c.minimum, c.maximum);
        EXPECT_EQ(c.Clamp(c.position), c.position);
        EXPECT_EQ(c.Clamp(c.resetValue), c.resetValue);
        EXPECT_GE(c.singleStep, 1);
        EXPECT_GE(c.pageStep, c.singleStep);
        if (c.key.empty()) {
            EXPECT_EQ(c.keyDefault, c.position) << "a control without a key starts where it is built";
        }
    }
    for (const ComboControl& c : kComboControls) {
        SCOPED_TRACE(std::string(c.name));
        EXPECT_GT(c.Count(), 0);
        EXPECT_EQ(c.Select(c.index), c.index);
        EXPECT_EQ(c.Select(c.keyDefault), c.keyDefault);
    }
}

TEST(ControlTable, StoredDefaultsThatDifferFromTheBuiltPositions) {
    // A first run starts these away from where the page builds them.
    EXPECT_EQ(kTrackAgcDecay.position, 10);
    EXPECT_EQ(kTrackAgcDecay.keyDefault, 40);
    EXPECT_EQ(kTrackNoiseblanker1Level.position, 1);
    EXPECT_EQ(kTrackNoiseblanker1Level.keyDefault, 10);
    EXPECT_EQ(kTrackSpectrogramGain.position, 100);
    EXPECT_EQ(kTrackSpectrogramGain.keyDefault, 2000);
    // The scale maximum's default 0 lands on the bar's minimum.
    EXPECT_EQ(kTrackSpectrumMax.keyDefault, 0);
    EXPECT_EQ(kTrackSpectrumMax.Clamp(kTrackSpectrumMax.keyDefault), 2);
    // The "Defaults" buttons: AGC 40 / 10000, compressor 0 / -5, expander 0 / 0.
    EXPECT_EQ(kTrackAgcDecay.resetValue, 40);
    EXPECT_EQ(kTrackAgcLevel.resetValue, 10000);
    EXPECT_EQ(kTrackCompressorThreshold.resetValue, 0);
    EXPECT_EQ(kTrackCompressorGain.resetValue, -5);
    EXPECT_EQ(kTrackExpanderGain.resetValue, 0);
}

TEST(ControlTable, ClampAndSelect) {
    EXPECT_EQ(kTrackFilterCenter.Clamp(5), 10);
    EXPECT_EQ(kTrackFilterCenter.Clamp(99999), 30000);
    EXPECT_EQ(kTbFreqShift.Clamp(-4'000'000'000LL), -125) << "no wrap-around of 64-bit values";
    EXPECT_EQ(kEqualizerBandControls[6].Clamp(6), 5);
    EXPECT_EQ(kComboFreqShiftRange.Select(3), 3);
    EXPECT_EQ(kComboFreqShiftRange.Select(4), kNoSelection);
    EXPECT_EQ(kComboSpectrumResolution.Select(-1), kNoSelection);
    EXPECT_EQ(kComboFilterType.Select(4'294'967'297LL), kNoSelection) << "not truncated to 1";
}

TEST(ControlTable, EqualizerBandsAreNamedAndStoredInOrder) {
    for (std::size_t b = 0; b < kEqualizerBandControls.size(); ++b) {
        const std::string name = "eq" + std::to_string(b + 1);
        EXPECT_EQ(kEqualizerBandControls[b].name, name);
        EXPECT_EQ(kEqualizerBandControls[b].key, name);
        EXPECT_EQ(kEqualizerBandControls[b].minimum, -5);
        EXPECT_EQ(kEqualizerBandControls[b].maximum, 5);
    }
}

TEST(ControlTable, PresetsNameTheirListItemsAndFitTheFilterBars) {
    ASSERT_EQ(kComboPresetFilters.Count(), 7);
    for (std::string_view item : kComboPresetFilters.items) {
        SCOPED_TRACE(std::string(item));
        const auto preset = FindFilterPreset(item);
        ASSERT_TRUE(preset.has_value());
        EXPECT_EQ(kComboFilterType.Select(preset->type), preset->type) << "a type the list holds";
        EXPECT_EQ(kTrackFilterCenter.Clamp(preset->center), preset->center);
        if (preset->bandwidth != 0) {
            EXPECT_EQ(kTrackFilterBW.Clamp(preset->bandwidth), preset->bandwidth);
        }
    }
    EXPECT_EQ(FindFilterPreset("HAM : CW")->center, 800);
    EXPECT_FALSE(FindFilterPreset("HAM : cw").has_value()) << "exact text only";
    EXPECT_EQ(kComboFilterType.items[kStopBand], "Stop band");
}

TEST(ControlTable, ListsMatchTheEngineRulesTheyIndex) {
    // Each shift range item is the full-scale shift at position 125 in a
    // 2-Hz-bin spectrum: 125 × 4 × multiplier × 2 Hz.
    ASSERT_EQ(kShiftRangeItems.size(), 4u);
    EXPECT_EQ(ShiftLabel(125, 0), "1,000 Hz");
    EXPECT_EQ(ShiftLabel(125, 1), "3,000 Hz");
    EXPECT_EQ(ShiftLabel(125, 2), "10,000 Hz");
    EXPECT_EQ(ShiftLabel(125, 3), "20,000 Hz");
    EXPECT_EQ(ShiftRangeMultiplier(kComboFreqShiftRange.Count()), 1.0f) << "one past the list: no selection";
    // Resolution items Low, Medium, High decimate by 10, 5, 1.
    ASSERT_EQ(kResolutionItems.size(), 3u);
    EXPECT_EQ(ResolutionFactor(0), 10);
    EXPECT_EQ(ResolutionFactor(2), 1);
    EXPECT_EQ(kComboAudioRange.items[3], "16 KHz");
}

TEST(ControlTable, ChainStartsWhereThePagesAreBuilt) {
    const ChainSettings s;
    EXPECT_EQ(s.dynamics.agcLevel, 10000);
    EXPECT_EQ(s.dynamics.agcDecay, 10);
    EXPECT_EQ(s.dynamics.noiseBlankerLevel, 1);
    EXPECT_EQ(s.dynamics.compressorGain, 0);
    EXPECT_EQ(s.filterType, kBandPass);
    EXPECT_EQ(s.filterCenter, 1000);
    EXPECT_EQ(s.filterWidth, 500);
    EXPECT_EQ(s.shiftRange, 0);
    EXPECT_EQ(s.resolutionIndex, 1);
    EXPECT_EQ(s.decay, 0);
}

}  // namespace
}  // namespace moravel::controls
