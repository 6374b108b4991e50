// The window on the ALSA wave devices and the ALSA mixers, as the program
// makes them for `--audio alsa`, for tests against the private sound server
// that their main starts before anything touches ALSA (ALSA's "default" is
// then the server). GUI thread only.
#pragma once

#include "mixer/alsa/AlsaMixerService.h"
#include "audio/AudioChoice.h"
#include "WindowFixture.h"

#include <memory>
#include <string>

namespace moravel::testing {

/// What the soundcard dialog stores on the server's mixer: its Master as
/// wave out, its Capture as microphone in, nothing else, and the mixer.
inline const char* const kServerMixerLines =
    "[MIXER]\nMicrophone_Out=-1\nLine_Out=-1\nWave_Out=0\nMicrophone_In=0\nLine_In=-1\nWave_In=-1\n"
    "Mixer_Device=default\n";

struct AlsaServerWindow {
    /// `settings`: the settings file's text; `offer` answers the
    /// not-configured message (empty: the window's own).
    explicit AlsaServerWindow(const std::string& settings, ConfigureOffer offer = {})
        : f(settings, {}, {}, 4096, [this, offer](MainFormOptions& options) {
              options.backend = backend.get();
              options.stopwatchCounter = {};
              options.mixerService = service;
              options.offerConfiguration = offer;
          }) {}

    std::unique_ptr<AudioBackend> backend = CreateAudioBackend(ParseAudioChoice("alsa"));
    std::shared_ptr<mixer::AlsaMixerService> service = std::make_shared<mixer::AlsaMixerService>();
    WindowFixture f;  // last: the window uses the two above
};

}  // namespace moravel::testing
