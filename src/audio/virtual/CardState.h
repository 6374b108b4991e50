// What a virtual card and its devices share. Devices hold it by shared_ptr,
// so the card and its devices may be destroyed in either order.
//
// Threads: the members are safe from any thread (atomic, or locked inside).
#pragma once

#include "audio/virtual/DeviceRegistry.h"
#include "audio/virtual/PlayedLog.h"
#include "audio/virtual/VirtualCard.h"
#include "audio/virtual/VirtualClock.h"

#include <atomic>
#include <cstdint>

namespace moravel::vcard {

struct CardState {
    explicit CardState(VirtualCardOptions options);

    /// wvMapper and wvDevice0 are the card; other choices are no device.
    static bool IsCardDevice(TEWDev device) { return device == wvMapper || device == wvDevice0; }

    const SourceFactory source;
    const std::string playbackFile;
    VirtualClock clock;
    DeviceRegistry devices;
    PlayedLog played;
    std::atomic<bool> present{true};
    std::atomic<std::uint32_t> volume{0xFFFFFFFFU};
};

}  // namespace moravel::vcard
