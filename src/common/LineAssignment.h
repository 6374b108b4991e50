// Which mixer lines of the soundcard carry the microphone, the line input and
// the wave signal, on the playback side (destination 0, keys ..._Out) and the
// recording side (destination 1, keys ..._In). Stored in the settings file's
// MIXER section as connection indexes; a negative value or a missing key
// means the line is not available. The same section names the mixer device
// the lines belong to (kMixerDeviceKey).
//
// Plain C++, no Qt. All functions are for the GUI thread (the settings file
// is not thread-safe).
#pragma once

#include "common/IniFile.h"

#include <cstdint>
#include <string>

namespace moravel {

/// Section of the soundcard line assignment.
inline constexpr char kMixerSection[] = "MIXER";

/// Shown (with kNotConfiguredCaption) when sampling cannot start because
/// IsSoundcardConfigured is false.
inline constexpr char kNotConfiguredMessage[] =
    "Your soundcard is not configured, you should configure it before Moravel will run. "
    "Click \"Settings, Soundcard\" to do it.";
inline constexpr char kNotConfiguredCaption[] = "Moravel Configuration";

/// Value of a line that is not available.
inline constexpr std::int32_t kNoLine = -1;

/// Connection indexes; kNoLine when the line is not available.
struct LineAssignment {
    std::int32_t Microphone_Out = kNoLine;
    std::int32_t Line_Out = kNoLine;
    std::int32_t Wave_Out = kNoLine;
    std::int32_t Microphone_In = kNoLine;
    std::int32_t Line_In = kNoLine;
    std::int32_t Wave_In = kNoLine;
};

/// The six keys, in the order the soundcard dialog writes them.
enum class LineKey { Microphone_Out, Line_Out, Wave_Out, Microphone_In, Line_In, Wave_In };

/// The destination a key's connection index belongs to: 0 (playback) for
/// the ..._Out keys, 1 (recording) for the ..._In keys.
int DestinationOf(LineKey key);
/// The value of `key` in `lines`.
std::int32_t LineOf(const LineAssignment& lines, LineKey key);
/// Sets the value of `key` in `lines`.
void SetLine(LineAssignment& lines, LineKey key, std::int32_t connection);

/// Reads the six keys (missing or unparsable: kNoLine). Never throws.
LineAssignment ReadLineAssignment(const IniFile& file);

/// Whether the file holds a value for any of the six keys: false on a first
/// run, before the soundcard dialog was ever confirmed. Never throws.
bool HasStoredLineAssignment(const IniFile& file);

/// Writes Microphone_Out, Line_Out, Wave_Out, Microphone_In, Line_In, Wave_In
/// in that order. Throws what IniFile throws at the first failing
/// write; the keys after it are not written.
void WriteLineAssignment(IniFile& file, const LineAssignment& lines);

/// The mixer device the lines belong to, by the mixer service's device name
/// ("hw:0", "default"). Files from before there was a choice of mixer lack
/// it: the device the program's sound goes through is meant then.
inline constexpr char kMixerDeviceKey[] = "Mixer_Device";

/// The stored mixer device name; empty when none is stored. Never throws.
std::string ReadMixerDevice(const IniFile& file);
/// Stores the mixer device name. Throws what IniFile throws.
void WriteMixerDevice(IniFile& file, const std::string& device);

/// The one rule for "not available", used by the configured check and by
/// the Soundcard page's controls: a line is available when it holds a
/// connection index (0 or more). A negative value can name no connection,
/// so every negative value means "not available", not only kNoLine.
inline bool LineAvailable(std::int32_t connection) { return connection >= 0; }

/// True when Wave_Out, one of Microphone_Out and Line_Out, and one of
/// Microphone_In and Line_In are available.
bool IsSoundcardConfigured(const LineAssignment& lines);

}  // namespace moravel
