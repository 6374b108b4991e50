// The controls of the processing and display pages (Audio, Spectrum,
// Spectrogram, Filter, Shift, Compress, Expand, Equalizer) as one table: each
// control's object name, the settings key that stores it, its range, its
// position when the window is built, the key's default and, for drop-down
// lists, the items. The pages build their controls from it, the settings
// readers take their defaults and clamping from it and the batch tool its
// ranges, so that none of them can drift from the others.
//
// A control's position when the window is built and its key's default are two
// values: the window starts from the first and then reads the settings file,
// where a missing key gives the second (e.g. the AGC decay bar is built at 10
// and a first run starts it at 40). Controls without a key keep their built
// position for the whole run.
//
// Plain C++, all constexpr; any thread.
#pragma once

#include "common/AudioRange.h"
#include "common/EqualizerBands.h"
#include "common/FilterPresets.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace moravel::controls {

/// A combo's index when no item is selected.
inline constexpr std::int32_t kNoSelection = -1;

/// A track bar (a slider).
struct TrackControl {
    std::string_view name;  // object name
    std::string_view key;   // settings key; empty when the position is not stored
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t position;    // when the window is built
    std::int32_t keyDefault;  // a missing key's value, before the bar clamps it
    std::int32_t singleStep;  // arrow keys
    std::int32_t pageStep;    // Page Up / Page Down and clicks beside the handle
    std::int32_t resetValue;  // what the page's Defaults/Reset/Zero button sets

    /// `value` moved into minimum..maximum, as the bar takes a position.
    constexpr std::int32_t Clamp(std::int64_t value) const {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, minimum, maximum));
    }
};

/// A drop-down list whose item index is the control's value.
struct ComboControl {
    std::string_view name;  // object name
    std::string_view key;   // settings key; empty when the index is not stored
    std::span<const std::string_view> items;
    std::int32_t index;       // selected when the window is built; kNoSelection for none
    std::int32_t keyDefault;  // a missing key's value

    constexpr std::int32_t Count() const { return static_cast<std::int32_t>(items.size()); }

    /// `value` when it is an item's index, else kNoSelection: the list then
    /// shows no item.
    constexpr std::int32_t Select(std::int64_t value) const {
        return value >= 0 && value < Count() ? static_cast<std::int32_t>(value) : kNoSelection;
    }
};

/// An on/off control (a check box or a button that stays down). Every one is
/// off when the window is built.
struct SwitchControl {
    std::string_view name;  // object name
    std::string_view key;   // settings key
    bool keyDefault;        // a missing key's value
};

// ---- Items of the lists ---------------------------------------------------------

namespace detail {

template <typename Row, std::size_t N, typename Field>
constexpr std::array<std::string_view, N> ItemsOf(const std::array<Row, N>& rows, Field field) {
    std::array<std::string_view, N> items{};
    for (std::size_t i = 0; i < N; ++i) items[i] = rows[i].*field;
    return items;
}

}  // namespace detail

/// The preset list's items, in kFilterPresets' order.
inline constexpr auto kFilterPresetItems = detail::ItemsOf(kFilterPresets, &FilterPreset::name);
/// The audio range list's items, in kAudioRanges' order.
inline constexpr auto kAudioRangeItems = detail::ItemsOf(kAudioRanges, &AudioRange::item);
/// Full-scale shift of the shift bar, by range index (see ShiftRangeMultiplier).
inline constexpr std::array<std::string_view, 4> kShiftRangeItems = {"1000 Hz", "3000 Hz", "10 KHz", "20 KHz"};
/// Spectrum points per block, by resolution index (see ResolutionFactor).
inline constexpr std::array<std::string_view, 3> kResolutionItems = {"Low", "Medium", "High"};
/// How the spectrum plot's vertical axis is scaled.
inline constexpr std::array<std::string_view, 3> kSpectrumScaleItems = {"Peak hold", "Auto scale", "Manual scale"};

// ---- Track bars --------------------------------------------------------------------
//                                        name, key, minimum, maximum, position, key default, steps, reset

// Filter page, Hz.
inline constexpr TrackControl kTrackFilterCenter{
    "TrackFilterCenter", "FilterCenterFreq", 10, 30000, 1000, 1000, 10, 100, 1000};
inline constexpr TrackControl kTrackFilterBW{"TrackFilterBW", "FilterBandwidth", 20, 3000, 500, 500, 10, 100, 500};

// Audio page. The "Defaults" button sets the AGC bars to their keys' defaults.
inline constexpr TrackControl kTrackAgcLevel{
    "TrackAgcLevel", "TrackAgcLevel", 2000, 30000, 10000, 10000, 100, 1000, 10000};
inline constexpr TrackControl kTrackAgcDecay{"TrackAgcDecay", "TrackAgcDecay", 2, 300, 10, 40, 1, 10, 40};
inline constexpr TrackControl kTrackNoiseblanker1Level{
    "TrackNoiseblanker1Level", "NoiseBlanker1Level", 1, 20, 1, 10, 1, 2, 1};

// Spectrum page. The scale key's default lies below the bar: a first run
// starts the manual maximum at the bar's minimum.
inline constexpr TrackControl kTrackSpectrumMax{"TrackSpectrumMax", "SpectrumScaleMax", 2, 1000, 10, 0, 1, 50, 10};
inline constexpr TrackControl kTrackSpectrumDecay{"TrackSpectrumDecay", "SpectrumDecayValue", 0, 20, 10, 10, 1, 2, 10};

// Spectrogram page: the colour scale.
inline constexpr TrackControl kTrackSpectrogramOffset{
    "TrackSpectrogramOffset", "TrackSpectrogramOffset", 0, 1000, 0, 0, 10, 100, 0};
inline constexpr TrackControl kTrackSpectrogramGain{
    "TrackSpectrogramGain", "TrackSpectrogramGain", 1, 4000, 100, 2000, 10, 200, 100};

// Shift page; "Zero" sets 0.
inline constexpr TrackControl kTbFreqShift{"tbFreqShift", "TrackFrequencyShift", -125, 125, 0, 0, 1, 25, 0};

// Compress and Expand pages: not stored, every run starts at 0. The
// compressor's "Defaults" button lowers the gain to -5.
inline constexpr TrackControl kTrackCompressorThreshold{"TrackCompressorThreshold", {}, -50, 50, 0, 0, 1, 10, 0};
inline constexpr TrackControl kTrackCompressorGain{"TrackCompressorGain", {}, -10, 10, 0, 0, 1, 2, -5};
inline constexpr TrackControl kTrackExpanderThreshold{"TrackExpanderThreshold", {}, -50, 50, 0, 0, 1, 10, 0};
inline constexpr TrackControl kTrackExpanderGain{"TrackExpanderGain", {}, -10, 10, 0, 0, 1, 2, 0};

/// Equalizer page: band b's slider is named and stored as "eq<b+1>"; "Reset"
/// sets 0.
inline constexpr std::array<TrackControl, kEqualizerBands> kEqualizerBandControls = [] {
    constexpr std::array<std::string_view, kEqualizerBands> kNames = {"eq1", "eq2", "eq3", "eq4", "eq5", "eq6", "eq7"};
    std::array<TrackControl, kEqualizerBands> bands{};
    for (std::size_t b = 0; b < bands.size(); ++b)
        bands[b] = {kNames[b], kNames[b], -kEqualizerMaximum, kEqualizerMaximum, 0, 0, 1, 1, 0};
    return bands;
}();

// Noise page (impulse blanker, noise reduction, automatic notch). Not stored
// yet: the page and its keys come with the window's new form; the batch
// tool takes its ranges and defaults from here.
// Impulse blanker: an impulse stands this many quarters above the signal's held peak.
inline constexpr TrackControl kTrackImpulseBlanker{"TrackImpulseBlanker", {}, 6, 40, 6, 6, 1, 4, 6};
// Noise reduction: the most a bin is lowered, dB.
inline constexpr TrackControl kTrackNoiseReduction{"TrackNoiseReduction", {}, 3, 40, 20, 20, 1, 5, 20};
/// Manual notches at most (frequencies in Hz, 1 .. half the sample rate).
inline constexpr std::int32_t kMaxManualNotches = 8;

// ---- Lists -----------------------------------------------------------------------------
//                                        name, key, items, index, key default

inline constexpr ComboControl kComboFilterType{"ComboFilterType", "SpectrumFilterType", kFilterTypeNames, kBandPass,
                                               kBandPass};
/// Not stored; choosing an item sets the filter controls to that preset.
inline constexpr ComboControl kComboPresetFilters{
    "ComboPresetFilters", {}, kFilterPresetItems, kNoSelection, kNoSelection};
inline constexpr ComboControl kComboAudioRange{"ComboAudioRange", "AudioRange", kAudioRangeItems, 0, 0};
inline constexpr ComboControl kComboFreqShiftRange{"ComboFreqShiftRange", "FrequencyShiftRange", kShiftRangeItems, 0,
                                                   0};
inline constexpr ComboControl kComboSpectrumResolution{"ComboSpectrumResolution", "SpectrumResolution",
                                                       kResolutionItems, 1, 1};
// The key is spelt without the r of "Spectrum", as stored files have it.
inline constexpr ComboControl kComboSpectrumScale{"ComboSpectrumScale", "SpectumScaleType", kSpectrumScaleItems, 0, 0};

// ---- Switches ------------------------------------------------------------------------

inline constexpr SwitchControl kFilterVisible{"sb_filter_visible", "FilterVisible", true};
inline constexpr SwitchControl kFilterOn{"sb_filter_on", "FilterOn", false};
inline constexpr SwitchControl kNoiseBlankerOn{"CheckNoiseBlanker1", "NoiseBlanker1On", false};
inline constexpr SwitchControl kAgcOn{"CheckAGC", "AGC_enabled", true};
inline constexpr SwitchControl kSpectrumDecayOn{"CheckSpectrumDecay", "SpectrumDecayOn", true};
inline constexpr SwitchControl kSpectrumLogScale{"CheckSpectrumLogarithmic", "SpectrumLogScale", false};
inline constexpr SwitchControl kSpectrumOn{"sb_Spectrum_on", "SpectrumOn", true};
inline constexpr SwitchControl kSpectrogramOn{"sb_spectrogram_on", "Spectrogram", true};
inline constexpr SwitchControl kSpectrogramScroll{"sb_spectrogram_autoscroll", "SpectrogramScroll", true};
inline constexpr SwitchControl kShiftOn{"sb_shift_on", "FrequencyShiftOn", false};
inline constexpr SwitchControl kCompressorOn{"sb_compressor_on", "CompressorOn", false};
inline constexpr SwitchControl kExpanderOn{"sb_expander_on", "ExpanderOn", false};
inline constexpr SwitchControl kEqualizerOn{"sb_equalizer_on", "EqualizerOn", false};

// ---- The whole table, for checks that walk every control --------------------------

inline constexpr std::array<TrackControl, 14 + kEqualizerBands> kTrackControls = [] {
    std::array<TrackControl, 14 + kEqualizerBands> all = {kTrackFilterCenter,
                                                          kTrackFilterBW,
                                                          kTrackAgcLevel,
                                                          kTrackAgcDecay,
                                                          kTrackNoiseblanker1Level,
                                                          kTrackSpectrumMax,
                                                          kTrackSpectrumDecay,
                                                          kTrackSpectrogramOffset,
                                                          kTrackSpectrogramGain,
                                                          kTbFreqShift,
                                                          kTrackCompressorThreshold,
                                                          kTrackCompressorGain,
                                                          kTrackExpanderThreshold,
                                                          kTrackExpanderGain};
    std::copy(kEqualizerBandControls.begin(), kEqualizerBandControls.end(), all.end() - kEqualizerBands);
    return all;
}();

inline constexpr std::array<ComboControl, 6> kComboControls = {kComboFilterType,         kComboPresetFilters,
                                                               kComboAudioRange,         kComboFreqShiftRange,
                                                               kComboSpectrumResolution, kComboSpectrumScale};

inline constexpr std::array<SwitchControl, 13> kSwitchControls = {
    kFilterVisible, kFilterOn,      kNoiseBlankerOn,    kAgcOn,   kSpectrumDecayOn, kSpectrumLogScale,
    kSpectrumOn,    kSpectrogramOn, kSpectrogramScroll, kShiftOn, kCompressorOn,    kExpanderOn,
    kEqualizerOn};

}  // namespace moravel::controls
