#include "mixer/simulated/SimulatedCard.h"

#include <algorithm>

namespace moravel::mixer {

namespace {

constexpr std::uint32_t kDestinationIdBase = 0xFFFF0000;

std::uint32_t GroupsOf(std::uint32_t items) { return std::max<std::uint32_t>(items, 1); }

}  // namespace

SimulatedCard::SimulatedCard(MixerCaps caps) : caps_(std::move(caps)) { caps_.destinations = 0; }

std::uint32_t SimulatedCard::AddDestination(const std::string& name, std::uint32_t channels) {
    std::lock_guard guard(lock_);
    const auto index = static_cast<std::uint32_t>(destinations_.size());
    Line line;
    line.record = MixerLine{index, 0, kDestinationIdBase | index, channels, 0, 0, name, name};
    destinations_.push_back(line.record.lineId);
    lines_[line.record.lineId] = line;
    caps_.destinations = static_cast<std::uint32_t>(destinations_.size());
    return line.record.lineId;
}

std::uint32_t SimulatedCard::AddSource(std::uint32_t destination, const std::string& name, std::uint32_t channels) {
    std::lock_guard guard(lock_);
    Line& owner = lines_.at(destinations_.at(destination));
    const auto index = static_cast<std::uint32_t>(owner.sources.size());
    Line line;
    line.record = MixerLine{destination, index, (index << 16) | destination, channels, 0, 0, name, name};
    owner.sources.push_back(line.record.lineId);
    owner.record.connections = static_cast<std::uint32_t>(owner.sources.size());
    lines_[line.record.lineId] = line;
    return line.record.lineId;
}

std::uint32_t SimulatedCard::AddControl(std::uint32_t lineId, std::uint32_t type, std::uint32_t flags,
                                        std::uint32_t items, const std::string& name) {
    std::lock_guard guard(lock_);
    Line& line = lines_.at(lineId);
    Control control;
    control.record.controlId = static_cast<std::uint32_t>(controls_.size()) + 1;
    control.record.type = type;
    control.record.flags = flags;
    control.record.items = items;
    control.record.maximum = type == kControlTypeVolume ? 65535 : 1;
    control.record.shortName = control.record.name = name;
    control.storedChannels = (flags & kControlFlagUniform) != 0 ? 1 : std::max<std::uint32_t>(line.record.channels, 1);
    control.values.assign(control.storedChannels * GroupsOf(items), 0);
    line.controls.push_back(control.record.controlId);
    line.record.controls = static_cast<std::uint32_t>(line.controls.size());
    controls_[control.record.controlId] = control;
    return control.record.controlId;
}

void SimulatedCard::SetListTexts(std::uint32_t controlId, std::vector<MixerListText> texts) {
    std::lock_guard guard(lock_);
    controls_.at(controlId).texts = std::move(texts);
}

MixerCaps SimulatedCard::Caps() const {
    std::lock_guard guard(lock_);
    return caps_;
}

bool SimulatedCard::DestinationLine(std::uint32_t destination, MixerLine& line) const {
    std::lock_guard guard(lock_);
    if (destination >= destinations_.size()) return false;
    line = lines_.at(destinations_[destination]).record;
    return true;
}

bool SimulatedCard::SourceLine(std::uint32_t destination, std::uint32_t source, MixerLine& line) const {
    std::lock_guard guard(lock_);
    if (destination >= destinations_.size()) return false;
    const Line& owner = lines_.at(destinations_[destination]);
    if (source >= owner.sources.size()) return false;
    line = lines_.at(owner.sources[source]).record;
    return true;
}

bool SimulatedCard::LineControls(std::uint32_t lineId, std::vector<MixerControl>& controls) const {
    std::lock_guard guard(lock_);
    const auto line = lines_.find(lineId);
    if (line == lines_.end()) return false;
    controls.clear();
    for (std::uint32_t id : line->second.controls) controls.push_back(controls_.at(id).record);
    return true;
}

// The control when the query names its item count; nothing otherwise.
const SimulatedCard::Control* SimulatedCard::FindControl(std::uint32_t controlId, std::uint32_t channels,
                                                         std::uint32_t items) const {
    const auto found = controls_.find(controlId);
    if (found == controls_.end() || channels == 0) return nullptr;
    const MixerControl& record = found->second.record;
    const std::uint32_t expected = (record.flags & kControlFlagMultiple) != 0 ? record.items : 0;
    return items == expected ? &found->second : nullptr;
}

bool SimulatedCard::ControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                                  std::vector<std::uint32_t>& values) const {
    std::lock_guard guard(lock_);
    const Control* control = FindControl(controlId, channels, items);
    if (!control) return false;
    const std::uint32_t stored = control->storedChannels;
    values.assign(channels * GroupsOf(items), 0);
    for (std::uint32_t i = 0; i < GroupsOf(items); ++i)
        for (std::uint32_t c = 0; c < channels; ++c)
            values[i * channels + c] = control->values[i * stored + std::min(c, stored - 1)];
    return true;
}

bool SimulatedCard::ListTexts(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                              std::vector<MixerListText>& texts) const {
    std::lock_guard guard(lock_);
    const Control* control = FindControl(controlId, channels, items);
    if (!control || !IsListClass(control->record.type)) return false;
    texts.assign(channels * items, MixerListText{});
    for (std::uint32_t i = 0; i < items && i < control->texts.size(); ++i)
        for (std::uint32_t c = 0; c < channels; ++c) texts[i * channels + c] = control->texts[i];
    return true;
}

bool SimulatedCard::SetControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                                     const std::vector<std::uint32_t>& values) {
    std::lock_guard guard(lock_);
    const Control* found = FindControl(controlId, channels, items);
    if (!found || values.size() < channels * GroupsOf(items)) return false;
    Control& control = controls_.at(controlId);
    const std::uint32_t stored = control.storedChannels;
    std::vector<std::uint32_t> next(control.values.size());
    for (std::uint32_t i = 0; i < GroupsOf(items); ++i)
        for (std::uint32_t c = 0; c < stored; ++c)
            next[i * stored + c] = std::min(values[i * channels + std::min(c, channels - 1)], control.record.maximum);
    if (next == control.values) return true;
    control.values = std::move(next);
    Notify(MixerChangeKind::Control, controlId);
    return true;
}

int SimulatedCard::Subscribe(MixerChangeHandler handler) {
    std::lock_guard guard(lock_);
    subscribers_[nextToken_] = std::move(handler);
    return nextToken_++;
}

void SimulatedCard::Unsubscribe(int token) {
    std::lock_guard guard(lock_);
    subscribers_.erase(token);
}

void SimulatedCard::RaiseLineChange(std::uint32_t lineId) {
    std::lock_guard guard(lock_);
    Notify(MixerChangeKind::Line, lineId);
}

void SimulatedCard::RaiseControlChange(std::uint32_t controlId) {
    std::lock_guard guard(lock_);
    Notify(MixerChangeKind::Control, controlId);
}

void SimulatedCard::Notify(MixerChangeKind kind, std::uint32_t id) const {
    for (const auto& [token, handler] : subscribers_)
        if (handler) handler(kind, id);
}

}  // namespace moravel::mixer
