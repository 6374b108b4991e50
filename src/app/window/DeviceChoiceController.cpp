#include "app/window/DeviceChoiceController.h"

namespace moravel {

DeviceChoiceController::DeviceChoiceController(Parts parts)
    : parts_(std::move(parts)),
      current_(AudioDeviceSettings::ReadWithOverrides(parts_.settings, parts_.inputOverride, parts_.outputOverride)) {
    parts_.backend.ChooseDevices(current_.input, current_.output);
}

std::string DeviceChoiceController::Describe() const {
    const auto name = [](const std::string& pcm) { return pcm.empty() ? AudioDeviceList::kDefaultDescription : pcm; };
    return "input " + name(current_.input) + ", output " + name(current_.output);
}

void DeviceChoiceController::ChooseInDialog(QWidget* parent) {
    AudioDevicesDialog dialog(current_, parts_.lister, parent);
    if (dialog.exec() == QDialog::Accepted) Choose(dialog.Chosen());
}

// The devices change first, so that a settings file that cannot be written
// (its error is shown) does not keep the user on the old devices.
void DeviceChoiceController::Choose(const AudioDeviceSettings& chosen) {
    if (chosen == current_) return;
    const AudioDeviceSettings before = current_;
    current_ = chosen;
    parts_.backend.ChooseDevices(current_.input, current_.output);
    if (current_.MixerPcm() != before.MixerPcm()) parts_.followMixer(current_.MixerPcm());
    parts_.restartDevices();
    if (current_.input != before.input) AudioDeviceSettings::StoreInput(parts_.settings, current_.input);
    if (current_.output != before.output) AudioDeviceSettings::StoreOutput(parts_.settings, current_.output);
}

}  // namespace moravel
