#include "audio/alsa/AlsaBackend.h"

#include "audio/alsa/AlsaDeviceList.h"
#include "audio/alsa/AlsaDevices.h"
#include "audio/alsa/AlsaMixerVolume.h"

namespace moravel {

using namespace alsa;

namespace {

DeviceCaps OpenedCaps(const Devices& devices, TEWDev device, snd_pcm_stream_t stream) {
    DeviceCaps caps;
    PcmHandle pcm;
    if (devices.open(device, stream, pcm) != kWaveOk) return caps;
    caps.present = true;
    caps.channels = MaxChannels(pcm.get()) >= 2 ? 2 : 1;
    return caps;
}

}  // namespace

AlsaBackend::AlsaBackend() : AlsaBackend(Options{}) {}

AlsaBackend::AlsaBackend(Options options) : options_(std::move(options)), devices_(std::make_shared<const Devices>(options_)) {}

// Services already made keep the devices they were made with.
void AlsaBackend::ChooseDevices(const std::string& input, const std::string& output) {
    options_.capturePcm = input;
    options_.playbackPcm = output;
    devices_ = std::make_shared<const Devices>(options_);
}

void AlsaBackend::Rescan() {
    snd_config_update_free_global();
    devices_ = std::make_shared<const Devices>(options_);
}

std::unique_ptr<AlsaCapture> AlsaBackend::newCapture() const { return std::make_unique<AlsaCapture>(devices_); }

std::unique_ptr<AlsaPlayback> AlsaBackend::newPlayback() const { return std::make_unique<AlsaPlayback>(devices_); }

DeviceCaps AlsaBackend::captureCaps(TEWDev device) { return OpenedCaps(*devices_, device, SND_PCM_STREAM_CAPTURE); }

DeviceCaps AlsaBackend::playbackCaps(TEWDev device) {
    DeviceCaps caps = OpenedCaps(*devices_, device, SND_PCM_STREAM_PLAYBACK);
    if (!caps.present) return caps;
    const MixerVolumeSupport support = ProbeMixerVolume(MixerNameFor(playbackPcmName(device)));
    caps.volume = support.volume;
    caps.lrVolume = support.separate;
    return caps;
}

std::string AlsaBackend::playbackPcmName(TEWDev device) const {
    return devices_->pcmName(device, SND_PCM_STREAM_PLAYBACK).value_or("");
}

bool AlsaBackend::getVolume(TEWDev device, std::uint32_t& volume) {
    const std::string name = playbackPcmName(device);
    return !name.empty() && ReadMixerVolume(MixerNameFor(name), volume);
}

bool AlsaBackend::setVolume(TEWDev device, std::uint32_t volume) {
    const std::string name = playbackPcmName(device);
    return !name.empty() && WriteMixerVolume(MixerNameFor(name), volume);
}

std::vector<std::string> AlsaBackend::captureDeviceNames() { return devices_->displayNames(SND_PCM_STREAM_CAPTURE); }

std::vector<std::string> AlsaBackend::playbackDeviceNames() { return devices_->displayNames(SND_PCM_STREAM_PLAYBACK); }

}  // namespace moravel
