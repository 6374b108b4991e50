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
    bool help = false;
    bool version = false;
};

/// Parses `args` (without the program name): "--settings FILE",
/// "--settings=FILE", "--audio CHOICE", "--audio=CHOICE", "--help" or "-h",
/// "--version". A repeated option takes its last value. Throws
/// std::invalid_argument with a message for the user for an unknown option,
/// a stray argument, a missing or empty value, or a value given to a switch.
CommandLineOptions ParseCommandLine(const std::vector<std::string>& args);

/// The usage text, one line per option, ending in a line break.
std::string UsageText();

}  // namespace moravel
