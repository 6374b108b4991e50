// The records a mixer service describes a mixer with: the device's
// capabilities, a line (destination or source), a control of a line, and one
// entry of a list control's texts. Control types and flags carry the values
// the mixer model tests, so that every service reports them the same way.
//
// Threads: plain values, any thread.
#pragma once

#include <cstdint>
#include <string>

namespace moravel::mixer {

// Control types.
constexpr std::uint32_t kControlTypeVolume = 0x50030001;
constexpr std::uint32_t kControlTypeMute = 0x20010002;
constexpr std::uint32_t kControlTypeMux = 0x70010001;
constexpr std::uint32_t kControlTypeMixer = 0x71010001;
// The class bits of a control type, and the list class (multiplexer, mixer).
constexpr std::uint32_t kControlClassMask = 0xF0000000;
constexpr std::uint32_t kControlClassList = 0x70000000;

// Control flags.
constexpr std::uint32_t kControlFlagUniform = 1;   // one value for all channels
constexpr std::uint32_t kControlFlagMultiple = 2;  // one value per item (list controls)
constexpr std::uint32_t kControlFlagDisabled = 0x80000000;

/// What a mixer device says about itself.
struct MixerCaps {
    std::uint16_t manufacturerId = 0;
    /// The maker's name when the service knows it; empty: only the id is known.
    std::string manufacturerName;
    std::uint16_t productId = 0;
    /// Major version in bits 8..15, minor version in bits 0..7.
    std::uint32_t driverVersion = 0;
    /// The card's own name, as its user knows it.
    std::string productName;
    /// Number of destination lines.
    std::uint32_t destinations = 0;
};

/// A destination line or a source line of a destination.
struct MixerLine {
    std::uint32_t destination = 0;  // index of the destination
    std::uint32_t source = 0;       // index of the source (0 for a destination)
    std::uint32_t lineId = 0;       // unique within the device
    std::uint32_t channels = 1;     // 1 mono, 2 stereo
    std::uint32_t connections = 0;  // number of sources (destinations only)
    std::uint32_t controls = 0;     // number of controls
    std::string shortName;
    std::string name;  // full name: what the user chooses lines by
};

/// A control of a line.
struct MixerControl {
    std::uint32_t controlId = 0;  // unique within the device
    std::uint32_t type = 0;       // kControlType*
    std::uint32_t flags = 0;      // kControlFlag*
    std::uint32_t items = 0;      // number of items of a multiple-item control
    std::uint32_t minimum = 0;
    std::uint32_t maximum = 65535;
    std::string shortName;
    std::string name;
};

/// One entry of a list control's texts: for a recording selector, param1 is
/// the line identifier of the source the item selects.
struct MixerListText {
    std::uint32_t param1 = 0;
    std::uint32_t param2 = 0;
    std::string name;
};

/// Whether a control is of the list class (multiplexer, mixer).
constexpr bool IsListClass(std::uint32_t type) { return (type & kControlClassMask) == kControlClassList; }

}  // namespace moravel::mixer
