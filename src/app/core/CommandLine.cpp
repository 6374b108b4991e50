#include "CommandLine.h"

#include <optional>
#include <stdexcept>
#include <string_view>

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

}  // namespace

CommandLineOptions ParseCommandLine(const std::vector<std::string>& args) {
    CommandLineOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const SplitOption option = Split(args[i]);
        if (option.name == "--settings") {
            options.settingsFile = TakeValue(option, args, i);
        } else if (option.name == "--audio") {
            options.audio = TakeValue(option, args, i);
        } else if (option.name == "--input") {
            options.input = TakeValue(option, args, i);
        } else if (option.name == "--output") {
            options.output = TakeValue(option, args, i);
        } else if (option.name == "--help" || option.name == "-h") {
            NoValue(option);
            options.help = true;
        } else if (option.name == "--version") {
            NoValue(option);
            options.version = true;
        } else if (option.name.starts_with("-") && option.name != "-") {
            throw std::invalid_argument("unknown option '" + std::string(option.name) + "'");
        } else {
            throw std::invalid_argument("unexpected argument '" + args[i] + "'");
        }
    }
    return options;
}

std::string UsageText() {
    return "Usage: moravel [options]\n"
           "  --audio alsa|virtual|virtual:FILE.wav  which sound devices to use (default: alsa)\n"
           "  --input DEVICE                         capture from DEVICE for this run: an ALSA PCM\n"
           "                                         (hw:1,0) or a sound server's source name\n"
           "  --output DEVICE                        play to DEVICE for this run: an ALSA PCM or a\n"
           "                                         sound server's sink name\n"
           "  --settings FILE                        which settings file to use\n"
           "  -h, --help                             show this help and exit\n"
           "  --version                              show the version and exit\n";
}

}  // namespace moravel
