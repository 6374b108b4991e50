// What the settings file's MIXER section holds for the soundcard dialog:
// the line assignment and the name of the mixer device it belongs to. The
// window reads it for the dialog to open with and writes what the dialog's
// OK hands back; the dialog itself never touches the file.
//
// Plain C++, no Qt. GUI thread (the settings file is not thread-safe).
#pragma once

#include "common/LineAssignment.h"

#include <optional>
#include <string>

namespace moravel {

class IniFile;

struct SoundcardSetup {
    /// The six lines; nothing when none are stored (the dialog then
    /// pre-selects by name). Always set in what the dialog hands back.
    std::optional<LineAssignment> lines;
    /// The mixer device's name (MixerService::DeviceName); nothing when none
    /// is stored, or, in what the dialog hands back, when no device is open.
    std::optional<std::string> mixerDevice;
};

/// The stored setup: the lines when HasStoredLineAssignment, the device
/// when ReadMixerDevice gives a name. Never throws.
SoundcardSetup ReadSoundcardSetup(const IniFile& file);

/// Writes the lines that are set (WriteLineAssignment), then the device
/// that is set (WriteMixerDevice). Throws what IniFile throws at the first
/// failing write; the keys after it are not written.
void WriteSoundcardSetup(IniFile& file, const SoundcardSetup& setup);

}  // namespace moravel
