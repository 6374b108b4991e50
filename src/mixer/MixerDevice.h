// One open mixer device of a mixer service: its capabilities, its lines and
// their controls, control values and list texts, and change notifications.
// The mixer model (AudioMixer) reads everything it knows through this.
//
// Value sets: a query names the number of channels (1 for a uniform control,
// else the line's channel count) and the number of items (0 for a control
// that is not a multiple-item control); the set holds channels x items
// values (channels values when items is 0). Volumes are 0..65535, switches
// and selections 0 or 1.
//
// Threads: call a device from the thread that opened it. The change handler
// may run on any thread (a service says which); it must not call back into
// the device.
#pragma once

#include "mixer/MixerRecords.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace moravel::mixer {

enum class MixerChangeKind { Line, Control };

/// Told that a line (kind Line, a line identifier) or a control (kind
/// Control, a control identifier) changed, by this program or another.
using MixerChangeHandler = std::function<void(MixerChangeKind kind, std::uint32_t id)>;

class MixerDevice {
public:
    virtual ~MixerDevice() = default;

    virtual MixerCaps Caps() const = 0;
    /// Destination `destination` (0-based); false when there is none.
    virtual bool DestinationLine(std::uint32_t destination, MixerLine& line) const = 0;
    /// Source `source` of destination `destination`; false when there is none.
    virtual bool SourceLine(std::uint32_t destination, std::uint32_t source, MixerLine& line) const = 0;
    /// All controls of the line `lineId`, in the device's order.
    virtual bool LineControls(std::uint32_t lineId, std::vector<MixerControl>& controls) const = 0;
    /// The current values of a control (see the header on value sets).
    virtual bool ControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                               std::vector<std::uint32_t>& values) const = 0;
    /// A list control's texts: channels x items entries.
    virtual bool ListTexts(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                           std::vector<MixerListText>& texts) const = 0;
    /// Writes a control's values; `values` holds at least the set's size.
    virtual bool SetControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                                  const std::vector<std::uint32_t>& values) = 0;
    /// Replaces the change handler (empty: none). Once this returns, the old
    /// handler is no longer called.
    virtual void SetChangeHandler(MixerChangeHandler handler) = 0;
};

}  // namespace moravel::mixer
