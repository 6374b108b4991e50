// The command line of moravel-process as a plain value. Parsing checks only
// the form of each option; the values are clamped to their controls' ranges
// later (ChainFromOptions), once the input's sample rate is known.
#pragma once

#include "common/EqualizerBands.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace moravel {

/// A malformed command line; what() names the option and the accepted form.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct AgcOption {
    std::int64_t level;
    std::int64_t decay;
};

struct DynamicsOption {  // compressor or expander
    std::int64_t threshold;
    std::int64_t gain;
};

struct FilterOption {
    std::string source;                 // "--filter" or "--preset", for warnings
    std::int32_t type;                  // FilterKind
    std::int64_t center;                // Hz
    std::optional<std::int64_t> width;  // Hz; absent: keep the current width
};

struct ShiftOption {
    std::int64_t position;
    std::optional<std::int64_t> range;  // absent: keep the current range
};

struct NoiseProfileOption {  // seconds of the input taken as the noise print
    double start;
    double end;
};

struct ProcessOptions {
    std::string input;
    std::string output;
    std::optional<std::string> settingsFile;
    std::optional<std::string> spectrumCsv;
    bool quiet = false;
    bool help = false;
    bool version = false;

    // Stage options; each one present switches its stage on.
    std::optional<AgcOption> agc;
    std::optional<std::int64_t> noiseBlanker;
    std::optional<DynamicsOption> compressor;
    std::optional<DynamicsOption> expander;
    std::optional<FilterOption> filter;  // --filter or --preset, the later one wins
    std::optional<ShiftOption> shift;
    std::optional<std::array<std::int64_t, kEqualizerBands>> equalizer;
    std::optional<std::int32_t> resolution;  // index 0..2
    std::optional<std::int64_t> decay;
    std::optional<std::int64_t> impulseBlanker;
    std::optional<std::int64_t> noiseReduction;  // dB
    std::optional<NoiseProfileOption> noiseProfile;
    bool autoNotch = false;
    std::vector<std::int64_t> notches;  // Hz; --notch
    bool cleanSpeech = false;           // the three cleanup stages at their speech settings

    // The spectrogram picture; the scale and palette options apply only
    // with --spectrogram.
    std::optional<std::string> spectrogram;         // PNG file
    std::optional<std::int64_t> spectrogramOffset;  // unclamped
    std::optional<std::int64_t> spectrogramGain;    // unclamped
    std::optional<std::int32_t> palette;            // kPalettePresets index

    // Headerless 16-bit little-endian mono at this rate (Hz), in and out.
    std::optional<std::int64_t> rawRate;

    // Each transmission to a file of its own in this folder; the squelch's
    // options apply only with --split, and OUT.wav is optional then.
    std::optional<std::string> splitFolder;
    std::optional<std::int64_t> thresholdDbfs;
    std::optional<double> attackSeconds;
    std::optional<double> hangSeconds;
    std::optional<double> preRollSeconds;
};

/// Parses the arguments after the program name. Options may stand anywhere,
/// as "--name VALUE" or "--name=VALUE"; "--" ends the options; a repeated
/// option replaces the earlier one. With --help or --version the rest is not
/// checked.
/// Throws UsageError.
ProcessOptions ParseProcessOptions(const std::vector<std::string>& args);

}  // namespace moravel
