#include "audio/transmission/TransmissionFileName.h"

#include "audio/recorder/PartFileName.h"

#include <filesystem>
#include <system_error>

namespace moravel {
namespace {

std::string LocalTime(std::time_t time, const char* format) {
    std::tm local{};
    ::localtime_r(&time, &local);
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, format, &local));
}

}  // namespace

std::string TransmissionStem(std::time_t time) { return LocalTime(time, "%Y-%m-%d_%H%M%S"); }

std::string TransmissionClock(std::time_t time) { return LocalTime(time, "%Y-%m-%d %H:%M:%S"); }

std::string FreeTransmissionPath(const std::string& folder, std::time_t time) {
    const std::string first = (std::filesystem::path(folder) / (TransmissionStem(time) + ".wav")).string();
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(first, error))) return first;
    int part = 1;
    return NextPartFileName(first, part);
}

}  // namespace moravel
