// The open devices of a virtual card, so that the card can drive them:
// step them through card time (stepping clock) and make them vanish.
//
// Threads: any; the registry has its own lock and calls into a device with
// it held, so a device never calls the registry while holding its own lock.
#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <vector>

namespace moravel::vcard {

/// What the card needs of an open device. Each call takes the device's own lock.
class PacedDevice {
public:
    /// The earliest card time at which the device has work, none while idle.
    virtual std::optional<std::chrono::nanoseconds> NextDeadline() = 0;
    /// Does all the work due by card time `now`.
    virtual void Tick(std::chrono::nanoseconds now) = 0;
    /// The device went away: it reports that once and stops working.
    virtual void Vanish() = 0;

protected:
    ~PacedDevice() = default;
};

class DeviceRegistry {
public:
    void Add(PacedDevice* device);
    void Remove(PacedDevice* device);
    std::size_t Count() const;
    /// The earliest deadline of all devices.
    std::optional<std::chrono::nanoseconds> EarliestDeadline() const;
    void TickAll(std::chrono::nanoseconds now) const;
    void VanishAll() const;

private:
    mutable std::mutex mutex_;
    std::vector<PacedDevice*> devices_;
};

}  // namespace moravel::vcard
