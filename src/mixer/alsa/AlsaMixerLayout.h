// How the elements of an ALSA simple mixer become the mixer model's lines
// and controls.
//
// Destination 0 is playback: its own controls come from the master element
// ("Master", else "Speaker", "Headphone", "Front", "PCM", else the only
// playback element); its sources are the other elements with a playback
// volume or switch. Destination 1 is recording: its own controls come from
// "Capture"; its sources are the other elements with a capture volume or
// switch. An element whose volume and switch serve both directions ("Mic
// Boost", an input's gain) is a recording source only. A switch is offered
// as a mute (switch off = muted).
//
// The recording selector, a list control of destination 1:
// - an enumerated capture element "Capture Source" or "Input Source": a
//   multiplexer whose items are the element's items; an item naming no
//   source element gets a source line of its own (without controls);
// - else the elements with an exclusive capture switch (one group): a
//   multiplexer over those sources;
// - else the sources with a capture switch: a mixer (several at once).
// A capture switch that a selector stands for is not also a mute.
//
// There are two destinations when anything records, else one when anything
// plays, else none.
//
// Threads: any (built once, then read only).
#pragma once

#include "mixer/alsa/AlsaElementTraits.h"
#include "mixer/MixerRecords.h"

#include <cstdint>
#include <map>
#include <vector>

namespace moravel::mixer {

enum class AlsaDirection { Playback, Capture };
enum class AlsaControlKind {
    Volume,          // the element's volume, per channel
    Switch,          // the element's switch as a mute: 1 when off
    EnumSelector,    // item i selected: the element's enumeration is at i
    SwitchSelector,  // item i selected: the capture switch of itemElements[i] is on
};

/// A control of the model and the element (or elements) behind it.
struct AlsaControlBinding {
    MixerControl record;
    AlsaControlKind kind = AlsaControlKind::Volume;
    AlsaDirection direction = AlsaDirection::Playback;
    int element = -1;                  // index into the element list
    std::vector<int> itemElements;     // SwitchSelector: the element of each item
    std::vector<MixerListText> texts;  // selectors: one per item
};

struct AlsaLine {
    MixerLine record;
    int element = -1;                     // -1: a line without an element
    std::vector<std::uint32_t> controls;  // control ids
    std::vector<std::uint32_t> sources;   // destinations: line ids of the sources
};

class AlsaMixerLayout {
public:
    explicit AlsaMixerLayout(const std::vector<AlsaElementTraits>& elements);

    std::uint32_t Destinations() const { return static_cast<std::uint32_t>(destinations_.size()); }
    /// Destination `d`, source `s` of destination `d`, any line by id; nothing when there is none.
    const AlsaLine* Destination(std::uint32_t d) const;
    const AlsaLine* Source(std::uint32_t d, std::uint32_t s) const;
    const AlsaLine* Line(std::uint32_t lineId) const;
    const AlsaControlBinding* Control(std::uint32_t controlId) const;
    /// The lines and the controls that element `element` stands behind.
    std::vector<std::uint32_t> LinesOfElement(int element) const;
    std::vector<std::uint32_t> ControlsOfElement(int element) const;

private:
    AlsaLine& AddDestination(const std::string& name, std::uint32_t channels, int element);
    AlsaLine& AddSource(std::uint32_t d, const std::string& name, std::uint32_t channels, int element);
    std::uint32_t AddControl(AlsaLine& line, AlsaControlBinding binding);
    void AddOwnControls(AlsaLine& line, const AlsaElementTraits& traits, AlsaDirection direction, bool withSwitch);
    void BuildPlayback(const std::vector<AlsaElementTraits>& elements, int master);
    void BuildRecording(const std::vector<AlsaElementTraits>& elements, int capture);
    void AddEnumSelector(const std::vector<AlsaElementTraits>& elements, int selector);
    void AddSwitchSelector(const std::vector<AlsaElementTraits>& elements, const std::vector<int>& switched,
                           std::uint32_t type);

    std::vector<std::uint32_t> destinations_;
    std::map<std::uint32_t, AlsaLine> lines_;
    std::vector<AlsaControlBinding> controls_;  // control id = index + 1
};

}  // namespace moravel::mixer
