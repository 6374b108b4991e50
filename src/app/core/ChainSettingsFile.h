// The processing chain's control positions as the program saves them in the
// settings file's SETTINGS section.
#pragma once

#include "ChainSettings.h"
#include "KiniFile.h"

namespace moravel {

/// Section of the main window's settings.
inline constexpr char kSettingsSection[] = "SETTINGS";

/// Reads every stage of the chain from section SETTINGS. Missing or
/// unparsable keys give the program's defaults; track-bar positions are
/// clamped to their bar's range. A combo index outside its list leaves the
/// combo without a selection, stored as −1: the filter then keeps every bin
/// (the engine knows no type −1), the resolution and the shift range behave
/// as their "no selection" rules say (see ResolutionFactor and
/// ShiftRangeMultiplier). The compressor's and expander's thresholds and
/// gains are not stored; they keep their start values (0).
ChainSettings ReadChainSettings(const TKustomIniFile& file);

}  // namespace moravel
