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
    /// Started once sampling runs: --record FILE records to FILE at once,
    /// --record-on-signal DIR switches the mode on with DIR for this run,
    /// --play FILE plays FILE (--loop: looped). Empty: not asked for.
    std::string record;
    std::string recordOnSignal;
    std::string play;
    bool loop = false;
    /// --minimize: the window starts minimised.
    bool minimize = false;
    bool help = false;
    bool version = false;
};

/// Parses `args` (without the program name): "--settings FILE",
/// "--settings=FILE", "--audio CHOICE", "--audio=CHOICE", "--input DEVICE",
/// "--output DEVICE", "--record FILE", "--record-on-signal DIR", "--play
/// FILE" (each also with '='), "--loop", "--minimize", "--help" or "-h",
/// "--version". A repeated option takes its last value. Throws
/// std::invalid_argument with a message for the user for an unknown option,
/// a stray argument, a missing or empty value, a value given to a switch, or
/// --loop without --play.
CommandLineOptions ParseCommandLine(const std::vector<std::string>& args);

/// Checks the files the start options name before the window opens: the
/// file to play must be readable, the folder of --record-on-signal is made
/// if missing and must be writable, and the folder of the --record file must
/// exist and be writable. Returns "" or the first problem, for the user.
std::string CheckStartFiles(const CommandLineOptions& options);

/// The usage text, one line per option, ending in a line break.
std::string UsageText();

}  // namespace moravel
