#include "app/core/SettingsLocation.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace moravel {
namespace {

namespace fs = std::filesystem;

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

fs::path BesideExecutable(const std::string& executablePath) {
    return fs::path(executablePath).replace_extension(".ini");
}

bool UsableBesideExecutable(const fs::path& file) {
    std::error_code error;
    if (fs::exists(file, error)) return true;
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    if (folder.filename() == "bin") return false;  // installed: never start a file in a system folder
    return ::access(folder.c_str(), W_OK) == 0;
}

// The user's configuration folder; empty when neither variable names one.
fs::path ConfigFolder(const char* xdgConfigHome, const char* home) {
    if (IsSet(xdgConfigHome) && fs::path(xdgConfigHome).is_absolute()) return xdgConfigHome;
    if (IsSet(home)) return fs::path(home) / ".config";
    return {};
}

}  // namespace

std::string SettingsFilePath(const std::string& executablePath, const std::string& overridePath,
                             const char* xdgConfigHome, const char* home) {
    if (!overridePath.empty()) return overridePath;
    const fs::path beside = BesideExecutable(executablePath);
    if (UsableBesideExecutable(beside)) return beside.string();
    const fs::path config = ConfigFolder(xdgConfigHome, home);
    if (config.empty()) return beside.string();
    const fs::path folder = config / "moravel";
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return (folder / "moravel.ini").string();
}

std::string FirstStartNote(const std::string& settingsPath) {
    std::error_code error;
    if (fs::exists(settingsPath, error)) return {};
    return "moravel: first start; the settings will be kept in " + settingsPath + "\n";
}

}  // namespace moravel
