// What the main window is made with: the sound devices, the settings file,
// and the dialogs, clocks, files and mixer services that tests replace.
//
// Threads: GUI thread only.
#pragma once

#include "app/core/Stopwatch.h"
#include "app/window/FileDialog.h"
#include "app/window/MessagePresenter.h"
#include "app/window/Soundcard.h"
#include "audio/WaveDevice.h"
#include "audio/alsa/AudioDeviceList.h"
#include "views/SpectrogramImage.h"
#include "views/gradient/ColorChooser.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace moravel {

namespace mixer {
class MixerService;
}

struct MainFormOptions {
    /// The sound devices (ALSA or the virtual soundcard); must outlive the window.
    AudioBackend* backend = nullptr;
    /// The settings file's path.
    std::string settingsFile;
    /// Empty: message boxes.
    MessagePresenter showMessage;
    /// Empty: the system's file dialogs (tests answer them).
    FileChooser chooseFile;
    /// Empty: the system's colour dialog (the gradient editor's; tests answer it).
    ColorChooser chooseColor;
    /// Empty: the stopwatch runs on the steady clock (tests pass card time).
    Stopwatch::Counter stopwatchCounter;
    /// The kernel's CPU statistics (tests pass their own file).
    std::string cpuStatFile = "/proc/stat";
    /// The kernel's memory figures for the about box.
    std::string memInfoFile = "/proc/meminfo";
    /// Columns of the spectrogram's history (tests use a short one).
    int spectrogramColumns = SpectrogramImage::kDefaultColumns;
    /// The mixer devices: ALSA's for the system's devices, the simulated
    /// typical card for the virtual soundcard. Empty: the simulated card.
    std::shared_ptr<mixer::MixerService> mixerService;
    /// The mixer service for the PCM whose mixer the Soundcard page shows
    /// (ALSA's, made afresh when the chosen devices change). Empty:
    /// mixerService for the whole run.
    std::function<std::shared_ptr<mixer::MixerService>(const std::string& wavePcm)> mixerServiceFor;
    /// The devices named on the command line, as PCM names: used for this
    /// run instead of the stored choice. Empty: the stored choice.
    std::string inputDevice;
    std::string outputDevice;
    /// The devices the "Audio Devices" dialog offers. Empty: ALSA's and
    /// the sound server's (AudioDeviceList::Current).
    std::function<std::vector<AudioDeviceEntry>(AudioDeviceList::Direction)> listDevices;
    /// Empty: a message box with a "Configure Soundcard..." button; when
    /// only showMessage is given, the message goes there and the offer is
    /// declined.
    ConfigureOffer offerConfiguration;
    /// Called after each processed block, on the GUI thread (the startup
    /// trace notes the first). Empty: nothing.
    std::function<void()> blockProcessed;
};

}  // namespace moravel
