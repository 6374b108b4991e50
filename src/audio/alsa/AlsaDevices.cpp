#include "audio/alsa/AlsaDevices.h"

#include "audio/alsa/AlsaDeviceList.h"
#include "audio/alsa/AudioDeviceList.h"

namespace moravel::alsa {

namespace {

std::shared_ptr<const AlsaConfig> MakeConfig(const std::string& file) {
    if (file.empty()) return std::make_shared<const AlsaConfig>();
    return std::make_shared<const AlsaConfig>(file);
}

}  // namespace

Devices::Devices(AlsaOptions options) : options_(std::move(options)), config_(MakeConfig(options_.configFile)) {}

std::vector<std::string> Devices::numberedPcms(snd_pcm_stream_t stream) const {
    if (!options_.devicePcms.empty()) return options_.devicePcms;
    std::vector<std::string> names;
    for (const PcmHint& hint : NumberedDevices(ListPcmHints(), stream)) names.push_back(hint.name);
    return names;
}

const std::string& Devices::mapperPcm(snd_pcm_stream_t stream) const {
    const std::string& chosen = stream == SND_PCM_STREAM_CAPTURE ? options_.capturePcm : options_.playbackPcm;
    return chosen.empty() ? options_.mapperPcm : chosen;
}

std::optional<std::string> Devices::pcmName(TEWDev device, snd_pcm_stream_t stream) const {
    const std::int32_t index = DeviceIndex(device);
    if (index == DeviceIndex(wvMapper)) return mapperPcm(stream);
    if (index < 0) return std::nullopt;
    const std::vector<std::string> names = numberedPcms(stream);
    if (static_cast<std::size_t>(index) >= names.size()) return std::nullopt;
    return names[static_cast<std::size_t>(index)];
}

std::int32_t Devices::open(TEWDev device, snd_pcm_stream_t stream, PcmHandle& pcm) const {
    pcm.reset();
    const std::optional<std::string> name = pcmName(device, stream);
    if (!name || AudioDeviceList::ServerLacks(*name)) return kWaveBadDevice;
    snd_pcm_t* raw = nullptr;
    if (config_->openPcm(*name, stream, &raw) < 0) return kWaveBadDevice;
    pcm.reset(raw);
    return kWaveOk;
}

std::vector<std::string> Devices::displayNames(snd_pcm_stream_t stream) const {
    const std::vector<PcmHint> hints = ListPcmHints();
    auto display = [&](const std::string& name) {
        for (const PcmHint& hint : hints)
            if (hint.name == name) return DisplayName(hint);
        return name;
    };
    std::vector<std::string> names{display(mapperPcm(stream))};
    for (const std::string& name : numberedPcms(stream)) names.push_back(display(name));
    return names;
}

}  // namespace moravel::alsa
