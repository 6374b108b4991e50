// The processing chain's control positions as the program saves them in the
// settings file's SETTINGS section.
#pragma once

#include "dsp/ChainSettings.h"
#include "common/IniFile.h"

namespace moravel {

struct WindowSettings;

/// Section of the main window's settings.
inline constexpr char kSettingsSection[] = "SETTINGS";

/// Reads the window's settings (ReadWindowSettings) and takes up the chain's
/// part of them as the controls do (ChainFromWindowSettings). Never throws.
ChainSettings ReadChainSettings(const IniFile& file);

/// The chain as the window's controls hold it after taking up `settings`:
/// track-bar positions clamped to their bar's range, a combo index outside
/// its list stored as −1 (no selection: the filter then keeps every bin, the
/// engine knowing no type −1; the resolution and the shift range follow their
/// "no selection" rules, see ResolutionFactor and ShiftRangeMultiplier), the
/// decay 0 while its switch is off. The compressor's and expander's
/// thresholds and gains are not stored; they keep their start values (0).
ChainSettings ChainFromWindowSettings(const WindowSettings& settings);

}  // namespace moravel
