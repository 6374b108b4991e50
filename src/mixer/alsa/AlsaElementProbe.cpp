#include "mixer/alsa/AlsaElementProbe.h"

namespace moravel::mixer {

namespace {

std::vector<std::string> EnumItems(snd_mixer_elem_t* element) {
    std::vector<std::string> items;
    const int count = snd_mixer_selem_get_enum_items(element);
    for (int i = 0; i < count; ++i) {
        char name[64] = {};
        if (snd_mixer_selem_get_enum_item_name(element, static_cast<unsigned>(i), sizeof name - 1, name) < 0) break;
        items.emplace_back(name);
    }
    return items;
}

}  // namespace

AlsaElementTraits ProbeElement(snd_mixer_elem_t* e) {
    AlsaElementTraits t;
    t.name = snd_mixer_selem_get_name(e);
    t.index = snd_mixer_selem_get_index(e);
    t.playbackVolume = snd_mixer_selem_has_playback_volume(e);
    t.playbackSwitch = snd_mixer_selem_has_playback_switch(e);
    t.captureVolume = snd_mixer_selem_has_capture_volume(e);
    t.captureSwitch = snd_mixer_selem_has_capture_switch(e);
    t.commonVolume = snd_mixer_selem_has_common_volume(e);
    t.commonSwitch = snd_mixer_selem_has_common_switch(e);
    t.playbackMono = snd_mixer_selem_is_playback_mono(e);
    t.captureMono = snd_mixer_selem_is_capture_mono(e);
    t.playbackVolumeJoined = snd_mixer_selem_has_playback_volume_joined(e);
    t.captureVolumeJoined = snd_mixer_selem_has_capture_volume_joined(e);
    t.captureSwitchExclusive = t.captureSwitch && snd_mixer_selem_has_capture_switch_exclusive(e);
    t.captureGroup = t.captureSwitchExclusive ? snd_mixer_selem_get_capture_group(e) : 0;
    t.enumCapture = snd_mixer_selem_is_enumerated(e) && snd_mixer_selem_is_enum_capture(e);
    if (t.enumCapture) t.enumItems = EnumItems(e);
    return t;
}

}  // namespace moravel::mixer
