// The main window's own settings in the settings file's SETTINGS section:
// control states, the display options, the window's size and split, the
// recorder's and player's file names and the spectrogram palette.
//
// Values are kept as stored: the controls clamp track-bar positions to their
// ranges and leave a combo without a selection for an index outside its list
// (ranges, lists, defaults and the controls' keys: ControlTable.h).
// The one exception are the four byte-sized kept keys (SpectrumZoom,
// PlotSmoothing, PlotSpeed, PlotFunction), which nothing else checks: a stored
// value outside 0..255 is rejected and the key's default is used, as for any
// other value that cannot be what the program wrote.
//
// Plain C++, no Qt. All functions are for the GUI thread (the settings file
// is not thread-safe).
#pragma once

#include "common/ControlTable.h"
#include "common/IniFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moravel {

/// One field per key, named as the key, holding the key's default.
struct WindowSettings {
    // Keys of the page controls default to the control table's key defaults;
    // the controls clamp them to their ranges when the window takes them up.
    std::int32_t SpectrumFilterType = controls::kComboFilterType.keyDefault;
    bool FilterVisible = controls::kFilterVisible.keyDefault;
    bool FilterOn = controls::kFilterOn.keyDefault;
    std::int32_t FilterCenterFreq = controls::kTrackFilterCenter.keyDefault;  // Hz
    std::int32_t FilterBandwidth = controls::kTrackFilterBW.keyDefault;       // Hz
    bool NoiseBlanker1On = controls::kNoiseBlankerOn.keyDefault;
    std::int32_t NoiseBlanker1Level = controls::kTrackNoiseblanker1Level.keyDefault;
    std::int32_t AudioRange = controls::kComboAudioRange.keyDefault;
    std::int32_t SpectrumZoom = 0;   // kept, 0..255
    std::int32_t PlotSmoothing = 1;  // kept, 0..255
    std::int32_t PlotSpeed = 2;      // kept, 0..255
    std::int32_t PlotFunction = 0;   // kept, 0..255
    std::int32_t SpectrumDecayValue = controls::kTrackSpectrumDecay.keyDefault;
    bool SpectrumDecayOn = controls::kSpectrumDecayOn.keyDefault;
    bool SpectrumLogScale = controls::kSpectrumLogScale.keyDefault;
    std::int32_t SpectumXPosition = 0;  // read, not applied
    bool AGC_enabled = controls::kAgcOn.keyDefault;
    std::int32_t WindowState = 0;  // 1 = maximised, anything else = normal
    std::int32_t WindowWidth = 700;
    std::int32_t WindowHeight = 500;
    std::int32_t SplitterTop = 200;  // height of the spectrogram pane, pixels
    std::int32_t TrackSpectrogramOffset = controls::kTrackSpectrogramOffset.keyDefault;
    std::int32_t TrackSpectrogramGain = controls::kTrackSpectrogramGain.keyDefault;
    bool Spectrogram = controls::kSpectrogramOn.keyDefault;
    bool SpectrumOn = controls::kSpectrumOn.keyDefault;
    bool SpectrogramScroll = controls::kSpectrogramScroll.keyDefault;
    std::int32_t TrackFrequencyShift = controls::kTbFreqShift.keyDefault;
    bool FrequencyShiftOn = controls::kShiftOn.keyDefault;
    std::int32_t FrequencyShiftRange = controls::kComboFreqShiftRange.keyDefault;
    std::int32_t SpectrumResolution = controls::kComboSpectrumResolution.keyDefault;
    std::int32_t TrackAgcDecay = controls::kTrackAgcDecay.keyDefault;
    std::int32_t TrackAgcLevel = controls::kTrackAgcLevel.keyDefault;
    std::int32_t SelectedTab = 0;                                            // page index 0..11
    std::int32_t SpectrumScaleMax = controls::kTrackSpectrumMax.keyDefault;  // below the bar: lands on its minimum
    std::int32_t SpectumScaleType = controls::kComboSpectrumScale.keyDefault;
    std::string WaveRecorderFilename = "output.wav";
    std::string WavePlayerFilename = "output.wav";
    bool ExpanderOn = controls::kExpanderOn.keyDefault;
    bool CompressorOn = controls::kCompressorOn.keyDefault;
    std::array<std::int32_t, kEqualizerBands> eq = [] {  // keys eq1..eq7
        std::array<std::int32_t, kEqualizerBands> positions{};
        for (std::size_t b = 0; b < positions.size(); ++b)
            positions[b] = controls::kEqualizerBandControls[b].keyDefault;
        return positions;
    }();
    bool EqualizerOn = controls::kEqualizerOn.keyDefault;
    std::array<std::int32_t, 4> PaletteColor{};  // keys PaletteColor1..4
    std::array<long double, 2> PaletteAlpha{};   // keys PaletteAlpha1, PaletteAlpha2

    bool operator==(const WindowSettings&) const = default;
};

/// Reads every key but the palette's, in the order the window takes them up.
/// Missing or unparsable values give the defaults; never throws.
WindowSettings ReadWindowSettings(const IniFile& file);

/// Reads the six palette keys into `settings` (colours default 0, alphas
/// 0.0), the rest of `settings` untouched. Never throws.
void ReadPaletteSettings(const IniFile& file, WindowSettings& settings);

/// False when all four colours are 0: the file holds no palette and the
/// "Soft Green" preset is to be used, whatever the alphas say.
bool PaletteIsStored(const WindowSettings& settings);

/// True when the window starts maximised (WindowState 1); the stored width
/// and height are then not used.
inline bool StartsMaximised(const WindowSettings& settings) { return settings.WindowState == 1; }

/// Writes every key in the close order. `spectumXPosition`: the spectrum
/// plot's rounded X value, or nullopt when the plot is empty (the key is
/// then left as it is in the file). `spectrumXminimum`: the plot's bottom-axis
/// minimum, rounded; written only, never read. Throws what IniFile
/// throws at the first failing write; the keys after it are not written and
/// the file keeps everything written so far.
void WriteWindowSettings(IniFile& file, const WindowSettings& settings,
                         std::optional<std::int32_t> spectumXPosition, std::int32_t spectrumXminimum);

/// The field that holds the number or switch stored under `key` (a key of
/// the control table, "eq1".."eq7" included), for code that takes the keys
/// from the control table; nullptr when no field of that type has the key.
std::int32_t* NumberField(WindowSettings& settings, std::string_view key);
bool* SwitchField(WindowSettings& settings, std::string_view key);

/// Key names in the order ReadWindowSettings reads them.
std::vector<std::string> WindowSettingsReadOrder();
/// Key names in the order ReadPaletteSettings reads them.
std::vector<std::string> PaletteReadOrder();
/// Key names in the order WriteWindowSettings writes them when a
/// SpectumXPosition is given.
std::vector<std::string> WindowSettingsWriteOrder();

}  // namespace moravel
