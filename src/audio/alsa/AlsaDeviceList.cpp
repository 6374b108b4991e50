#include "audio/alsa/AlsaDeviceList.h"

#include <cstdlib>

namespace moravel::alsa {

namespace {

// Takes over a string ALSA allocated; null becomes empty.
std::string TakeString(char* s) {
    std::string text = s ? s : "";
    std::free(s);
    return text;
}

bool FitsDirection(const std::string& ioid, snd_pcm_stream_t stream) {
    if (ioid.empty()) return true;
    return ioid == (stream == SND_PCM_STREAM_CAPTURE ? "Input" : "Output");
}

// The value of `key=` in a device name's arguments, up to the next comma.
std::optional<std::string> Argument(const std::string& name, const std::string& key) {
    const auto at = name.find(key + "=");
    if (at == std::string::npos) return std::nullopt;
    const auto begin = at + key.size() + 1;
    return name.substr(begin, name.find(',', begin) - begin);
}

}  // namespace

std::vector<PcmHint> ListPcmHints() {
    std::vector<PcmHint> hints;
    void** list = nullptr;
    if (snd_device_name_hint(-1, "pcm", &list) < 0) return hints;
    for (void** h = list; *h; ++h) {
        PcmHint hint{TakeString(snd_device_name_get_hint(*h, "NAME")), TakeString(snd_device_name_get_hint(*h, "DESC")),
                     TakeString(snd_device_name_get_hint(*h, "IOID"))};
        if (!hint.name.empty()) hints.push_back(std::move(hint));
    }
    snd_device_name_free_hint(list);
    return hints;
}

std::vector<PcmHint> NumberedDevices(const std::vector<PcmHint>& hints, snd_pcm_stream_t stream) {
    std::vector<PcmHint> devices;
    for (const PcmHint& hint : hints) {
        if (hint.name == "default" || hint.name == "null") continue;
        if (FitsDirection(hint.ioid, stream)) devices.push_back(hint);
    }
    return devices;
}

std::string DisplayName(const PcmHint& hint) {
    const std::string firstLine = hint.description.substr(0, hint.description.find('\n'));
    return firstLine.empty() ? hint.name : firstLine + " (" + hint.name + ")";
}

std::string MixerNameFor(const std::string& pcmName) {
    if (const auto card = Argument(pcmName, "CARD")) return "hw:" + *card;
    for (const std::string prefix : {"hw:", "plughw:"}) {
        if (pcmName.rfind(prefix, 0) == 0) {
            const auto card = pcmName.substr(prefix.size(), pcmName.find(',') - prefix.size());
            return "hw:" + card;
        }
    }
    return pcmName;
}

}  // namespace moravel::alsa
