// The --split run's squelch: the transmission settings from the command
// line (each within its range, else a usage error), and where on the clock
// the recording's first sample lies.
#pragma once

#include "cli/ProcessOptions.h"
#include "audio/transmission/TransmissionSettings.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace moravel {

/// The defaults with --threshold, --attack, --hang and --pre-roll applied.
/// Throws UsageError for a value outside its range.
TransmissionSettings SquelchSettings(const ProcessOptions& options);

/// The time of a recording's first sample. A file was last written when its
/// recording ended, so its start is the modification time less its length
/// (`seconds`); standard input is live, so its start is now.
std::chrono::system_clock::time_point RecordingStart(const std::string& input, bool live, double seconds);

}  // namespace moravel
