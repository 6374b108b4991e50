#include "cli/ProcessOptions.h"

#include "views/core/ColorGradient.h"
#include "common/FilterPresets.h"
#include "cli/OptionText.h"
#include "cli/RangeText.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace moravel {
namespace {

struct OptionRule;
using Apply = void (*)(ProcessOptions&, std::string_view value, const OptionRule&);

struct OptionRule {
    std::string_view name;
    std::string form;  // the accepted value, empty for flags
    Apply apply;
};

[[noreturn]] void Reject(const OptionRule& rule, std::string_view value) {
    throw UsageError(std::string(rule.name) + ": \"" + std::string(value) + "\" is not of the form " +
                     std::string(rule.form));
}

std::vector<std::int64_t> Numbers(const OptionRule& rule, std::string_view value, char separator, std::size_t minCount,
                                  std::size_t maxCount) {
    auto numbers = ParseNumberList(value, separator, minCount, maxCount);
    if (!numbers) Reject(rule, value);
    return *numbers;
}

std::int64_t Number(const OptionRule& rule, std::string_view value) { return Numbers(rule, value, ':', 1, 1)[0]; }

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

std::optional<std::int32_t> FilterTypeNamed(std::string_view name) {
    static constexpr std::array<std::string_view, 4> kNames = {"lowpass", "bandpass", "highpass", "stopband"};
    const auto found = std::find(kNames.begin(), kNames.end(), Lowercase(name));
    if (found == kNames.end()) return std::nullopt;
    return static_cast<std::int32_t>(found - kNames.begin());
}

void ApplyAgc(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    const auto n = Numbers(rule, value, ':', 2, 2);
    o.agc = AgcOption{n[0], n[1]};
}

void ApplyNoiseBlanker(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    o.noiseBlanker = Number(rule, value);
}

void ApplyCompressor(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    const auto n = Numbers(rule, value, ':', 2, 2);
    o.compressor = DynamicsOption{n[0], n[1]};
}

void ApplyExpander(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    const auto n = Numbers(rule, value, ':', 2, 2);
    o.expander = DynamicsOption{n[0], n[1]};
}

void ApplyFilter(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    const auto fields = SplitFields(value, ':');
    if (fields.size() < 2 || fields.size() > 3) Reject(rule, value);
    const auto type = FilterTypeNamed(fields[0]);
    if (!type) {
        throw UsageError(std::string(rule.name) + ": unknown filter type \"" + std::string(fields[0]) +
                         "\"; use lowpass, bandpass, highpass or stopband");
    }
    const auto numbers = ParseNumberList(value.substr(fields[0].size() + 1), ':', 1, 2);
    if (!numbers) Reject(rule, value);
    o.filter = FilterOption{std::string(rule.name), *type, (*numbers)[0], std::nullopt};
    if (numbers->size() == 2) o.filter->width = (*numbers)[1];
}

void ApplyPreset(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    const auto preset = FindFilterPreset(value);
    if (!preset) {
        std::string message = std::string(rule.name) + ": unknown preset \"" + std::string(value) + "\"; use one of:";
        for (const auto& known : kFilterPresets) message += "\n  \"" + std::string(known.name) + "\"";
        throw UsageError(message);
    }
    o.filter = FilterOption{std::string(rule.name), preset->type, preset->center, std::nullopt};
    if (preset->bandwidth != 0) o.filter->width = preset->bandwidth;
}

void ApplyShift(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    const auto n = Numbers(rule, value, ':', 1, 2);
    o.shift = ShiftOption{n[0], std::nullopt};
    if (n.size() == 2) o.shift->range = n[1];
}

void ApplyEqualizer(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    const auto n = Numbers(rule, value, ',', kEqualizerBands, kEqualizerBands);
    o.equalizer.emplace();
    std::copy(n.begin(), n.end(), o.equalizer->begin());
}

void ApplyResolution(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    static constexpr std::array<std::string_view, 3> kNames = {"low", "medium", "high"};
    const auto found = std::find(kNames.begin(), kNames.end(), Lowercase(value));
    if (found == kNames.end()) Reject(rule, value);
    o.resolution = static_cast<std::int32_t>(found - kNames.begin());
}

void ApplyDecay(ProcessOptions& o, std::string_view value, const OptionRule& rule) { o.decay = Number(rule, value); }

void ApplyImpulseBlanker(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    o.impulseBlanker = Number(rule, value);
}

void ApplyNoiseReduction(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    o.noiseReduction = Number(rule, value);
}

// Seconds with an optional fraction ("0:1.5"); START before END.
void ApplyNoiseProfile(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    const auto fields = SplitFields(value, ':');
    if (fields.size() != 2) Reject(rule, value);
    const auto start = ParseSeconds(fields[0]);
    const auto end = ParseSeconds(fields[1]);
    if (!start || !end) Reject(rule, value);
    if (!(*start < *end))
        throw UsageError(std::string(rule.name) + ": START must lie before END (\"" + std::string(value) + "\")");
    o.noiseProfile = NoiseProfileOption{*start, *end};
}

void ApplyNotch(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    o.notches = Numbers(rule, value, ',', 1, controls::kMaxManualNotches);
    for (const std::int64_t hz : o.notches)
        if (hz <= 0) throw UsageError(std::string(rule.name) + ": " + std::to_string(hz) + " Hz is not a frequency");
}

void ApplyAutoNotch(ProcessOptions& o, std::string_view, const OptionRule&) { o.autoNotch = true; }
void ApplyCleanSpeech(ProcessOptions& o, std::string_view, const OptionRule&) { o.cleanSpeech = true; }

void ApplySpectrogramOffset(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    o.spectrogramOffset = Number(rule, value);
}

void ApplySpectrogramGain(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    o.spectrogramGain = Number(rule, value);
}

// Preset names are matched without regard to case ("soft green" works).
void ApplyPalette(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    for (std::size_t i = 0; i < kPalettePresets.size(); ++i) {
        if (Lowercase(kPalettePresets[i].name) == Lowercase(value)) {
            o.palette = static_cast<std::int32_t>(i);
            return;
        }
    }
    std::string message = std::string(rule.name) + ": unknown palette \"" + std::string(value) + "\"; use one of:";
    for (const auto& known : kPalettePresets) message += "\n  \"" + std::string(known.name) + "\"";
    throw UsageError(message);
}

void ApplySpectrogram(ProcessOptions& o, std::string_view value, const OptionRule&) { o.spectrogram = value; }
void ApplyRaw(ProcessOptions& o, std::string_view value, const OptionRule& rule) { o.rawRate = Number(rule, value); }
void ApplySplit(ProcessOptions& o, std::string_view value, const OptionRule&) { o.splitFolder = value; }
void ApplyThreshold(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    o.thresholdDbfs = Number(rule, value);
}

double Seconds(const OptionRule& rule, std::string_view value) {
    const auto seconds = ParseSeconds(value);
    if (!seconds) Reject(rule, value);
    return *seconds;
}

void ApplyAttack(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    o.attackSeconds = Seconds(rule, value);
}
void ApplyHang(ProcessOptions& o, std::string_view value, const OptionRule& rule) { o.hangSeconds = Seconds(rule, value); }
void ApplyPreRoll(ProcessOptions& o, std::string_view value, const OptionRule& rule) {
    o.preRollSeconds = Seconds(rule, value);
}
void ApplySettings(ProcessOptions& o, std::string_view value, const OptionRule&) { o.settingsFile = value; }
void ApplySpectrumCsv(ProcessOptions& o, std::string_view value, const OptionRule&) { o.spectrumCsv = value; }
void ApplyQuiet(ProcessOptions& o, std::string_view, const OptionRule&) { o.quiet = true; }
void ApplyHelp(ProcessOptions& o, std::string_view, const OptionRule&) { o.help = true; }
void ApplyVersion(ProcessOptions& o, std::string_view, const OptionRule&) { o.version = true; }

// The ranges in the forms are the controls' own.
const OptionRule kOptions[] = {
    {"--agc", "LEVEL:DECAY (two whole numbers, e.g. 10000:40)", ApplyAgc},
    {"--noise-blanker", "LEVEL (a whole number " + RangeText(controls::kTrackNoiseblanker1Level) + ")",
     ApplyNoiseBlanker},
    {"--compressor", "THRESHOLD:GAIN (two whole numbers, e.g. 0:-5)", ApplyCompressor},
    {"--expander", "THRESHOLD:GAIN (two whole numbers, e.g. 0:0)", ApplyExpander},
    {"--filter", "TYPE:CENTER[:WIDTH] (e.g. bandpass:800:100)", ApplyFilter},
    {"--preset", "NAME (a filter preset, e.g. \"HAM : CW\")", ApplyPreset},
    {"--shift", "POSITION[:RANGE] (whole numbers, e.g. 25:1)", ApplyShift},
    {"--equalizer", "P1,P2,P3,P4,P5,P6,P7 (seven whole numbers " + RangeText(controls::kEqualizerBandControls[0]) + ")",
     ApplyEqualizer},
    {"--resolution", "low, medium or high", ApplyResolution},
    {"--decay", "a whole number " + RangeText(controls::kTrackSpectrumDecay), ApplyDecay},
    {"--impulse-blanker", "LEVEL (a whole number " + RangeText(controls::kTrackImpulseBlanker) + ")",
     ApplyImpulseBlanker},
    {"--noise-reduction", "DB (a whole number " + RangeText(controls::kTrackNoiseReduction) + ")", ApplyNoiseReduction},
    {"--noise-profile", "START:END (seconds of the input, e.g. 0:1.5)", ApplyNoiseProfile},
    {"--auto-notch", "", ApplyAutoNotch},
    {"--notch",
     "HZ[,HZ...] (1 to " + std::to_string(controls::kMaxManualNotches) + " frequencies in Hz, e.g. 1000,1750)",
     ApplyNotch},
    {"--clean-speech", "", ApplyCleanSpeech},
    {"--settings", "FILE", ApplySettings},
    {"--spectrum-csv", "FILE", ApplySpectrumCsv},
    {"--spectrogram", "FILE.png", ApplySpectrogram},
    {"--spectrogram-offset", "a whole number " + RangeText(controls::kTrackSpectrogramOffset), ApplySpectrogramOffset},
    {"--spectrogram-gain", "a whole number " + RangeText(controls::kTrackSpectrogramGain), ApplySpectrogramGain},
    {"--palette", "NAME (a palette preset, e.g. \"Soft Green\")", ApplyPalette},
    {"--raw", "RATE (the sample rate in Hz, a whole number)", ApplyRaw},
    {"--split", "DIR", ApplySplit},
    {"--threshold", "DBFS (a whole number, e.g. -35)", ApplyThreshold},
    {"--attack", "SECONDS (e.g. 0.2)", ApplyAttack},
    {"--hang", "SECONDS (e.g. 2)", ApplyHang},
    {"--pre-roll", "SECONDS (e.g. 1)", ApplyPreRoll},
    {"--quiet", "", ApplyQuiet},
    {"--version", "", ApplyVersion},
    {"--help", "", ApplyHelp},
};

const OptionRule& FindOption(std::string_view name) {
    if (name == "-h") return kOptions[std::size(kOptions) - 1];
    for (const auto& rule : kOptions)
        if (rule.name == name) return rule;
    throw UsageError("unknown option " + std::string(name));
}

// The value of option args[i] (advancing i past a separate value), "" for a flag.
std::string_view TakeValue(const std::vector<std::string>& args, std::size_t& i, const OptionRule& rule) {
    const std::string_view arg = args[i];
    const auto equals = arg.find('=');
    if (rule.form.empty()) {
        if (equals != std::string_view::npos) throw UsageError(std::string(rule.name) + " takes no value");
        return {};
    }
    if (equals != std::string_view::npos) return arg.substr(equals + 1);
    if (i + 1 < args.size()) return args[++i];  // taken as it is, so "--shift -10" works
    throw UsageError(std::string(rule.name) + ": missing value, expected " + std::string(rule.form));
}

// The picture's own options mean nothing without the picture; saying so
// beats silently ignoring a mistyped command line.
void CheckSpectrogramOptions(const ProcessOptions& o) {
    if (o.spectrogram) return;
    const char* lone = o.palette             ? "--palette"
                       : o.spectrogramOffset ? "--spectrogram-offset"
                       : o.spectrogramGain   ? "--spectrogram-gain"
                                             : nullptr;
    if (lone != nullptr) throw UsageError(std::string(lone) + " needs --spectrogram FILE.png");
}

// With --split the transmissions are an output of their own.
void CheckFileCount(const ProcessOptions& o, std::size_t files) {
    if (files == 2 || (files == 1 && o.splitFolder)) return;
    throw UsageError(o.splitFolder ? "expected an input file and at most one output file (IN.wav [OUT.wav])"
                                   : "expected an input and an output file (IN.wav OUT.wav)");
}

void CheckSquelchOptions(const ProcessOptions& o) {
    if (o.splitFolder) return;
    const char* lone = o.thresholdDbfs    ? "--threshold"
                       : o.attackSeconds  ? "--attack"
                       : o.hangSeconds    ? "--hang"
                       : o.preRollSeconds ? "--pre-roll"
                                          : nullptr;
    if (lone != nullptr) throw UsageError(std::string(lone) + " needs --split DIR");
}

}  // namespace

ProcessOptions ParseProcessOptions(const std::vector<std::string>& args) {
    ProcessOptions options;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionRule& rule = FindOption(arg.substr(0, arg.find('=')));
        rule.apply(options, TakeValue(args, i, rule), rule);
        if (options.help || options.version) return options;
    }
    CheckFileCount(options, files.size());
    CheckSpectrogramOptions(options);
    CheckSquelchOptions(options);
    options.input = files[0];
    if (files.size() == 2) options.output = files[1];
    return options;
}

}  // namespace moravel
