#include "app/window/DeviceComboBox.h"

namespace moravel {

DeviceComboBox::DeviceComboBox(Lister lister, QWidget* parent) : QComboBox(parent), lister_(std::move(lister)) {
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(32);
}

void DeviceComboBox::Refill(const std::string& id) {
    clear();
    std::vector<AudioDeviceEntry> entries = lister_();
    const auto present = [&] {
        for (const AudioDeviceEntry& entry : entries)
            if (entry.id == id) return true;
        return false;
    };
    if (!present()) entries.push_back({id, id + " (not listed)"});
    for (const AudioDeviceEntry& entry : entries)
        addItem(QString::fromStdString(entry.description), QString::fromStdString(entry.id));
    setCurrentIndex(findData(QString::fromStdString(id)));
}

std::string DeviceComboBox::SelectedId() const { return currentData().toString().toStdString(); }

void DeviceComboBox::showPopup() {
    Refill(SelectedId());
    QComboBox::showPopup();
}

}  // namespace moravel
