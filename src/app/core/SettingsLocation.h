// Where the settings file lives. Formed once at start-up.
//
// Main thread, at start-up (it may create a folder).
#pragma once

#include <string>

namespace moravel {

/// The settings file to use:
/// - `overridePath` when it is not empty (the --settings option);
/// - else `executablePath` with its extension replaced by ".ini" (appended
///   when it has none), when that file exists, or when its folder is writable
///   and is not a "bin" folder: an installed program (/usr/bin, /usr/local/bin,
///   ~/.local/bin) keeps its settings with the user's even where it could
///   write beside itself, as root can;
/// - else "moravel/moravel.ini" under `xdgConfigHome`, or under
///   `home`/.config when `xdgConfigHome` is null, empty or not an absolute
///   path. The "moravel" folder is created (with any missing parents) if
///   needed; failing to create it is not reported here, as the write at close
///   fails and is handled there.
/// - When `home` is null or empty as well, the file beside the executable is
///   used all the same (there is nowhere better; the reads give defaults).
/// `xdgConfigHome` and `home` are the environment's values (may be null).
std::string SettingsFilePath(const std::string& executablePath, const std::string& overridePath,
                             const char* xdgConfigHome, const char* home);

/// What a first start says on stderr: "moravel: first start; the settings
/// will be kept in SETTINGSPATH" and a line break, when no file exists at
/// `settingsPath` yet; empty when it does.
std::string FirstStartNote(const std::string& settingsPath);

}  // namespace moravel
