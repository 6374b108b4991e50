// How an AlsaBackend names its devices.
//
// Threads: plain data.
#pragma once

#include <string>
#include <vector>

namespace moravel {

struct AlsaOptions {
    /// The PCM wvMapper opens.
    std::string mapperPcm = "default";
    /// The PCMs wvMapper opens for capture and for playback instead of
    /// mapperPcm, when not empty: the devices the user chose (an ALSA PCM
    /// name such as "hw:CARD=USB,DEV=0", or "pulse:DEVICE=NAME" for one of
    /// a sound server's sources or sinks).
    std::string capturePcm;
    std::string playbackPcm;
    /// wvDevice0, wvDevice1, ... when not empty; otherwise the PCMs ALSA
    /// lists (see AlsaDeviceList.h).
    std::vector<std::string> devicePcms;
    /// An ALSA configuration file whose definitions are added to the
    /// system's for every PCM the backend opens (not for the listed names or
    /// the mixers, which come from the system configuration).
    std::string configFile;
};

}  // namespace moravel
