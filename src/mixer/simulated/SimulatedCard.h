// The state of one simulated soundcard mixer: its lines, their controls and
// the controls' values, shared by every device opened on it. Changing a
// value, through a device or from outside (a test playing another program),
// notifies every open device, as a real card would.
//
// Building (AddDestination, AddSource, AddControl, SetListTexts) happens
// before any device is opened. Value sets follow MixerDevice.h; values are
// kept per item for a uniform control and per item and channel otherwise;
// a query with another channel count takes the first or repeats the last.
//
// Threads: any; every method is serialised by the card's own lock, and the
// change handlers run under it (they must not call back into the card).
#pragma once

#include "mixer/MixerDevice.h"
#include "mixer/MixerRecords.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace moravel::mixer {

class SimulatedCard {
public:
    explicit SimulatedCard(MixerCaps caps);

    // Building.
    /// A destination line; returns its line identifier.
    std::uint32_t AddDestination(const std::string& name, std::uint32_t channels);
    /// A source line of destination `destination`; returns its line identifier.
    std::uint32_t AddSource(std::uint32_t destination, const std::string& name, std::uint32_t channels);
    /// A control of line `lineId`, all values 0; returns its control identifier.
    std::uint32_t AddControl(std::uint32_t lineId, std::uint32_t type, std::uint32_t flags, std::uint32_t items,
                             const std::string& name);
    /// The texts of a list control, one per item.
    void SetListTexts(std::uint32_t controlId, std::vector<MixerListText> texts);

    // The device's view (MixerDevice.h).
    MixerCaps Caps() const;
    bool DestinationLine(std::uint32_t destination, MixerLine& line) const;
    bool SourceLine(std::uint32_t destination, std::uint32_t source, MixerLine& line) const;
    bool LineControls(std::uint32_t lineId, std::vector<MixerControl>& controls) const;
    bool ControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                       std::vector<std::uint32_t>& values) const;
    bool ListTexts(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                   std::vector<MixerListText>& texts) const;
    /// Stores the values (volumes clamped to the control's maximum) and,
    /// when that changed anything, notifies every subscriber.
    bool SetControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                          const std::vector<std::uint32_t>& values);

    // Notifications.
    /// Returns a token for Unsubscribe.
    int Subscribe(MixerChangeHandler handler);
    /// Once this returns, the handler is not called again.
    void Unsubscribe(int token);
    /// Tells every subscriber that a line or control changed.
    void RaiseLineChange(std::uint32_t lineId);
    void RaiseControlChange(std::uint32_t controlId);

private:
    struct Line {
        MixerLine record;
        std::vector<std::uint32_t> sources;   // line ids (destinations)
        std::vector<std::uint32_t> controls;  // control ids
    };
    struct Control {
        MixerControl record;
        std::uint32_t storedChannels = 1;
        std::vector<std::uint32_t> values;
        std::vector<MixerListText> texts;
    };

    const Control* FindControl(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items) const;
    void Notify(MixerChangeKind kind, std::uint32_t id) const;

    mutable std::mutex lock_;
    MixerCaps caps_;
    std::vector<std::uint32_t> destinations_;  // line ids
    std::map<std::uint32_t, Line> lines_;
    std::map<std::uint32_t, Control> controls_;
    std::map<int, MixerChangeHandler> subscribers_;
    int nextToken_ = 1;
};

}  // namespace moravel::mixer
