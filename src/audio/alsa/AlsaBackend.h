// The ALSA implementation of the wave device contract (WaveDevice.h).
//
// Devices: wvMapper opens the PCM "default" (the sound server on a desktop)
// or the name given in the options; wvDevice0..wvDevice9 open the PCMs ALSA
// lists for the direction, in ALSA's order, without "default" and "null"
// (AlsaDeviceList.h), or the names given in the options. Names are opened
// as they are: never wrapped in "plug", and the rate must be the exact one
// asked for, since the audio ranges use rates such as 3950 Hz.
//
// Threads: create, call and destroy the backend and its services on the
// component's thread. Each open service runs one worker thread of its own.
#pragma once

#include "audio/alsa/AlsaCapture.h"
#include "audio/alsa/AlsaOptions.h"
#include "audio/alsa/AlsaPlayback.h"
#include "audio/WaveDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace moravel {

namespace alsa {
class Devices;
}

class AlsaBackend : public AudioBackend {
public:
    using Options = AlsaOptions;
    AlsaBackend();
    /// Throws std::runtime_error when options.configFile cannot be loaded.
    explicit AlsaBackend(Options options);

    std::unique_ptr<CaptureService> createCapture() override { return newCapture(); }
    std::unique_ptr<PlaybackService> createPlayback() override { return newPlayback(); }
    /// The same services, with their diagnostics in reach.
    std::unique_ptr<AlsaCapture> newCapture() const;
    std::unique_ptr<AlsaPlayback> newPlayback() const;

    /// present: the device opens now; channels: 2 when it takes stereo, else 1.
    DeviceCaps captureCaps(TEWDev device) override;
    /// As captureCaps, plus whether the device's mixer has a playback volume
    /// (volume) with left and right apart (lrVolume).
    DeviceCaps playbackCaps(TEWDev device) override;
    /// The playback volume of the device's mixer (AlsaMixerVolume.h), mapped
    /// linearly from 0..65535 per side; false without mixer or element.
    bool getVolume(TEWDev device, std::uint32_t& volume) override;
    bool setVolume(TEWDev device, std::uint32_t volume) override;
    /// Display names (description and PCM name), wvMapper first.
    std::vector<std::string> captureDeviceNames() override;
    std::vector<std::string> playbackDeviceNames() override;

    /// The PCM `device` opens for playback; empty when there is none.
    std::string playbackPcmName(TEWDev device) const;

    /// Sets AlsaOptions::capturePcm and playbackPcm.
    void ChooseDevices(const std::string& input, const std::string& output) override;
    /// Drops ALSA's cached system configuration: whether "default" is the
    /// sound server is decided when it is loaded, so a server that started
    /// after the program (or came back) is used only after this.
    void Rescan() override;

private:
    Options options_;
    std::shared_ptr<const alsa::Devices> devices_;
};

}  // namespace moravel
