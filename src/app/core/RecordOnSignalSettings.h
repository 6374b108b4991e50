// The "Record on signal" mode's settings in the settings file's
// RECORD_ON_SIGNAL section: whether the mode was on, the squelch (threshold,
// attack, hang, pre-roll; ranges and defaults from TransmissionSettings.h,
// shared with moravel-process --split) and the folder. The section is
// written only when something in it changed during the run, so the file of
// a user who never touches the mode stays as it was, byte for byte, and
// older files (without the section) load with the defaults.
//
// Plain C++, no Qt; GUI thread (the settings file is not thread-safe).
#pragma once

#include "common/IniFile.h"
#include "audio/transmission/TransmissionSettings.h"

#include <string>

namespace moravel {

struct RecordOnSignalSettings {
    static constexpr char kSection[] = "RECORD_ON_SIGNAL";

    bool on = false;
    TransmissionSettings squelch;
    std::string folder;

    /// The stored settings, each value clamped to its range; defaults for a
    /// missing or unreadable key. Never throws.
    static RecordOnSignalSettings Read(const IniFile& file);
    /// Writes every key of the section when `now` differs from `loaded`
    /// (what Read gave at the start), else nothing. Throws what
    /// IniFile's writes throw.
    static void Store(IniFile& file, const RecordOnSignalSettings& now, const RecordOnSignalSettings& loaded);

    bool operator==(const RecordOnSignalSettings&) const = default;
};

/// Makes `folder` if missing; "" when transmissions can be written there,
/// else why not (no folder, not a folder, cannot be made, not writable).
std::string PrepareRecordFolder(const std::string& folder);

/// `value` within `range`.
double Clamped(double value, const TransmissionSettingRange& range);

}  // namespace moravel
