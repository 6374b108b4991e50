#include "audio/alsa/AudioDeviceList.h"

#include <alsa/asoundlib.h>

#include <map>

namespace moravel {

using alsa::PcmHint;
using alsa::ServerDevice;

namespace {

constexpr const char* kMonitorPrefix = "Monitor of ";
constexpr const char* kServerPrefix = "pulse:DEVICE=";

std::string ServerDescription(const ServerDevice& device) {
    const std::string& text = device.description.empty() ? device.name : device.description;
    if (device.monitor && text.rfind(kMonitorPrefix, 0) != 0) return kMonitorPrefix + text;
    return text;
}

// Two server devices the desktop describes alike (two null sinks are both
// "Null Output") must still read differently.
void TellApartAlike(std::vector<AudioDeviceEntry>& entries, const std::vector<std::string>& names, std::size_t from) {
    std::map<std::string, int> uses;
    for (std::size_t i = from; i < entries.size(); ++i) ++uses[entries[i].description];
    for (std::size_t i = from; i < entries.size(); ++i)
        if (uses[entries[i].description] > 1) entries[i].description += " (" + names[i - from] + ")";
}

// ALSA also hints at its plugins (rate converters, up- and downmixers, the
// sound server's and other systems' bridges), which are no devices to
// record from or play to; a card's devices name the card.
bool NamesACard(const std::string& pcm) { return pcm.find("CARD=") != std::string::npos; }

// True when ALSA's configuration defines a PCM of that name ("default",
// "pulse", a user's own in ~/.asoundrc).
bool AlsaDefinesPcm(const std::string& name) {
    snd_config_t* top = nullptr;
    if (snd_config_update_ref(&top) < 0) return false;
    snd_config_t* node = nullptr;
    const bool defined = snd_config_search(top, ("pcm." + name).c_str(), &node) >= 0;
    snd_config_unref(top);
    return defined;
}

}  // namespace

std::vector<AudioDeviceEntry> AudioDeviceList::Current(Direction direction) {
    return Compose(direction, alsa::ListPcmHints(), alsa::ListServerDevices());
}

std::vector<AudioDeviceEntry> AudioDeviceList::Compose(Direction direction, const std::vector<PcmHint>& hints,
                                                       const alsa::ServerDeviceLists& server) {
    const bool capture = direction == Direction::Capture;
    std::vector<AudioDeviceEntry> entries{{"", kDefaultDescription}};
    for (const PcmHint& hint : alsa::NumberedDevices(hints, capture ? SND_PCM_STREAM_CAPTURE : SND_PCM_STREAM_PLAYBACK))
        if (NamesACard(hint.name)) entries.push_back({hint.name, alsa::DisplayName(hint)});
    const std::size_t firstServer = entries.size();
    std::vector<std::string> names;
    for (const ServerDevice& device : capture ? server.sources : server.sinks) {
        entries.push_back({ServerPcm(device.name), ServerDescription(device)});
        names.push_back(device.name);
    }
    TellApartAlike(entries, names, firstServer);
    return entries;
}

std::string AudioDeviceList::ServerPcm(const std::string& name) { return kServerPrefix + name; }

bool AudioDeviceList::ServerLacks(const std::string& pcm) {
    const std::string prefix = kServerPrefix;
    if (pcm.rfind(prefix, 0) != 0) return false;
    const alsa::ServerDeviceLists server = alsa::ListServerDevices();
    return server.answered && !server.Has(pcm.substr(prefix.size()));
}

std::string AudioDeviceList::PcmFor(const std::string& device) {
    if (device.empty() || device.find(':') != std::string::npos || AlsaDefinesPcm(device)) return device;
    return ServerPcm(device);
}

}  // namespace moravel
