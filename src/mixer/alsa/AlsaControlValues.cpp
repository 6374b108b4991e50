#include "mixer/alsa/AlsaControlValues.h"

#include "common/ElementVolume.h"

#include <algorithm>

namespace moravel::mixer {

namespace {

constexpr auto kLeft = SND_MIXER_SCHN_FRONT_LEFT;  // also a mono element's channel
constexpr auto kRight = SND_MIXER_SCHN_FRONT_RIGHT;

bool IsPlayback(const AlsaControlBinding& c) { return c.direction == AlsaDirection::Playback; }

bool HasChannel(snd_mixer_elem_t* e, bool playback, snd_mixer_selem_channel_id_t channel) {
    return playback ? snd_mixer_selem_has_playback_channel(e, channel)
                    : snd_mixer_selem_has_capture_channel(e, channel);
}

// The element channel behind model channel `c`: left, then right where the
// element has one (a mono element answers both from its one channel).
snd_mixer_selem_channel_id_t ChannelOf(snd_mixer_elem_t* e, bool playback, std::uint32_t c) {
    return c > 0 && HasChannel(e, playback, kRight) ? kRight : kLeft;
}

bool Range(snd_mixer_elem_t* e, bool playback, long& min, long& max) {
    return (playback ? snd_mixer_selem_get_playback_volume_range(e, &min, &max)
                     : snd_mixer_selem_get_capture_volume_range(e, &min, &max)) >= 0;
}

bool ReadVolume(snd_mixer_elem_t* e, bool playback, std::uint32_t channels, std::vector<std::uint32_t>& values) {
    long min = 0, max = 0;
    if (!Range(e, playback, min, max)) return false;
    values.assign(channels, 0);
    for (std::uint32_t c = 0; c < channels; ++c) {
        long v = 0;
        const auto channel = ChannelOf(e, playback, c);
        if ((playback ? snd_mixer_selem_get_playback_volume(e, channel, &v)
                      : snd_mixer_selem_get_capture_volume(e, channel, &v)) < 0)
            return false;
        values[c] = FromElementValue(v, min, max);
    }
    return true;
}

bool WriteVolume(snd_mixer_elem_t* e, bool playback, std::uint32_t channels, const std::vector<std::uint32_t>& values) {
    long min = 0, max = 0;
    if (!Range(e, playback, min, max)) return false;
    if (channels == 1) {
        const long v = ToElementValue(values[0], min, max);
        return (playback ? snd_mixer_selem_set_playback_volume_all(e, v)
                         : snd_mixer_selem_set_capture_volume_all(e, v)) >= 0;
    }
    // Right goes to the front right channel, left to every other channel.
    for (int ch = 0; ch <= SND_MIXER_SCHN_LAST; ++ch) {
        const auto channel = static_cast<snd_mixer_selem_channel_id_t>(ch);
        if (!HasChannel(e, playback, channel)) continue;
        const long v = ToElementValue(values[channel == kRight ? 1 : 0], min, max);
        if ((playback ? snd_mixer_selem_set_playback_volume(e, channel, v)
                      : snd_mixer_selem_set_capture_volume(e, channel, v)) < 0)
            return false;
    }
    return true;
}

bool SwitchOn(snd_mixer_elem_t* e, bool playback, bool& on) {
    int value = 0;
    const int err = playback ? snd_mixer_selem_get_playback_switch(e, kLeft, &value)
                             : snd_mixer_selem_get_capture_switch(e, kLeft, &value);
    on = value != 0;
    return err >= 0;
}

bool SetSwitch(snd_mixer_elem_t* e, bool playback, bool on) {
    return (playback ? snd_mixer_selem_set_playback_switch_all(e, on)
                     : snd_mixer_selem_set_capture_switch_all(e, on)) >= 0;
}

// Per-item selections, from or to the value set's first channel of each item.
std::vector<bool> ItemsOf(const std::vector<std::uint32_t>& values, std::uint32_t channels, std::size_t items) {
    std::vector<bool> selected(items);
    for (std::size_t i = 0; i < items; ++i) selected[i] = values[i * channels] != 0;
    return selected;
}

void SetItems(const std::vector<bool>& selected, std::uint32_t channels, std::vector<std::uint32_t>& values) {
    values.assign(selected.size() * channels, 0);
    for (std::size_t i = 0; i < selected.size(); ++i)
        std::fill_n(values.begin() + static_cast<long>(i * channels), channels, selected[i] ? 1U : 0U);
}

bool ReadEnum(snd_mixer_elem_t* e, std::size_t items, std::vector<bool>& selected) {
    unsigned current = 0;
    if (snd_mixer_selem_get_enum_item(e, kLeft, &current) < 0) return false;
    selected.assign(items, false);
    if (current < items) selected[current] = true;
    return true;
}

bool WriteEnum(snd_mixer_elem_t* e, const std::vector<bool>& selected) {
    const auto first = std::find(selected.begin(), selected.end(), true);
    if (first == selected.end()) return true;  // an enumeration always has an item
    const auto item = static_cast<unsigned>(first - selected.begin());
    if (snd_mixer_selem_set_enum_item(e, kLeft, item) < 0) return false;
    for (int ch = 1; ch <= SND_MIXER_SCHN_LAST; ++ch)  // further channels, as far as the element has them
        if (snd_mixer_selem_set_enum_item(e, static_cast<snd_mixer_selem_channel_id_t>(ch), item) < 0) break;
    return true;
}

bool ReadSwitches(const std::vector<snd_mixer_elem_t*>& elements, const std::vector<int>& items,
                  std::vector<bool>& selected) {
    selected.assign(items.size(), false);
    for (std::size_t i = 0; i < items.size(); ++i) {
        bool on = false;
        if (!elements[items[i]] || !SwitchOn(elements[items[i]], false, on)) return false;
        selected[i] = on;
    }
    return true;
}

// Switches off before switching on, so that an exclusive group never
// passes through a state with two sources on; unchanged switches are left.
bool WriteSwitches(const std::vector<snd_mixer_elem_t*>& elements, const std::vector<int>& items,
                   const std::vector<bool>& selected) {
    std::vector<bool> current;
    if (!ReadSwitches(elements, items, current)) return false;
    for (const bool on : {false, true})
        for (std::size_t i = 0; i < items.size(); ++i)
            if (selected[i] == on && current[i] != on && !SetSwitch(elements[items[i]], false, on)) return false;
    return true;
}

}  // namespace

bool ReadControl(const AlsaControlBinding& control, const std::vector<snd_mixer_elem_t*>& elements,
                 std::uint32_t channels, std::vector<std::uint32_t>& values) {
    const bool playback = IsPlayback(control);
    snd_mixer_elem_t* e = control.element >= 0 ? elements[control.element] : nullptr;
    std::vector<bool> selected;
    switch (control.kind) {
        case AlsaControlKind::Volume:
            return e && ReadVolume(e, playback, channels, values);
        case AlsaControlKind::Switch: {
            bool on = false;
            if (!e || !SwitchOn(e, playback, on)) return false;
            values.assign(channels, on ? 0 : 1);
            return true;
        }
        case AlsaControlKind::EnumSelector:
            if (!e || !ReadEnum(e, control.texts.size(), selected)) return false;
            break;
        case AlsaControlKind::SwitchSelector:
            if (!ReadSwitches(elements, control.itemElements, selected)) return false;
            break;
    }
    SetItems(selected, channels, values);
    return true;
}

bool WriteControl(const AlsaControlBinding& control, const std::vector<snd_mixer_elem_t*>& elements,
                  std::uint32_t channels, const std::vector<std::uint32_t>& values) {
    const bool playback = IsPlayback(control);
    snd_mixer_elem_t* e = control.element >= 0 ? elements[control.element] : nullptr;
    switch (control.kind) {
        case AlsaControlKind::Volume:
            return e && WriteVolume(e, playback, channels, values);
        case AlsaControlKind::Switch:
            return e && SetSwitch(e, playback, values[0] == 0);
        case AlsaControlKind::EnumSelector:
            return e && WriteEnum(e, ItemsOf(values, channels, control.texts.size()));
        case AlsaControlKind::SwitchSelector:
            return WriteSwitches(elements, control.itemElements,
                                 ItemsOf(values, channels, control.itemElements.size()));
    }
    return false;
}

}  // namespace moravel::mixer
