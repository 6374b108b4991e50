#include "app/core/CommandLine.h"

#include "app/core/RecordOnSignalSettings.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include <unistd.h>

namespace moravel {
namespace {

struct SplitOption {
    std::string_view name;
    std::optional<std::string_view> inlineValue;  // the part after '=' in "--name=value"
};

SplitOption Split(std::string_view arg) {
    const auto equals = arg.find('=');
    if (!arg.starts_with("--") || equals == std::string_view::npos) return {arg, std::nullopt};
    return {arg.substr(0, equals), arg.substr(equals + 1)};
}

// The option's value: the inline one, or the next argument (consumed).
std::string TakeValue(const SplitOption& option, const std::vector<std::string>& args, std::size_t& index) {
    std::string_view value;
    if (option.inlineValue) {
        value = *option.inlineValue;
    } else if (index + 1 < args.size()) {
        value = args[++index];
    }
    if (value.empty()) throw std::invalid_argument("option '" + std::string(option.name) + "' needs a value");
    return std::string(value);
}

void NoValue(const SplitOption& option) {
    if (option.inlineValue) throw std::invalid_argument("option '" + std::string(option.name) + "' takes no value");
}

// The options that take a value, and the field each sets.
constexpr std::pair<std::string_view, std::string CommandLineOptions::*> kValueOptions[] = {
    {"--settings", &CommandLineOptions::settingsFile},
    {"--audio", &CommandLineOptions::audio},
    {"--input", &CommandLineOptions::input},
    {"--output", &CommandLineOptions::output},
    {"--record", &CommandLineOptions::record},
    {"--record-on-signal", &CommandLineOptions::recordOnSignal},
    {"--play", &CommandLineOptions::play},
};

// The options without a value, and the field each turns on.
constexpr std::pair<std::string_view, bool CommandLineOptions::*> kFlags[] = {
    {"--loop", &CommandLineOptions::loop},
    {"--minimize", &CommandLineOptions::minimize},
    {"--help", &CommandLineOptions::help},
    {"-h", &CommandLineOptions::help},
    {"--version", &CommandLineOptions::version},
};

// The field `table` gives for the option `name`, if it lists it.
template <typename Field, std::size_t N>
std::optional<Field> Lookup(const std::pair<std::string_view, Field> (&table)[N], std::string_view name) {
    for (const auto& [option, field] : table)
        if (option == name) return field;
    return std::nullopt;
}

}  // namespace

CommandLineOptions ParseCommandLine(const std::vector<std::string>& args) {
    CommandLineOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const SplitOption option = Split(args[i]);
        if (const auto value = Lookup(kValueOptions, option.name)) {
            options.*(*value) = TakeValue(option, args, i);
        } else if (const auto flag = Lookup(kFlags, option.name)) {
            NoValue(option);
            options.*(*flag) = true;
        } else if (option.name.starts_with("-") && option.name != "-") {
            throw std::invalid_argument("unknown option '" + std::string(option.name) + "'");
        } else {
            throw std::invalid_argument("unexpected argument '" + args[i] + "'");
        }
    }
    if (options.loop && options.play.empty()) throw std::invalid_argument("option '--loop' needs '--play FILE'");
    return options;
}

namespace {

std::string CheckRecordFile(const std::string& file) {
    const std::filesystem::path parent = std::filesystem::absolute(file).parent_path();
    if (!std::filesystem::is_directory(parent)) return "cannot record to '" + file + "': no folder " + parent.string();
    if (::access(parent.c_str(), W_OK | X_OK) != 0)
        return "cannot record to '" + file + "': the folder " + parent.string() + " is not writable";
    return {};
}

}  // namespace

std::string CheckStartFiles(const CommandLineOptions& options) {
    if (!options.play.empty() &&
        (!std::filesystem::is_regular_file(options.play) || !std::ifstream(options.play, std::ios::binary)))
        return "cannot play '" + options.play + "': the file does not exist or cannot be read";
    if (!options.record.empty()) {
        if (std::string why = CheckRecordFile(options.record); !why.empty()) return why;
    }
    if (!options.recordOnSignal.empty()) {
        if (std::string why = PrepareRecordFolder(options.recordOnSignal); !why.empty()) return why;
    }
    return {};
}

std::string UsageText() {
    return "Usage: moravel [options]\n"
           "  --audio alsa|virtual|virtual:FILE.wav  which sound devices to use (default: alsa)\n"
           "  --input DEVICE                         capture from DEVICE for this run: an ALSA PCM\n"
           "                                         (hw:1,0) or a sound server's source name\n"
           "  --output DEVICE                        play to DEVICE for this run: an ALSA PCM or a\n"
           "                                         sound server's sink name\n"
           "  --settings FILE                        which settings file to use\n"
           "  --record FILE                          start recording to FILE (WAV) at once\n"
           "  --record-on-signal DIR                 record each transmission to its own file in DIR\n"
           "                                         (made if missing), with DIR/transmissions.csv\n"
           "  --play FILE                            start playing FILE (WAV) at once\n"
           "  --loop                                 with --play: play the file over and over\n"
           "  --minimize                             start with the window minimised\n"
           "  -h, --help                             show this help and exit\n"
           "  --version                              show the version and exit\n";
}

}  // namespace moravel
