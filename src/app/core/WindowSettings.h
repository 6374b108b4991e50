// The main window's own settings in the settings file's SETTINGS section:
// control states, the display options, the window's size and split, the
// recorder's and player's file names and the spectrogram palette.
//
// Values are kept as stored: the controls clamp track-bar positions to their
// ranges and leave a combo without a selection for an index outside its list.
// The one exception are the four byte-sized kept keys (SpectrumZoom,
// PlotSmoothing, PlotSpeed, PlotFunction), which nothing else checks: a stored
// value outside 0..255 is rejected and the key's default is used, as for any
// other value that cannot be what the program wrote.
//
// Plain C++, no Qt. All functions are for the GUI thread (the settings file
// is not thread-safe).
#pragma once

#include "KiniFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace moravel {

/// One field per key, named as the key, holding the key's default.
struct WindowSettings {
    std::int32_t SpectrumFilterType = 1;  // "Low pass", "Band pass", "High pass", "Stop band"
    bool FilterVisible = true;
    bool FilterOn = false;
    std::int32_t FilterCenterFreq = 1000;  // Hz, bar 10..30000
    std::int32_t FilterBandwidth = 500;    // Hz, bar 20..3000
    bool NoiseBlanker1On = false;
    std::int32_t NoiseBlanker1Level = 10;  // bar 1..20
    std::int32_t AudioRange = 0;           // "2 KHz", "4 KHz", "8 KHz", "16 KHz"
    std::int32_t SpectrumZoom = 0;         // kept, 0..255
    std::int32_t PlotSmoothing = 1;        // kept, 0..255
    std::int32_t PlotSpeed = 2;            // kept, 0..255
    std::int32_t PlotFunction = 0;         // kept, 0..255
    std::int32_t SpectrumDecayValue = 10;  // bar 0..20
    bool SpectrumDecayOn = true;
    bool SpectrumLogScale = false;
    std::int32_t SpectumXPosition = 0;  // read, not applied
    bool AGC_enabled = true;
    std::int32_t WindowState = 0;  // 1 = maximised, anything else = normal
    std::int32_t WindowWidth = 700;
    std::int32_t WindowHeight = 500;
    std::int32_t SplitterTop = 200;            // height of the spectrogram pane, pixels
    std::int32_t TrackSpectrogramOffset = 0;   // bar 0..1000
    std::int32_t TrackSpectrogramGain = 2000;  // bar 1..4000
    bool Spectrogram = true;
    bool SpectrumOn = true;
    bool SpectrogramScroll = true;
    std::int32_t TrackFrequencyShift = 0;  // bar -125..125
    bool FrequencyShiftOn = false;
    std::int32_t FrequencyShiftRange = 0;  // "1000 Hz", "3000 Hz", "10 KHz", "20 KHz"
    std::int32_t SpectrumResolution = 1;   // "Low", "Medium", "High"
    std::int32_t TrackAgcDecay = 40;       // bar 2..300
    std::int32_t TrackAgcLevel = 10000;    // bar 2000..30000
    std::int32_t SelectedTab = 0;          // page index 0..11
    std::int32_t SpectrumScaleMax = 0;     // bar 2..1000 (the default lands on 2)
    std::int32_t SpectumScaleType = 0;     // "Peak hold", "Auto scale", "Manual scale"
    std::string WaveRecorderFilename = "output.wav";
    std::string WavePlayerFilename = "output.wav";
    bool ExpanderOn = false;
    bool CompressorOn = false;
    std::array<std::int32_t, 7> eq{};  // keys eq1..eq7, bars -5..5
    bool EqualizerOn = false;
    std::array<std::int32_t, 4> PaletteColor{};  // keys PaletteColor1..4
    std::array<long double, 2> PaletteAlpha{};   // keys PaletteAlpha1, PaletteAlpha2

    bool operator==(const WindowSettings&) const = default;
};

/// Reads every key but the palette's, in the order the window takes them up.
/// Missing or unparsable values give the defaults; never throws.
WindowSettings ReadWindowSettings(const TKustomIniFile& file);

/// Reads the six palette keys into `settings` (colours default 0, alphas
/// 0.0), the rest of `settings` untouched. Never throws.
void ReadPaletteSettings(const TKustomIniFile& file, WindowSettings& settings);

/// False when all four colours are 0: the file holds no palette and the
/// "Soft Green" preset is to be used, whatever the alphas say.
bool PaletteIsStored(const WindowSettings& settings);

/// True when the window starts maximised (WindowState 1); the stored width
/// and height are then not used.
inline bool StartsMaximised(const WindowSettings& settings) { return settings.WindowState == 1; }

/// Writes every key in the close order. `spectumXPosition`: the spectrum
/// plot's rounded X value, or nullopt when the plot is empty (the key is
/// then left as it is in the file). `spectrumXminimum`: the plot's bottom-axis
/// minimum, rounded; written only, never read. Throws what TKustomIniFile
/// throws at the first failing write; the keys after it are not written and
/// the file keeps everything written so far.
void WriteWindowSettings(TKustomIniFile& file, const WindowSettings& settings,
                         std::optional<std::int32_t> spectumXPosition, std::int32_t spectrumXminimum);

/// Key names in the order ReadWindowSettings reads them.
std::vector<std::string> WindowSettingsReadOrder();
/// Key names in the order ReadPaletteSettings reads them.
std::vector<std::string> PaletteReadOrder();
/// Key names in the order WriteWindowSettings writes them when a
/// SpectumXPosition is given.
std::vector<std::string> WindowSettingsWriteOrder();

}  // namespace moravel
