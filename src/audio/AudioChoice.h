// The program's --audio option: which family of devices the wave
// components use. "alsa" (the default) is the system's sound devices;
// "virtual" the virtual soundcard with its synthetic receiver signal;
// "virtual:FILE.wav" the virtual soundcard looping FILE.wav as its input.
//
// Plain functions; call on the thread that owns the components.
#pragma once

#include "audio/WaveDevice.h"

#include <memory>
#include <string>

namespace moravel {

struct AudioChoice {
    enum class Kind { Alsa, Virtual };
    Kind kind = Kind::Alsa;
    /// Virtual only: the WAV file the capture side loops; empty for the
    /// synthetic receiver signal.
    std::string loopFile;

    bool operator==(const AudioChoice&) const = default;
};

/// Parses the value of --audio. Throws std::invalid_argument, with a
/// message naming the value and the accepted forms, for anything else.
AudioChoice ParseAudioChoice(const std::string& value);

/// Creates the chosen backend (a real-time clock for the virtual card).
/// Throws std::runtime_error when the loop file cannot be played, naming
/// the file and the reason.
std::unique_ptr<AudioBackend> CreateAudioBackend(const AudioChoice& choice);

}  // namespace moravel
