#include "audio/virtual/DeviceRegistry.h"

#include <algorithm>

namespace moravel::vcard {

void DeviceRegistry::Add(PacedDevice* device) {
    std::lock_guard lock(mutex_);
    devices_.push_back(device);
}

void DeviceRegistry::Remove(PacedDevice* device) {
    std::lock_guard lock(mutex_);
    std::erase(devices_, device);
}

std::size_t DeviceRegistry::Count() const {
    std::lock_guard lock(mutex_);
    return devices_.size();
}

std::optional<std::chrono::nanoseconds> DeviceRegistry::EarliestDeadline() const {
    std::lock_guard lock(mutex_);
    std::optional<std::chrono::nanoseconds> earliest;
    for (PacedDevice* device : devices_) {
        const auto deadline = device->NextDeadline();
        if (deadline && (!earliest || *deadline < *earliest)) earliest = deadline;
    }
    return earliest;
}

void DeviceRegistry::TickAll(std::chrono::nanoseconds now) const {
    std::lock_guard lock(mutex_);
    for (PacedDevice* device : devices_) device->Tick(now);
}

void DeviceRegistry::VanishAll() const {
    std::lock_guard lock(mutex_);
    for (PacedDevice* device : devices_) device->Vanish();
}

}  // namespace moravel::vcard
