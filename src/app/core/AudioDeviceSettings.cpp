#include "app/core/AudioDeviceSettings.h"

namespace moravel {

AudioDeviceSettings AudioDeviceSettings::Read(const IniFile& file) {
    return {file.ReadString(kSection, kInputKey, ""), file.ReadString(kSection, kOutputKey, "")};
}

AudioDeviceSettings AudioDeviceSettings::ReadWithOverrides(const IniFile& file,
                                                           const std::string& inputOverride,
                                                           const std::string& outputOverride) {
    AudioDeviceSettings chosen = Read(file);
    if (!inputOverride.empty()) chosen.input = inputOverride;
    if (!outputOverride.empty()) chosen.output = outputOverride;
    return chosen;
}

void AudioDeviceSettings::StoreInput(IniFile& file, const std::string& pcm) {
    file.WriteString(kSection, kInputKey, pcm);
}

void AudioDeviceSettings::StoreOutput(IniFile& file, const std::string& pcm) {
    file.WriteString(kSection, kOutputKey, pcm);
}

std::string AudioDeviceSettings::MixerPcm() const {
    if (!output.empty()) return output;
    return input.empty() ? "default" : input;
}

}  // namespace moravel
