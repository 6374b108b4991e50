// Reading and setting a line's volume and mute (AudioMixer::GetVolume and
// AudioMixer::SetVolume), and the recording selector a source's on/off
// state lives in when the source has no mute of its own.
#include "mixer/AudioMixer.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace moravel {

namespace {

using mixer::MixerControl;
using mixer::MixerListText;

bool IsVolumeOrMute(const MixerControl& control) {
    return (control.type == mixer::kControlTypeVolume || control.type == mixer::kControlTypeMute) &&
           (control.flags & mixer::kControlFlagMultiple) == 0;
}

bool IsDisabled(const MixerControl& control) { return (control.flags & mixer::kControlFlagDisabled) != 0; }

std::uint32_t ItemsOf(const MixerControl& control) {
    return (control.flags & mixer::kControlFlagMultiple) != 0 ? control.items : 0;
}

// The selector item that selects the line `lineId`. A list control's texts
// are searched at the last channel's entry of each item group (c-1, 2c-1,
// ...) while below the item count.
std::optional<std::uint32_t> FindItem(const std::vector<MixerListText>& texts, std::uint32_t channels,
                                      std::uint32_t items, std::uint32_t lineId) {
    for (std::uint32_t k = channels - 1; k < items && k < texts.size(); k += channels)
        if (texts[k].param1 == lineId) return k;
    return std::nullopt;
}

}  // namespace

std::uint32_t AudioMixer::Channels(const MixerControl& control, const mixer::MixerLine& line) const {
    return (control.flags & mixer::kControlFlagUniform) != 0 ? 1 : std::max<std::uint32_t>(line.channels, 1);
}

bool AudioMixer::FindLine(int destination, int connection, LineRef& ref) const {
    ref.destination = destinations_->Item(destination);
    if (!ref.destination) return false;
    if (connection == -1) {
        ref.line = &ref.destination->Line();
        ref.controls = &ref.destination->Controls();
        return true;
    }
    const MixerConnection* source = ref.destination->Connections().Item(connection);
    if (!source) return false;
    ref.line = &source->Line();
    ref.controls = &source->Controls();
    ref.isSource = true;
    return true;
}

bool AudioMixer::GetVolume(int destination, int connection, int& left, int& right, int& mute, bool& stereo,
                            bool& volumeDisabled, bool& muteDisabled, bool& muteIsSelection) const {
    if (!destinations_) return false;
    LineState state;
    LineRef ref;
    const bool found = FindLine(destination, connection, ref);
    if (found) {
        ReadOwnControls(ref, state);
        if (state.mute == -1 && ref.isSource) ReadSelection(ref, state);
    }
    left = state.left;
    right = state.right;
    mute = state.mute;
    stereo = state.stereo;
    volumeDisabled = state.volumeDisabled;
    muteDisabled = state.muteDisabled;
    muteIsSelection = state.muteIsSelection;
    return found;
}

// The first readable volume and the first readable mute of the line itself.
void AudioMixer::ReadOwnControls(const LineRef& ref, LineState& state) const {
    for (int i = 0; i < ref.controls->Count() && (state.left == -1 || state.mute == -1); ++i) {
        const MixerControl& control = *ref.controls->Item(i);
        if (!IsVolumeOrMute(control)) continue;
        const std::uint32_t channels = Channels(control, *ref.line);
        std::vector<std::uint32_t> values;
        if (!device_->ControlValues(control.controlId, channels, 0, values) || values.size() < channels) continue;
        if (control.type == mixer::kControlTypeVolume && state.left == -1) {
            state.volumeDisabled = IsDisabled(control);
            state.left = static_cast<int>(values[0]);
            state.stereo = channels > 1;
            state.right = state.stereo ? static_cast<int>(values[1]) : state.left;
        } else if (control.type == mixer::kControlTypeMute && state.mute == -1) {
            state.muteDisabled = IsDisabled(control);
            state.mute = values[0] != 0 ? 1 : 0;
        }
    }
}

// A source without a mute of its own: its selection in the destination's
// list controls (recording selector) stands for its on/off state.
void AudioMixer::ReadSelection(const LineRef& ref, LineState& state) const {
    const MixerControls& controls = ref.destination->Controls();
    for (int i = 0; i < controls.Count(); ++i) {
        const MixerControl& control = *controls.Item(i);
        if (!mixer::IsListClass(control.type)) continue;
        const std::uint32_t channels = Channels(control, *ref.line);
        const std::uint32_t items = ItemsOf(control);
        std::vector<std::uint32_t> values;
        std::vector<MixerListText> texts;
        if (!device_->ControlValues(control.controlId, channels, items, values)) continue;
        if (!device_->ListTexts(control.controlId, channels, items, texts)) continue;
        const std::optional<std::uint32_t> k = FindItem(texts, channels, items, ref.line->lineId);
        if (!k || *k >= values.size()) continue;
        state.mute = static_cast<int>(values[*k]);
        state.muteDisabled = IsDisabled(control);
        state.muteIsSelection = true;
        return;
    }
}

bool AudioMixer::SetVolume(int destination, int connection, int left, int right, int mute) {
    if (!destinations_) return false;
    LineRef ref;
    if (!FindLine(destination, connection, ref)) return false;
    const bool muteDone = WriteOwnControls(ref, left, right, mute);
    if (!muteDone && ref.isSource) WriteSelection(ref, mute);
    return true;
}

// Writes the first volume and the first mute of the line; returns whether
// the mute is done (written, or -1: left alone). One value set serves every
// control visited: a control visited after its kind was done gets the
// values prepared last written again. Before anything was prepared there is
// nothing to repeat, and such a control is left alone: a volume visited on
// the way to the mute when left is -1 keeps its value.
bool AudioMixer::WriteOwnControls(const LineRef& ref, int left, int right, int mute) {
    bool volumeDone = left == -1;
    bool muteDone = mute == -1;
    std::vector<std::uint32_t> details;
    bool prepared = false;
    for (int i = 0; i < ref.controls->Count() && (!volumeDone || !muteDone); ++i) {
        const MixerControl& control = *ref.controls->Item(i);
        if (!IsVolumeOrMute(control)) continue;
        const std::uint32_t channels = Channels(control, *ref.line);
        details.resize(std::max<std::size_t>(details.size(), std::max<std::uint32_t>(channels, 2)));
        if (control.type == mixer::kControlTypeVolume && !volumeDone) {
            details[0] = static_cast<std::uint32_t>(left);
            details[1] = static_cast<std::uint32_t>(right == -1 ? left : right);
            volumeDone = prepared = true;
        } else if (control.type == mixer::kControlTypeMute && !muteDone) {
            details[0] = static_cast<std::uint32_t>(mute);
            muteDone = prepared = true;
        }
        if (prepared) device_->SetControlValues(control.controlId, channels, 0, details);
    }
    return muteDone;
}

// Selects (mute 1) or deselects (mute 0) a source in the first mixer or
// multiplexer of its destination; a multiplexer selects one source only.
void AudioMixer::WriteSelection(const LineRef& ref, int mute) {
    const MixerControls& controls = ref.destination->Controls();
    for (int i = 0; i < controls.Count(); ++i) {
        const MixerControl& control = *controls.Item(i);
        if (control.type != mixer::kControlTypeMixer && control.type != mixer::kControlTypeMux) continue;
        const std::uint32_t channels = Channels(control, *ref.line);
        const std::uint32_t items = ItemsOf(control);
        std::vector<std::uint32_t> values;
        std::vector<MixerListText> texts;
        if (!device_->ControlValues(control.controlId, channels, items, values)) return;
        if (control.type == mixer::kControlTypeMux) std::fill(values.begin(), values.end(), 0U);
        if (!device_->ListTexts(control.controlId, channels, items, texts)) return;
        const std::optional<std::uint32_t> k = FindItem(texts, channels, items, ref.line->lineId);
        if (!k || *k >= values.size()) return;
        values[*k] = static_cast<std::uint32_t>(mute);
        device_->SetControlValues(control.controlId, channels, items, values);
        return;
    }
}

}  // namespace moravel
