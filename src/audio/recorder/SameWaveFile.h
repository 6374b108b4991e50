// Recording into the file that is being played would overwrite it while it
// is read; Record and Play both refuse that case.
#pragma once

#include <string>

namespace moravel {

/// Shown (caption "Warning") when Record or Play is refused for that reason.
inline constexpr const char* kSameWaveFileMessage = "You cannot play and record the same wave file";

/// True when the recorder's and the player's file names are equal. The
/// comparison is exact and case-sensitive: names that differ only in case
/// or spelling of the path ("./a.wav", "a.wav") count as different files.
/// Any thread.
bool IsSameWaveFile(const std::string& recorderFile, const std::string& playerFile);

}  // namespace moravel
