#include "app/core/RecordOnSignalSettings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace moravel {
namespace {

constexpr char kOn[] = "On";
constexpr char kThreshold[] = "ThresholdDbfs";
constexpr char kAttack[] = "AttackSeconds";
constexpr char kHang[] = "HangSeconds";
constexpr char kPreRoll[] = "PreRollSeconds";
constexpr char kFolder[] = "Folder";

double ReadValue(const IniFile& file, const char* key, const TransmissionSettingRange& range) {
    const auto value = static_cast<double>(file.ReadFloat(RecordOnSignalSettings::kSection, key, range.defaultValue));
    return Clamped(value, range);
}

}  // namespace

std::string PrepareRecordFolder(const std::string& folder) {
    if (folder.empty()) return "No folder is chosen for recording on signal.";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return "The folder \"" + folder + "\" could not be made: " + error.message() + ".";
    if (!std::filesystem::is_directory(folder)) return "\"" + folder + "\" is not a folder.";
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return "The folder \"" + folder + "\" is not writable.";
    return {};
}

double Clamped(double value, const TransmissionSettingRange& range) {
    return std::clamp(value, range.minimum, range.maximum);
}

RecordOnSignalSettings RecordOnSignalSettings::Read(const IniFile& file) {
    RecordOnSignalSettings s;
    s.on = file.ReadBool(kSection, kOn, false);
    s.squelch.thresholdDbfs = ReadValue(file, kThreshold, transmission::kThresholdDbfs);
    s.squelch.attackSeconds = ReadValue(file, kAttack, transmission::kAttackSeconds);
    s.squelch.hangSeconds = ReadValue(file, kHang, transmission::kHangSeconds);
    s.squelch.preRollSeconds = ReadValue(file, kPreRoll, transmission::kPreRollSeconds);
    s.folder = file.ReadString(kSection, kFolder, "");
    return s;
}

void RecordOnSignalSettings::Store(IniFile& file, const RecordOnSignalSettings& now,
                                   const RecordOnSignalSettings& loaded) {
    if (now == loaded) return;
    file.WriteBool(kSection, kOn, now.on);
    file.WriteFloat(kSection, kThreshold, now.squelch.thresholdDbfs);
    file.WriteFloat(kSection, kAttack, now.squelch.attackSeconds);
    file.WriteFloat(kSection, kHang, now.squelch.hangSeconds);
    file.WriteFloat(kSection, kPreRoll, now.squelch.preRollSeconds);
    file.WriteString(kSection, kFolder, now.folder);
}

}  // namespace moravel
