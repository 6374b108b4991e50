#include "audio/alsa/AlsaMixerVolume.h"

#include "audio/alsa/AlsaVolumeScale.h"

#include <alsa/asoundlib.h>

#include <memory>

namespace moravel::alsa {

namespace {

struct MixerCloser {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerHandle = std::unique_ptr<snd_mixer_t, MixerCloser>;

MixerHandle OpenMixer(const std::string& name) {
    snd_mixer_t* raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0) return nullptr;
    MixerHandle mixer(raw);
    if (snd_mixer_attach(raw, name.c_str()) < 0 || snd_mixer_selem_register(raw, nullptr, nullptr) < 0 ||
        snd_mixer_load(raw) < 0)
        return nullptr;
    return mixer;
}

snd_mixer_elem_t* VolumeElement(snd_mixer_t* mixer) {
    snd_mixer_elem_t* first = nullptr;
    for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer); e; e = snd_mixer_elem_next(e)) {
        if (!snd_mixer_selem_is_active(e) || !snd_mixer_selem_has_playback_volume(e)) continue;
        if (std::string(snd_mixer_selem_get_name(e)) == "Master") return e;
        if (!first) first = e;
    }
    return first;
}

bool SetsSidesSeparately(snd_mixer_elem_t* e) {
    return !snd_mixer_selem_is_playback_mono(e) && !snd_mixer_selem_has_playback_volume_joined(e) &&
           snd_mixer_selem_has_playback_channel(e, SND_MIXER_SCHN_FRONT_RIGHT);
}

// Runs `use` on the volume element of `mixerName`; false when there is none.
template <typename Use>
bool WithVolumeElement(const std::string& mixerName, Use use) {
    const MixerHandle mixer = OpenMixer(mixerName);
    snd_mixer_elem_t* element = mixer ? VolumeElement(mixer.get()) : nullptr;
    return element && use(element);
}

}  // namespace

MixerVolumeSupport ProbeMixerVolume(const std::string& mixerName) {
    MixerVolumeSupport support;
    WithVolumeElement(mixerName, [&](snd_mixer_elem_t* e) {
        support.volume = true;
        support.separate = SetsSidesSeparately(e);
        return true;
    });
    return support;
}

bool ReadMixerVolume(const std::string& mixerName, std::uint32_t& volume) {
    return WithVolumeElement(mixerName, [&](snd_mixer_elem_t* e) {
        long min = 0, max = 0, left = 0, right = 0;
        if (snd_mixer_selem_get_playback_volume_range(e, &min, &max) < 0 ||
            snd_mixer_selem_get_playback_volume(e, SND_MIXER_SCHN_FRONT_LEFT, &left) < 0)
            return false;
        right = left;
        if (SetsSidesSeparately(e) && snd_mixer_selem_get_playback_volume(e, SND_MIXER_SCHN_FRONT_RIGHT, &right) < 0)
            return false;
        volume = Packed(FromElementValue(left, min, max), FromElementValue(right, min, max));
        return true;
    });
}

bool WriteMixerVolume(const std::string& mixerName, std::uint32_t volume) {
    return WithVolumeElement(mixerName, [&](snd_mixer_elem_t* e) {
        long min = 0, max = 0;
        if (snd_mixer_selem_get_playback_volume_range(e, &min, &max) < 0 ||
            snd_mixer_selem_set_playback_volume_all(e, ToElementValue(LeftOf(volume), min, max)) < 0)
            return false;
        return !SetsSidesSeparately(e) ||
               snd_mixer_selem_set_playback_volume(e, SND_MIXER_SCHN_FRONT_RIGHT,
                                                   ToElementValue(RightOf(volume), min, max)) >= 0;
    });
}

}  // namespace moravel::alsa
