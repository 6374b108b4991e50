// The program's command-line options.
//
// Main thread, at start-up.
#pragma once

#include <string>
#include <vector>

namespace moravel {

struct CommandLineOptions {
    /// --settings FILE; empty: the default location (SettingsFilePath).
    std::string settingsFile;
    /// --audio CHOICE, unchecked here: "alsa", "virtual" or "virtual:FILE.wav".
    std::string audio = "alsa";
    /// --input DEVICE, --output DEVICE: the devices for this run, unchecked
    /// here (an ALSA PCM name or a sound server's source or sink name);
    /// empty: the stored choice.
    std::string input;
    std::string output;
    bool help = false;
    bool version = false;
};

/// Parses `args` (without the program name): "--settings FILE",
/// "--settings=FILE", "--audio CHOICE", "--audio=CHOICE", "--input DEVICE",
/// "--output DEVICE" (each also with '='), "--help" or "-h",
/// "--version". A repeated option takes its last value. Throws
/// std::invalid_argument with a message for the user for an unknown option,
/// a stray argument, a missing or empty value, or a value given to a switch.
CommandLineOptions ParseCommandLine(const std::vector<std::string>& args);

/// The usage text, one line per option, ending in a line break.
std::string UsageText();

}  // namespace moravel
