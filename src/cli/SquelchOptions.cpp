#include "cli/SquelchOptions.h"

#include <cstdio>
#include <optional>

#include <sys/stat.h>

namespace moravel {
namespace {

std::string Plain(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

double Within(const char* option, const std::optional<double>& value, const TransmissionSettingRange& range,
              const char* unit) {
    if (!value) return range.defaultValue;
    if (*value < range.minimum || *value > range.maximum)
        throw UsageError(std::string(option) + ": " + Plain(*value) + " is outside " + Plain(range.minimum) + ".." +
                         Plain(range.maximum) + " " + unit);
    return *value;
}

}  // namespace

TransmissionSettings SquelchSettings(const ProcessOptions& o) {
    namespace t = transmission;
    TransmissionSettings settings;
    const auto threshold = o.thresholdDbfs ? std::optional<double>(static_cast<double>(*o.thresholdDbfs)) : std::nullopt;
    settings.thresholdDbfs = Within("--threshold", threshold, t::kThresholdDbfs, "dBFS");
    settings.attackSeconds = Within("--attack", o.attackSeconds, t::kAttackSeconds, "seconds");
    settings.hangSeconds = Within("--hang", o.hangSeconds, t::kHangSeconds, "seconds");
    settings.preRollSeconds = Within("--pre-roll", o.preRollSeconds, t::kPreRollSeconds, "seconds");
    return settings;
}

std::chrono::system_clock::time_point RecordingStart(const std::string& input, bool live, double seconds) {
    const auto now = std::chrono::system_clock::now();
    if (live) return now;
    struct stat st {};
    const auto end = ::stat(input.c_str(), &st) != 0
                         ? now
                         : std::chrono::system_clock::from_time_t(st.st_mtim.tv_sec) +
                               std::chrono::duration_cast<std::chrono::system_clock::duration>(
                                   std::chrono::nanoseconds(st.st_mtim.tv_nsec));
    return end - std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::duration<double>(seconds));
}

}  // namespace moravel
