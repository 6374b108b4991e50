#include "cli/Progress.h"

#include <cstdio>

namespace moravel {

// True when the line may be redrawn now (and it will be).
bool ProgressMeter::due() {
    if (!enabled_) return false;
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && now - lastShown_ < std::chrono::milliseconds(250)) return false;
    shown_ = true;
    lastShown_ = now;
    return true;
}

void ProgressMeter::Update(std::int64_t done, std::int64_t total) {
    if (!due()) return;
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
    out_ << "\rmoravel-process: " << percent << " %" << std::flush;
}

void ProgressMeter::UpdateSeconds(double seconds) {
    if (!due()) return;
    const auto whole = static_cast<long long>(seconds);
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld processed", whole / 60, whole % 60);
    out_ << "\rmoravel-process: " << text << std::flush;
}

void ProgressMeter::Finish() {
    if (shown_) out_ << "\r                         \r" << std::flush;
    shown_ = false;
}

std::string FormatSummary(std::int64_t samples, std::int32_t sampleRate, double secondsTaken) {
    const double audioSeconds = sampleRate > 0 ? static_cast<double>(samples) / sampleRate : 0.0;
    char text[160];
    if (secondsTaken > 0) {
        std::snprintf(text, sizeof text, "%lld samples, %.1f s of audio in %.3f s (%.1f x real time)",
                      static_cast<long long>(samples), audioSeconds, secondsTaken, audioSeconds / secondsTaken);
    } else {
        std::snprintf(text, sizeof text, "%lld samples, %.1f s of audio in %.3f s", static_cast<long long>(samples),
                      audioSeconds, secondsTaken);
    }
    return text;
}

}  // namespace moravel
