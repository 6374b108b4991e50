// Names of the transmission files: the local time the transmission started,
// "2026-12-09_113328.wav", and "2026-12-09_113328-2.wav" (-3, ...) when a
// file of that name is there already (two transmissions in one second, or
// an earlier run's). Any thread.
#pragma once

#include <ctime>
#include <string>

namespace moravel {

/// "YYYY-MM-DD_hhmmss" of `time` in local time.
std::string TransmissionStem(std::time_t time);

/// "YYYY-MM-DD hh:mm:ss" of `time` in local time, as the log writes it.
std::string TransmissionClock(std::time_t time);

/// The path in `folder` for a transmission started at `time` that names no
/// existing file, folder or link.
std::string FreeTransmissionPath(const std::string& folder, std::time_t time);

}  // namespace moravel
