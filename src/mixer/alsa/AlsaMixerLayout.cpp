#include "mixer/alsa/AlsaMixerLayout.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace moravel::mixer {

namespace {

constexpr std::uint32_t kDestinationIdBase = 0xFFFF0000;
constexpr int kNone = -1;

// A control for both directions is a gain or switch of an input (a
// microphone's preamplifier, "Mic Boost"): it shapes what is recorded, and
// listing it among the playback sources too would let the microphone's
// playback and recording lines both be bound to the one gain.
bool Plays(const AlsaElementTraits& e) {
    return (e.playbackVolume && !e.commonVolume) || (e.playbackSwitch && !e.commonSwitch);
}
bool Records(const AlsaElementTraits& e) { return (e.captureVolume || e.captureSwitch) && !e.enumCapture; }

bool SameText(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

int FindNamed(const std::vector<AlsaElementTraits>& elements, const std::string& name,
              bool (*usable)(const AlsaElementTraits&)) {
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (elements[i].name == name && elements[i].index == 0 && usable(elements[i])) return static_cast<int>(i);
    return kNone;
}

int FindMaster(const std::vector<AlsaElementTraits>& elements) {
    for (const char* name : {"Master", "Speaker", "Headphone", "Front", "PCM"})
        if (const int found = FindNamed(elements, name, Plays); found != kNone) return found;
    const auto count = std::count_if(elements.begin(), elements.end(), Plays);
    if (count != 1) return kNone;
    return static_cast<int>(std::find_if(elements.begin(), elements.end(), Plays) - elements.begin());
}

bool IsSelectorName(const std::string& name) { return name == "Capture Source" || name == "Input Source"; }

int FindEnumSelector(const std::vector<AlsaElementTraits>& elements) {
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (elements[i].enumCapture && IsSelectorName(elements[i].name)) return static_cast<int>(i);
    return kNone;
}

// The sources with an exclusive capture switch in the first such group, else
// (with `exclusive` false) every source with a capture switch.
std::vector<int> SwitchedSources(const std::vector<AlsaElementTraits>& elements, const std::vector<int>& sources,
                                 bool& exclusive) {
    std::vector<int> switched;
    for (int i : sources)
        if (elements[i].captureSwitch && elements[i].captureSwitchExclusive &&
            (switched.empty() || elements[i].captureGroup == elements[switched.front()].captureGroup))
            switched.push_back(i);
    exclusive = !switched.empty();
    if (exclusive) return switched;
    for (int i : sources)
        if (elements[i].captureSwitch) switched.push_back(i);
    return switched;
}

std::uint32_t Channels(const AlsaElementTraits& e, AlsaDirection direction) {
    return (direction == AlsaDirection::Playback ? e.playbackMono : e.captureMono) ? 1 : 2;
}

std::string Suffix(AlsaDirection direction) { return direction == AlsaDirection::Playback ? " Playback" : " Capture"; }

}  // namespace

AlsaMixerLayout::AlsaMixerLayout(const std::vector<AlsaElementTraits>& elements) {
    const int master = FindMaster(elements);
    const int capture = FindNamed(elements, "Capture", Records);
    const bool records = capture != kNone || FindEnumSelector(elements) != kNone ||
                         std::any_of(elements.begin(), elements.end(), Records);
    const bool plays = std::any_of(elements.begin(), elements.end(), Plays);
    if (!records && !plays) return;
    BuildPlayback(elements, master);
    if (records) BuildRecording(elements, capture);
}

AlsaLine& AlsaMixerLayout::AddDestination(const std::string& name, std::uint32_t channels, int element) {
    const auto d = static_cast<std::uint32_t>(destinations_.size());
    AlsaLine& line = lines_[kDestinationIdBase | d];
    line.record = MixerLine{d, 0, kDestinationIdBase | d, channels, 0, 0, name, name};
    line.element = element;
    destinations_.push_back(line.record.lineId);
    return line;
}

AlsaLine& AlsaMixerLayout::AddSource(std::uint32_t d, const std::string& name, std::uint32_t channels, int element) {
    AlsaLine& owner = lines_.at(destinations_.at(d));
    const auto s = static_cast<std::uint32_t>(owner.sources.size());
    const std::uint32_t id = (s << 16) | d;
    AlsaLine& line = lines_[id];
    line.record = MixerLine{d, s, id, channels, 0, 0, name, name};
    line.element = element;
    owner.sources.push_back(id);
    owner.record.connections = s + 1;
    return line;
}

std::uint32_t AlsaMixerLayout::AddControl(AlsaLine& line, AlsaControlBinding binding) {
    binding.record.controlId = static_cast<std::uint32_t>(controls_.size()) + 1;
    if (binding.record.type != kControlTypeVolume) binding.record.maximum = 1;
    controls_.push_back(std::move(binding));
    line.controls.push_back(controls_.back().record.controlId);
    line.record.controls = static_cast<std::uint32_t>(line.controls.size());
    return controls_.back().record.controlId;
}

// A line's volume and (when `withSwitch`) its switch as a mute.
void AlsaMixerLayout::AddOwnControls(AlsaLine& line, const AlsaElementTraits& traits, AlsaDirection direction,
                                     bool withSwitch) {
    const bool playback = direction == AlsaDirection::Playback;
    const std::string base = traits.DisplayName() + Suffix(direction);
    if (playback ? traits.playbackVolume : traits.captureVolume) {
        AlsaControlBinding volume;
        volume.record.type = kControlTypeVolume;
        const bool joined = playback ? traits.playbackVolumeJoined : traits.captureVolumeJoined;
        volume.record.flags = (joined || line.record.channels == 1) ? kControlFlagUniform : 0;
        volume.record.shortName = volume.record.name = base + " Volume";
        volume.kind = AlsaControlKind::Volume;
        volume.direction = direction;
        volume.element = line.element;
        AddControl(line, std::move(volume));
    }
    if (withSwitch && (playback ? traits.playbackSwitch : traits.captureSwitch)) {
        AlsaControlBinding mute;
        mute.record.type = kControlTypeMute;
        mute.record.flags = kControlFlagUniform;
        mute.record.shortName = mute.record.name = base + " Switch";
        mute.kind = AlsaControlKind::Switch;
        mute.direction = direction;
        mute.element = line.element;
        AddControl(line, std::move(mute));
    }
}

void AlsaMixerLayout::BuildPlayback(const std::vector<AlsaElementTraits>& elements, int master) {
    const AlsaElementTraits* own = master == kNone ? nullptr : &elements[master];
    AlsaLine& destination = AddDestination(own ? own->DisplayName() : "Playback",
                                           own ? Channels(*own, AlsaDirection::Playback) : 2, master);
    if (own) AddOwnControls(destination, *own, AlsaDirection::Playback, true);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (static_cast<int>(i) == master || !Plays(elements[i])) continue;
        AlsaLine& source = AddSource(0, elements[i].DisplayName(), Channels(elements[i], AlsaDirection::Playback),
                                     static_cast<int>(i));
        AddOwnControls(source, elements[i], AlsaDirection::Playback, true);
    }
}

void AlsaMixerLayout::BuildRecording(const std::vector<AlsaElementTraits>& elements, int capture) {
    const AlsaElementTraits* own = capture == kNone ? nullptr : &elements[capture];
    AlsaLine& destination = AddDestination("Capture", own ? Channels(*own, AlsaDirection::Capture) : 2, capture);
    if (own) AddOwnControls(destination, *own, AlsaDirection::Capture, true);

    std::vector<int> sources;
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (static_cast<int>(i) != capture && Records(elements[i])) sources.push_back(static_cast<int>(i));
    const int enumSelector = FindEnumSelector(elements);
    bool exclusive = false;
    const std::vector<int> switched =
        enumSelector == kNone ? SwitchedSources(elements, sources, exclusive) : std::vector<int>{};
    const std::set<int> selected(switched.begin(), switched.end());
    for (int i : sources) {
        AlsaLine& source = AddSource(1, elements[i].DisplayName(), Channels(elements[i], AlsaDirection::Capture), i);
        AddOwnControls(source, elements[i], AlsaDirection::Capture, selected.count(i) == 0);
    }
    if (enumSelector != kNone)
        AddEnumSelector(elements, enumSelector);
    else if (!switched.empty())
        AddSwitchSelector(elements, switched, exclusive ? kControlTypeMux : kControlTypeMixer);
}

// A multiplexer over the enumeration's items; each item selects the source
// of that name, or a line of its own when no element has that name.
void AlsaMixerLayout::AddEnumSelector(const std::vector<AlsaElementTraits>& elements, int selector) {
    AlsaControlBinding binding;
    binding.record.type = kControlTypeMux;
    binding.record.flags = kControlFlagUniform | kControlFlagMultiple;
    binding.record.items = static_cast<std::uint32_t>(elements[selector].enumItems.size());
    binding.record.shortName = binding.record.name = elements[selector].DisplayName();
    binding.kind = AlsaControlKind::EnumSelector;
    binding.direction = AlsaDirection::Capture;
    binding.element = selector;
    for (const std::string& item : elements[selector].enumItems) {
        const AlsaLine* match = nullptr;
        for (std::uint32_t lineId : lines_.at(destinations_[1]).sources)
            if (SameText(lines_.at(lineId).record.name, item)) match = &lines_.at(lineId);
        if (!match) match = &AddSource(1, item, 1, kNone);
        binding.texts.push_back(MixerListText{match->record.lineId, 0, item});
    }
    AddControl(lines_.at(destinations_[1]), std::move(binding));
}

void AlsaMixerLayout::AddSwitchSelector(const std::vector<AlsaElementTraits>& elements,
                                        const std::vector<int>& switched, std::uint32_t type) {
    AlsaControlBinding binding;
    binding.record.type = type;
    binding.record.flags = kControlFlagUniform | kControlFlagMultiple;
    binding.record.items = static_cast<std::uint32_t>(switched.size());
    binding.record.shortName = binding.record.name = "Capture Switch";
    binding.kind = AlsaControlKind::SwitchSelector;
    binding.direction = AlsaDirection::Capture;
    binding.itemElements = switched;
    for (std::uint32_t lineId : lines_.at(destinations_[1]).sources) {
        const AlsaLine& line = lines_.at(lineId);
        if (std::find(switched.begin(), switched.end(), line.element) != switched.end())
            binding.texts.push_back(MixerListText{lineId, 0, elements[line.element].DisplayName()});
    }
    AddControl(lines_.at(destinations_[1]), std::move(binding));
}

const AlsaLine* AlsaMixerLayout::Destination(std::uint32_t d) const {
    return d < destinations_.size() ? &lines_.at(destinations_[d]) : nullptr;
}

const AlsaLine* AlsaMixerLayout::Source(std::uint32_t d, std::uint32_t s) const {
    const AlsaLine* destination = Destination(d);
    if (!destination || s >= destination->sources.size()) return nullptr;
    return &lines_.at(destination->sources[s]);
}

const AlsaLine* AlsaMixerLayout::Line(std::uint32_t lineId) const {
    const auto found = lines_.find(lineId);
    return found == lines_.end() ? nullptr : &found->second;
}

const AlsaControlBinding* AlsaMixerLayout::Control(std::uint32_t controlId) const {
    if (controlId == 0 || controlId > controls_.size()) return nullptr;
    return &controls_[controlId - 1];
}

std::vector<std::uint32_t> AlsaMixerLayout::LinesOfElement(int element) const {
    std::vector<std::uint32_t> ids;
    for (const auto& [id, line] : lines_)
        if (line.element == element) ids.push_back(id);
    return ids;
}

std::vector<std::uint32_t> AlsaMixerLayout::ControlsOfElement(int element) const {
    std::vector<std::uint32_t> ids;
    for (const AlsaControlBinding& control : controls_) {
        const auto& items = control.itemElements;
        if (control.element == element || std::find(items.begin(), items.end(), element) != items.end())
            ids.push_back(control.record.controlId);
    }
    return ids;
}

}  // namespace moravel::mixer
